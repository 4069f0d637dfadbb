// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/graphics/decode/decoded_image.h"

#include <algorithm>
#include <bit>

namespace media_detail {

bool FitsImageLimits(int64_t width, int64_t height) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return false;
    return width * height * 4 <= kMaxImageBytes;
}

DecodedImage AllocateImage(int width, int height, bool withAlpha) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    image.pixels.assign(count, 0u);
    if (withAlpha) image.alpha.assign(count, 255);
    image.hasAlpha = withAlpha;
    return image;
}

void DropMeaninglessAlpha(DecodedImage& image, bool zeroMeansUnset) {
    if (!image.hasAlpha) return;
    const bool allOpaque = std::all_of(image.alpha.begin(), image.alpha.end(), [](uint8_t a) { return a == 255; });
    const bool allZero =
        zeroMeansUnset && std::all_of(image.alpha.begin(), image.alpha.end(), [](uint8_t a) { return a == 0; });
    if (allOpaque || allZero) {
        image.alpha.clear();
        image.hasAlpha = false;
    }
}

MaskChannel::MaskChannel(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    bits_ = 32 - std::countl_zero(mask >> shift_);
}

uint32_t MaskChannel::Extract(uint32_t value) const {
    if (mask_ == 0) return 0;
    const uint32_t v = (value & mask_) >> shift_;
    if (bits_ >= 8) return v >> (bits_ - 8);
    const uint32_t max = (1u << bits_) - 1;
    return (v * 255 + max / 2) / max;
}

}  // namespace media_detail
