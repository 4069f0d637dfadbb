// SPDX-License-Identifier: GPL-3.0-or-later
// A piece as timed MIDI events per track, the result of compiling a score.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mml {

// Ticks per quarter note of every compiled piece (the game counts music time
// in the same unit).
inline constexpr int kTicksPerQuarter = 768;

struct Event {
    uint32_t tick = 0;
    std::vector<uint8_t> bytes;  // a channel message or a meta event (0xFF type data...)
    int order = 0;               // ties at one tick: note-offs first, then the rest as written
};

struct Track {
    std::string name;
    int channel = 0;  // 0..15
    std::vector<Event> events;
    uint32_t length = 0;  // the tick where the track's last note or rest ends
};

struct Song {
    std::vector<Event> conductor;  // tempo and time signature
    std::vector<Track> tracks;
    uint32_t length = 0;           // of the longest track
};

// Seconds from the start of the piece to the tick, following its tempo changes
// (120 quarter notes a minute until the first).
double SecondsAt(const Song& song, uint32_t tick);

}  // namespace mml
