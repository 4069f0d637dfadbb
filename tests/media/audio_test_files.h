// SPDX-License-Identifier: GPL-3.0-or-later
// Small wave, MIDI and soundfont files built by the audio tests themselves.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace audio_test {

using Bytes = std::vector<uint8_t>;

void AppendLe16(Bytes& out, uint32_t v);
void AppendLe32(Bytes& out, uint32_t v);
// A RIFF chunk: tag, little-endian size, body, pad byte to an even size.
Bytes Chunk(const char* tag, const Bytes& body);

// A RIFF WAVE file with the given "fmt " fields and data bytes.
Bytes MakeWave(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bitsPerSample,
               const Bytes& data);
// A wave file with a "fmt " body of the caller's own (for the ADPCM formats).
Bytes MakeWaveWithFormat(const Bytes& format, const Bytes& data);
// The common "fmt " fields: tag, channels, rate, block size, bits per sample.
Bytes FormatFields(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t bits);
// 16-bit PCM from interleaved samples.
Bytes MakePcm16Wave(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples);
// 44100 Hz stereo 16-bit, every sample equal to `value`.
Bytes MakeConstantWave(int16_t value, int frames);

// Builds one MIDI track from events at absolute ticks.
class MidiTrack {
public:
    void Event(uint32_t tick, std::initializer_list<uint8_t> bytes);
    void NoteOn(uint32_t tick, int channel, int key) { Event(tick, {uint8_t(0x90 | channel), uint8_t(key), 127}); }
    void NoteOff(uint32_t tick, int channel, int key) { Event(tick, {uint8_t(0x80 | channel), uint8_t(key), 0}); }
    void Tempo(uint32_t tick, uint32_t microsPerQuarter);
    // Program, no reverb, no chorus: the test soundfont's clean tone.
    void CleanChannel(uint32_t tick, int channel, int program);
    Bytes Finish(uint32_t endTick);  // adds the end-of-track event

private:
    Bytes bytes_;
    uint32_t last_ = 0;
};

Bytes MakeMidi(uint16_t format, uint16_t division, const std::vector<Bytes>& tracks);

// Writes a soundfont with two presets of a steady 441 Hz sine: program 0
// sounds only on the left channel, program 1 only on the right.
void WriteTestSoundFont(const std::string& path);

void WriteFile(const std::string& path, const Bytes& bytes);
// A fresh folder under the build tree for one test's files.
std::string TestFolder(const std::string& name);

}  // namespace audio_test
