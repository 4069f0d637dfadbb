// SPDX-License-Identifier: GPL-3.0-or-later
// Reading .bfg pictures: one pad-count byte, then the image file plus filler,
// encrypted block by block with the .bfg key. The decode of bytes already in
// memory is kept apart from the file read so both the game and the editor
// tool can use it, and so it can be fuzzed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "resources/blowfish.h"

// A decrypted .bfg file: the image file is the first imageLength bytes.
struct BfgImage {
    std::vector<uint8_t> bytes;   // every decrypted byte, filler included
    std::size_t imageLength = 0;  // cipher text length minus the pad count

    std::span<const uint8_t> Image() const { return {bytes.data(), imageLength}; }
};

// Largest .bfg file the reader accepts; the game's pictures are far smaller.
constexpr std::size_t kMaxBfgFileSize = std::size_t{256} << 20;

// Decrypts a whole .bfg file held in memory. Fails (nullopt) on an empty
// file, a cipher text that is not a whole number of blocks, or a pad count
// larger than the cipher text.
std::optional<BfgImage> DecodeBfg(std::span<const uint8_t> file, const BlowfishState& cipher);

// Reads a .bfg file and decodes it. Fails when the file cannot be opened or
// read, is larger than kMaxBfgFileSize, or breaks the layout.
std::optional<BfgImage> ReadBfgFile(const std::filesystem::path& fileName,
                                    const BlowfishState& cipher);
