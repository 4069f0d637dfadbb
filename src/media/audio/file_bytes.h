// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a whole file into memory for the sound and music loaders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace media_detail {

// The file's bytes, or nothing when it cannot be read or is larger than
// maxBytes (a bound that keeps a stray huge file from exhausting memory).
std::optional<std::vector<uint8_t>> ReadFileBytes(const char* path, size_t maxBytes);

}  // namespace media_detail
