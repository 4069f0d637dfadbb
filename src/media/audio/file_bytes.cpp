// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/file_bytes.h"

#include <cstdio>
#include <memory>

namespace media_detail {

std::optional<std::vector<uint8_t>> ReadFileBytes(const char* path, size_t maxBytes) {
    if (path == nullptr) return std::nullopt;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) return std::nullopt;

    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got == 0) break;
        if (bytes.size() + got > maxBytes) return std::nullopt;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

}  // namespace media_detail
