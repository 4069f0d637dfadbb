// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to CreateImageFromMemory (every decoder in turn) and
// draws whatever it accepts, so decoded sizes are exercised by the renderer.
#include <climits>
#include <cstddef>
#include <cstdint>

#include "media/media.h"
#include "media/media_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = media_detail::GraphicsInit();
    if (!started || size > INT_MAX) return 0;
    const int image = CreateImageFromMemory(data, static_cast<int>(size), nullptr, 0, 1, size & 1);
    if (image >= 0) {
        DrawImage(-3, -3, image, 1);
        DrawImageRect(600, 470, 1, 1, 50, 50, image, 1, 1);
        DeleteImage(image, 0);
    }
    return 0;
}
