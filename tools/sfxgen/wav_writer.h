// SPDX-License-Identifier: GPL-3.0-or-later
// Writing 16-bit PCM RIFF WAVE files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfx {

// The bytes of a 16-bit PCM wave file; samples interleaved when there are
// several channels.
std::vector<uint8_t> WavBytes(const std::vector<int16_t>& samples, int sampleRate, int channels = 1);
// Writes them; false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate, int channels = 1);

}  // namespace sfx
