// SPDX-License-Identifier: GPL-3.0-or-later
// A headless media layer with the tests' soundfont, and ways to listen to
// what it mixes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio_test_files.h"

namespace audio_test {

class AudioLayerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a file into this test's folder and returns its path.
    std::string Put(const std::string& name, const Bytes& bytes);
    // The next `frames` mixed frames, interleaved.
    std::vector<int16_t> Render(int frames);

    std::string folder_;
    std::string soundFont_;
};

// Largest absolute sample of one channel (0 left, 1 right) over frames
// [from, to) of interleaved audio.
int Peak(const std::vector<int16_t>& audio, int channel, size_t from, size_t to);
// First frame from `from` on whose sample on `channel` exceeds `level`, or -1.
long FirstAbove(const std::vector<int16_t>& audio, int channel, int level, size_t from = 0);

}  // namespace audio_test
