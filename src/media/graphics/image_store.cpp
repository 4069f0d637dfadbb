// SPDX-License-Identifier: GPL-3.0-or-later
// Creating and deleting images.
#include <new>

#include "media/graphics/decode/image_decoder.h"
#include "media/graphics/draw_state.h"
#include "media/graphics/image.h"

namespace media_detail {

HandleTable<Image>& Images() {
    static HandleTable<Image> table(HandleKind::Image, kImageSlots);
    return table;
}

Image* FindImage(int handle) { return Images().Get(handle); }

}  // namespace media_detail

using namespace media_detail;

int CreateImageFromMemory(const void* data, int size, const void* alphaData, int alphaSize,
                          int /*textureFlag: images are always kept in the drawable format*/,
                          int mirrorFlag) {
    MediaLock lock(MediaMutex());
    try {
        std::optional<DecodedImage> decoded =
            DecodeImageWithAlpha(data, size, alphaData, alphaSize, mirrorFlag != 0);
        if (!decoded) return -1;
        auto image = std::make_unique<Image>();
        image->width = decoded->width;
        image->height = decoded->height;
        image->pixels = std::move(decoded->pixels);
        image->hasAlpha = decoded->hasAlpha;
        if (image->hasAlpha) image->alpha = std::move(decoded->alpha);
        image->key = State().transparentColor;
        return Images().Add(std::move(image));
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

int MakeScreenImage(int width, int height, int /*flag*/) {
    MediaLock lock(MediaMutex());
    if (!FitsImageLimits(width, height)) return -1;
    try {
        auto image = std::make_unique<Image>();
        image->width = width;
        image->height = height;
        image->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
        image->key = State().transparentColor;
        image->screenImage = true;
        return Images().Add(std::move(image));
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

int DeleteImage(int handle, int /*logFlag: there is no log*/) {
    MediaLock lock(MediaMutex());
    if (!Images().Remove(handle)) return -1;
    // A deleted draw target falls back to the back buffer.
    if (handle == State().target) {
        State().target = kBackBuffer;
        State().clip = {0, 0, kScreenWidth, kScreenHeight};
    }
    return 0;
}
