// SPDX-License-Identifier: GPL-3.0-or-later
// The raw format: "BGRA", four channel depths (all 8 or all 16), width and
// height, then B, G, R, A per pixel, top row first. It always carries alpha.
#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

std::optional<DecodedImage> DecodeRawBgra(Bytes b) {
    constexpr size_t kHeader = 16;
    if (b.size() < kHeader || b[0] != 'B' || b[1] != 'G' || b[2] != 'R' || b[3] != 'A') return std::nullopt;
    const uint32_t depths = Le32(b, 4);
    if (depths != 0x08080808u && depths != 0x10101010u) return std::nullopt;
    const int64_t width = Le32(b, 8);
    const int64_t height = Le32(b, 12);
    if (!FitsImageLimits(width, height)) return std::nullopt;
    const size_t channelBytes = depths == 0x08080808u ? 1 : 2;
    const size_t pixelBytes = 4 * channelBytes;
    if ((b.size() - kHeader) / pixelBytes < static_cast<size_t>(width * height)) return std::nullopt;

    DecodedImage image = AllocateImage(static_cast<int>(width), static_cast<int>(height), true);
    // At 16 bits only the high byte of each little-endian channel counts.
    const size_t high = channelBytes - 1;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint8_t* p = b.data() + kHeader + i * pixelBytes;
        image.pixels[i] = PackRgb(p[2 * channelBytes + high], p[channelBytes + high], p[high]);
        image.alpha[i] = p[3 * channelBytes + high];
    }
    return image;
}

}  // namespace media_detail
