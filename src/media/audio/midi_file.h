// SPDX-License-Identifier: GPL-3.0-or-later
// Standard MIDI Files read into a single time-ordered list of events whose
// times are already counted in rendered frames.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace media_detail {

// Largest MIDI file the layer reads (real pieces are a few kilobytes).
constexpr size_t kMaxMidiFileBytes = 4u << 20;
// Music time: 768 ticks to the quarter note, whatever the file's division.
constexpr int kMusicTicksPerQuarter = 768;

struct MidiEvent {
    int64_t tick = 0;    // file ticks from the beginning of the piece
    int64_t frame = 0;   // output frames from the beginning of the piece
    uint8_t status = 0;  // channel message status, or 0xF0 for system exclusive
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint32_t sysexOffset = 0;  // into MidiPiece::sysex, without the leading F0
    uint32_t sysexLength = 0;

    bool IsNote() const { return (status & 0xE0) == 0x80 || (status & 0xF0) == 0xA0; }
};

// A point where the tempo changes: from `tick` on, every tick lasts
// `framesPerTick` frames.
struct TempoPoint {
    int64_t tick = 0;
    double frame = 0;
    double framesPerTick = 0;
};

struct MidiPiece {
    int ticksPerQuarter = 0;    // 0 for SMPTE time
    double ticksPerSecond = 0;  // SMPTE time only
    std::vector<MidiEvent> events;  // channel and system exclusive events in playing order
    std::vector<uint8_t> sysex;
    std::vector<TempoPoint> tempo;  // starts at tick 0
    int64_t endTick = 0;        // the last track's end
    int64_t endFrame = 0;

    double FrameAtTick(double tick) const;
    // The file tick that music time (768 ticks a quarter note) names. SMPTE
    // pieces have no quarter note of their own: the default 120 beats a
    // minute is used.
    double FileTickOfMusicTime(int musicTick) const;
};

// Reads format 0, 1 and 2 files (format 2 tracks are played together like
// format 1). Nothing when the bytes are not a MIDI file or lie about sizes.
std::optional<MidiPiece> ParseMidiFile(std::span<const uint8_t> bytes);

}  // namespace media_detail
