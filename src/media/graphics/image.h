// SPDX-License-Identifier: GPL-3.0-or-later
// Images behind image handles and the table that names them.
#pragma once

#include <cstdint>
#include <vector>

#include "media/graphics/surface.h"
#include "media/handle_table.h"

namespace media_detail {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
    std::vector<uint8_t> alpha;    // one byte a pixel, only when hasAlpha
    bool hasAlpha = false;
    uint32_t key = 0;              // transparent colour in force at creation
    bool screenImage = false;      // made by MakeScreenImage: a draw and capture target

    Surface AsSurface() { return {pixels.data(), width, height}; }
};

HandleTable<Image>& Images();
// The image a handle names, or nullptr for an invalid handle.
Image* FindImage(int handle);

}  // namespace media_detail
