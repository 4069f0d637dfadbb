// Writing 16-bit PCM RIFF WAVE files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfx {

// The bytes of a mono 16-bit PCM wave file.
std::vector<uint8_t> WavBytes(const std::vector<int16_t>& samples, int sampleRate);
// Writes them; false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate);

}  // namespace sfx
