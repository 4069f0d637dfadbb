// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/bfg_file.h"

#include <fstream>

std::optional<BfgImage> DecodeBfg(std::span<const uint8_t> file, const BlowfishState& cipher) {
    if (file.empty()) return std::nullopt;
    const std::size_t padCount = file[0];
    const std::span<const uint8_t> cipherText = file.subspan(1);
    if (cipherText.size() % BlowfishState::kBlockSize != 0) return std::nullopt;
    if (padCount > cipherText.size()) return std::nullopt;

    BfgImage image;
    image.bytes.resize(cipherText.size());
    cipher.DecryptBuffer(cipherText.size(), image.bytes.data(), cipherText.data());
    image.imageLength = cipherText.size() - padCount;
    return image;
}

std::optional<BfgImage> ReadBfgFile(const std::filesystem::path& fileName,
                                    const BlowfishState& cipher) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxBfgFileSize) return std::nullopt;
    in.seekg(0, std::ios::beg);

    std::vector<uint8_t> file(static_cast<std::size_t>(size));
    if (!file.empty() && !in.read(reinterpret_cast<char*>(file.data()), size)) return std::nullopt;
    return DecodeBfg(file, cipher);
}
