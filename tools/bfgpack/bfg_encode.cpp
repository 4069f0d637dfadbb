// SPDX-License-Identifier: GPL-3.0-or-later
#include "bfg_encode.h"

#include <algorithm>

std::vector<uint8_t> EncodeBfg(std::span<const uint8_t> image, const BlowfishState& cipher) {
    constexpr std::size_t kBlock = BlowfishState::kBlockSize;
    const std::size_t padCount = (kBlock - image.size() % kBlock) % kBlock;
    std::vector<uint8_t> file(1 + image.size() + padCount, 0);
    file[0] = static_cast<uint8_t>(padCount);
    std::copy(image.begin(), image.end(), file.begin() + 1);
    for (std::size_t offset = 1; offset < file.size(); offset += kBlock) {
        uint32_t left = 0;
        uint32_t right = 0;
        LoadBlock(&file[offset], left, right);
        cipher.EncryptBlock(left, right);
        StoreBlock(&file[offset], left, right);
    }
    return file;
}
