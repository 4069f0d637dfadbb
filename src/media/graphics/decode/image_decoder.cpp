// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/graphics/decode/image_decoder.h"

#include <algorithm>

namespace media_detail {

std::optional<DecodedImage> DecodeImage(Bytes bytes) {
    using Decoder = std::optional<DecodedImage> (*)(Bytes);
    static constexpr Decoder kChain[] = {DecodeBmp, DecodeJpeg, DecodePng, DecodeRawBgra, DecodeTga, DecodeDds};
    for (Decoder decode : kChain)
        if (auto image = decode(bytes)) return image;
    return std::nullopt;
}

namespace {

void MirrorRows(DecodedImage& image) {
    for (int y = 0; y < image.height; ++y) {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(image.width);
        std::reverse(image.pixels.begin() + row, image.pixels.begin() + row + image.width);
        if (image.hasAlpha) std::reverse(image.alpha.begin() + row, image.alpha.begin() + row + image.width);
    }
}

Bytes AsBytes(const void* data, int size) { return {static_cast<const uint8_t*>(data), static_cast<size_t>(size)}; }

}  // namespace

std::optional<DecodedImage> DecodeImageWithAlpha(const void* data, int size, const void* alphaData,
                                                 int alphaSize, bool mirror) {
    if (!data || size <= 0) return std::nullopt;
    std::optional<DecodedImage> image = DecodeImage(AsBytes(data, size));
    if (!image) return std::nullopt;
    if (alphaData && alphaSize > 0) {
        const std::optional<DecodedImage> mask = DecodeImage(AsBytes(alphaData, alphaSize));
        if (!mask || mask->width != image->width || mask->height != image->height) return std::nullopt;
        image->alpha.resize(image->pixels.size());
        std::transform(mask->pixels.begin(), mask->pixels.end(), image->alpha.begin(),
                       [](uint32_t p) { return static_cast<uint8_t>(p & 0xFF); });
        image->hasAlpha = true;
    }
    if (mirror) MirrorRows(*image);
    return image;
}

}  // namespace media_detail
