// SPDX-License-Identifier: GPL-3.0-or-later
// Truevision TGA: colour-mapped, true-colour (15/16/24/32 bits) and grey,
// uncompressed or run-length coded, in either row order and direction.
#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

namespace {

struct TgaHeader {
    size_t idLength = 0;
    int mapType = 0;
    int imageType = 0;
    int mapStart = 0;
    int mapLength = 0;
    int mapDepth = 0;
    int width = 0;
    int height = 0;
    int depth = 0;
    int descriptor = 0;

    int Kind() const { return imageType & 7; }  // 1 mapped, 2 true colour, 3 grey
    bool RunLength() const { return (imageType & 8) != 0; }
};

bool Validate(const TgaHeader& h) {
    if (h.mapType > 1) return false;
    if (h.imageType != 1 && h.imageType != 2 && h.imageType != 3 && h.imageType != 9 && h.imageType != 10 &&
        h.imageType != 11)
        return false;
    if ((h.descriptor & 0xC0) != 0) return false;  // interleaved rows: never written in practice
    const bool trueDepth = h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
    if (h.mapType == 1 && !(h.mapDepth == 15 || h.mapDepth == 16 || h.mapDepth == 24 || h.mapDepth == 32))
        return false;
    switch (h.Kind()) {
        case 1: return h.mapType == 1 && (h.depth == 8 || h.depth == 16);
        case 2: return trueDepth;
        default: return h.depth == 8;
    }
}

// Colour and alpha of one stored value of `depth` bits.
void ReadColour(const uint8_t* p, int depth, uint32_t& colour, uint8_t& alpha) {
    alpha = 255;
    switch (depth) {
        case 15: case 16: {
            const uint32_t v = static_cast<uint32_t>(p[0] | (p[1] << 8));
            auto five = [](uint32_t c) { return (c * 255 + 15) / 31; };
            colour = PackRgb(five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
            break;
        }
        case 24: colour = PackRgb(p[2], p[1], p[0]); break;
        case 32: colour = PackRgb(p[2], p[1], p[0]), alpha = p[3]; break;
        default: colour = PackRgb(p[0], p[0], p[0]); break;  // 8-bit grey
    }
}

}  // namespace

std::optional<DecodedImage> DecodeTga(Bytes b) {
    if (b.size() < 18) return std::nullopt;
    TgaHeader h;
    h.idLength = b[0];
    h.mapType = b[1];
    h.imageType = b[2];
    h.mapStart = Le16(b, 3);
    h.mapLength = Le16(b, 5);
    h.mapDepth = b[7];
    h.width = Le16(b, 12);
    h.height = Le16(b, 14);
    h.depth = b[16];
    h.descriptor = b[17];
    if (!Validate(h) || !FitsImageLimits(h.width, h.height)) return std::nullopt;

    size_t at = 18 + h.idLength;
    if (at > b.size()) return std::nullopt;
    std::vector<uint32_t> mapColours;
    std::vector<uint8_t> mapAlpha;
    if (h.mapType == 1) {
        const size_t entryBytes = (static_cast<size_t>(h.mapDepth) + 7) / 8;
        if (at + entryBytes * h.mapLength > b.size()) return std::nullopt;
        mapColours.resize(static_cast<size_t>(h.mapLength));
        mapAlpha.resize(static_cast<size_t>(h.mapLength));
        for (int i = 0; i < h.mapLength; ++i) ReadColour(b.data() + at + entryBytes * i, h.mapDepth, mapColours[i], mapAlpha[i]);
        at += entryBytes * h.mapLength;
    }

    const size_t pixelBytes = (static_cast<size_t>(h.depth) + 7) / 8;
    const size_t total = static_cast<size_t>(h.width) * static_cast<size_t>(h.height);
    // A run-length packet of 1 + pixelBytes bytes gives at most 128 pixels.
    const size_t describable = h.RunLength() ? (b.size() - at) / (1 + pixelBytes) * 128 : (b.size() - at) / pixelBytes;
    if (describable < total) return std::nullopt;

    const bool alphaBits = (h.descriptor & 0x0F) != 0;
    const bool withAlpha = alphaBits && (h.Kind() == 1 ? h.mapDepth == 32 : h.depth == 32);
    DecodedImage image = AllocateImage(h.width, h.height, withAlpha);
    const bool rightToLeft = (h.descriptor & 0x10) != 0;
    const bool topDown = (h.descriptor & 0x20) != 0;

    // Stores the stored value p as the n-th pixel in file order.
    auto store = [&](size_t n, const uint8_t* p) {
        const size_t fileRow = n / h.width, fileColumn = n % h.width;
        const size_t y = topDown ? fileRow : h.height - 1 - fileRow;
        const size_t x = rightToLeft ? h.width - 1 - fileColumn : fileColumn;
        const size_t i = y * h.width + x;
        uint32_t colour = 0;
        uint8_t alpha = 255;
        if (h.Kind() == 1) {
            const int index = (pixelBytes == 2 ? (p[0] | (p[1] << 8)) : p[0]) - h.mapStart;
            if (index >= 0 && index < h.mapLength) colour = mapColours[index], alpha = mapAlpha[index];
        } else {
            ReadColour(p, h.depth, colour, alpha);
        }
        image.pixels[i] = colour;
        if (withAlpha) image.alpha[i] = alpha;
    };

    if (!h.RunLength()) {
        for (size_t n = 0; n < total; ++n) store(n, b.data() + at + n * pixelBytes);
    } else {
        size_t n = 0;
        while (n < total) {
            if (at >= b.size()) return std::nullopt;
            const uint8_t packet = b[at++];
            const size_t count = std::min<size_t>((packet & 0x7F) + 1u, total - n);
            if (packet & 0x80) {
                if (at + pixelBytes > b.size()) return std::nullopt;
                for (size_t k = 0; k < count; ++k) store(n++, b.data() + at);
                at += pixelBytes;
            } else {
                if ((b.size() - at) / pixelBytes < count) return std::nullopt;
                for (size_t k = 0; k < count; ++k, at += pixelBytes) store(n++, b.data() + at);
            }
        }
    }
    DropMeaninglessAlpha(image, true);
    return image;
}

}  // namespace media_detail
