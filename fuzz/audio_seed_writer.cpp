// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora of the wave and MIDI fuzzers:
//   audio_seed_writer <wave-folder> <midi-folder>
#include <cstdio>
#include <string>

#include "audio_test_files.h"

using namespace audio_test;

namespace {

Bytes Ramp(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 37 + 11);
    return b;
}

void WriteWaves(const std::string& dir) {
    WriteFile(dir + "/pcm16_stereo.wav", MakePcm16Wave(2, 44100, {0, 100, -100, 2000, 32767, -32768}));
    WriteFile(dir + "/pcm16_mono_22k.wav", MakePcm16Wave(1, 22050, {1, 2, 3, 4, 5, 6, 7, 8}));
    WriteFile(dir + "/pcm8.wav", MakeWave(1, 1, 11025, 8, Ramp(64)));
    WriteFile(dir + "/pcm24.wav", MakeWave(1, 2, 48000, 24, Ramp(60)));
    WriteFile(dir + "/float.wav", MakeWave(3, 1, 44100, 32, Bytes{0, 0, 0, 0x3F, 0, 0, 0x80, 0xBE}));
    WriteFile(dir + "/alaw.wav", MakeWave(6, 1, 8000, 8, Ramp(32)));
    WriteFile(dir + "/mulaw.wav", MakeWave(7, 2, 8000, 8, Ramp(32)));

    Bytes ima = FormatFields(0x11, 1, 22050, 256, 4);
    AppendLe16(ima, 2);     // extra bytes
    AppendLe16(ima, 505);   // samples per block
    WriteFile(dir + "/ima_adpcm.wav", MakeWaveWithFormat(ima, Ramp(512)));

    Bytes ms = FormatFields(0x02, 1, 22050, 256, 4);
    AppendLe16(ms, 32);     // extra bytes
    AppendLe16(ms, 500);    // samples per block
    AppendLe16(ms, 7);      // coefficient pairs
    const int coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    for (const auto& pair : coefficients) {
        AppendLe16(ms, static_cast<uint16_t>(pair[0]));
        AppendLe16(ms, static_cast<uint16_t>(pair[1]));
    }
    Bytes block = Ramp(256);
    block[0] = 0;  // predictor index
    WriteFile(dir + "/ms_adpcm.wav", MakeWaveWithFormat(ms, block));
}

void WriteMidis(const std::string& dir) {
    MidiTrack simple;
    simple.CleanChannel(0, 0, 0);
    simple.NoteOn(0, 0, 60);
    simple.NoteOff(96, 0, 60);
    simple.NoteOn(384, 0, 64);
    simple.NoteOff(480, 0, 64);
    WriteFile(dir + "/format0.mid", MakeMidi(0, 96, {simple.Finish(480)}));

    MidiTrack conductor;
    conductor.Tempo(0, 600000);
    conductor.Tempo(960, 300000);
    conductor.Event(0, {0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g'});
    MidiTrack melody;
    melody.Event(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
    melody.Event(0, {0xC1, 48});
    melody.Event(10, {0x91, 67, 90});
    melody.Event(20, {69, 90});  // running status
    melody.Event(30, {0xE1, 0x00, 0x50});
    melody.Event(40, {0xB1, 64, 127});
    melody.Event(1900, {0x81, 67, 0});
    melody.Event(1910, {0x81, 69, 0});
    MidiTrack drums;
    for (uint32_t t = 0; t < 1920; t += 240) {
        drums.Event(t, {0x99, 36, 100});
        drums.Event(t + 60, {0x89, 36, 0});
    }
    WriteFile(dir + "/format1.mid", MakeMidi(1, 480, {conductor.Finish(1920), melody.Finish(1920), drums.Finish(1920)}));

    MidiTrack smpte;
    smpte.NoteOn(0, 2, 72);
    smpte.Event(500, {0xA2, 72, 40});
    smpte.Event(600, {0xD2, 30});
    smpte.NoteOff(1000, 2, 72);
    WriteFile(dir + "/smpte.mid", MakeMidi(0, static_cast<uint16_t>((256 - 25) << 8 | 40), {smpte.Finish(1000)}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <wave-folder> <midi-folder>\n", argv[0]);
        return 2;
    }
    WriteWaves(argv[1]);
    WriteMidis(argv[2]);
    return 0;
}
