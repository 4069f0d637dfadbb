// SPDX-License-Identifier: GPL-3.0-or-later
// A loaded sound effect: its samples and the playback buffers that let the
// same sound be heard several times at once.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace media_detail {

constexpr int kMaxSoundBuffers = 10;

// One playback buffer: it holds the whole sound (shared, never copied) and
// its own play position.
struct SoundBuffer {
    size_t position = 0;  // next frame to play
    bool playing = false;
    bool looping = false;
};

struct Sound {
    // bufferCount is clamped to 1..10.
    Sound(std::shared_ptr<const std::vector<int16_t>> samples, int bufferCount);

    size_t Frames() const { return samples->size() / 2; }

    // Starts a play in the next buffer, cyclically after the one used last.
    // That buffer is cut off when still sounding and fromStart is set; with
    // fromStart unset a sounding buffer is left alone and nothing starts (-1).
    // A play without fromStart resumes at the position of the buffer used
    // last. Returns the buffer index that started, or -1.
    int StartPlay(bool looping, bool fromStart);

    // Adds every playing buffer into an interleaved stereo accumulator and
    // advances them.
    void MixInto(std::span<float> accumulator);

    std::shared_ptr<const std::vector<int16_t>> samples;  // interleaved stereo
    std::vector<SoundBuffer> buffers;
    int lastBuffer;             // index of the buffer used last
    uint32_t startTimeMs = 0;   // media clock at the last start
};

}  // namespace media_detail
