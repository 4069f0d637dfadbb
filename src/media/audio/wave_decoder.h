// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a RIFF WAVE file held in memory into the mixer's format.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace media_detail {

// Most memory one sound's converted samples may take (about 25 minutes of
// 44100 Hz 16-bit stereo), and the largest sound file the layer reads. A
// header cannot lie past the file's own bytes, so these bound what any file
// can make us allocate.
constexpr size_t kMaxDecodedSoundBytes = 256u << 20;
constexpr size_t kMaxSoundFileBytes = kMaxDecodedSoundBytes;
// Sample rates outside this range are refused.
constexpr int kMinSoundRate = 1000;
constexpr int kMaxSoundRate = 384000;

// True when the bytes have the layout of a RIFF WAVE file: a "RIFF" header
// whose size fits the bytes, then chunks that each fit inside it, among them
// a "fmt " chunk and a "data" chunk.
bool HasWaveLayout(std::span<const uint8_t> bytes);

// Decodes PCM (8 to 32 bit), IEEE float, MS and IMA ADPCM, A-law and mu-law
// wave data and converts it to 44100 Hz interleaved 16-bit stereo. Nothing
// when the bytes are not a wave file, lie about their sizes or use an
// encoding that cannot be decoded.
std::optional<std::vector<int16_t>> DecodeWave(std::span<const uint8_t> bytes);

}  // namespace media_detail
