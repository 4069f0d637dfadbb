// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_bytes.h"

#include <algorithm>
#include <fstream>

#include "play/stage_file.h"

namespace {

constexpr std::streamsize kMaxStageFileBytes = 1 << 20;

}  // namespace

bool ReadStageBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    const std::streamsize wanted = size > 0 ? std::min<std::streamsize>(size, kMaxStageFileBytes) : 0;
    bytes.resize(static_cast<size_t>(wanted));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), wanted);
    bytes.resize(static_cast<size_t>(in.gcount()));
    return true;
}

std::string ReadStageName(int stage) {
    std::vector<std::uint8_t> bytes;
    if (!ReadStageBytes(StageFilePath(stage), bytes)) return {};
    return ParseStageName(bytes);
}
