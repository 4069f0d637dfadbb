// SPDX-License-Identifier: GPL-3.0-or-later
// DirectDraw Surface files: the top level of uncompressed RGB/RGBA (16, 24,
// 32 bits with masks) and of DXT1, DXT3 and DXT5 block compression.
//
// Interpolated block colours and alphas are rounded to the nearest integer.
#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

namespace {

constexpr uint32_t kAlphaPixels = 0x1;
constexpr uint32_t kFourCc = 0x4;
constexpr uint32_t kRgb = 0x40;
constexpr size_t kDataStart = 128;

constexpr uint32_t FourCc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(a) | (static_cast<uint32_t>(b) << 8) | (static_cast<uint32_t>(c) << 16) |
           (static_cast<uint32_t>(d) << 24);
}

struct Rgb {
    uint32_t r, g, b;
};

Rgb Expand565(uint32_t c) {
    return {((c >> 11) * 255 + 15) / 31, (((c >> 5) & 63) * 255 + 31) / 63, ((c & 31) * 255 + 15) / 31};
}

uint32_t Blend(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb) { return (a * wa + b * wb + (wa + wb) / 2) / (wa + wb); }

// Colours and alphas of one 4x4 block; `opaqueOnly` forces the four-colour form.
void DecodeColourBlock(const uint8_t* p, bool opaqueOnly, uint32_t colours[16], uint8_t alphas[16]) {
    const uint16_t c0 = static_cast<uint16_t>(p[0] | (p[1] << 8));
    const uint16_t c1 = static_cast<uint16_t>(p[2] | (p[3] << 8));
    const Rgb a = Expand565(c0), b = Expand565(c1);
    uint32_t palette[4];
    uint8_t paletteAlpha[4] = {255, 255, 255, 255};
    palette[0] = PackRgb(a.r, a.g, a.b);
    palette[1] = PackRgb(b.r, b.g, b.b);
    if (c0 > c1 || opaqueOnly) {
        palette[2] = PackRgb(Blend(a.r, b.r, 2, 1), Blend(a.g, b.g, 2, 1), Blend(a.b, b.b, 2, 1));
        palette[3] = PackRgb(Blend(a.r, b.r, 1, 2), Blend(a.g, b.g, 1, 2), Blend(a.b, b.b, 1, 2));
    } else {
        palette[2] = PackRgb(Blend(a.r, b.r, 1, 1), Blend(a.g, b.g, 1, 1), Blend(a.b, b.b, 1, 1));
        palette[3] = 0;
        paletteAlpha[3] = 0;
    }
    const uint32_t indices = Le32(Bytes(p + 4, 4), 0);
    for (int i = 0; i < 16; ++i) {
        const uint32_t k = (indices >> (2 * i)) & 3;
        colours[i] = palette[k];
        alphas[i] = paletteAlpha[k];
    }
}

void DecodeExplicitAlpha(const uint8_t* p, uint8_t alphas[16]) {
    for (int i = 0; i < 16; ++i) alphas[i] = static_cast<uint8_t>(((p[i / 2] >> (4 * (i & 1))) & 0xF) * 17);
}

void DecodeInterpolatedAlpha(const uint8_t* p, uint8_t alphas[16]) {
    const uint32_t a0 = p[0], a1 = p[1];
    uint32_t table[8] = {a0, a1, 0, 0, 0, 0, 0, 255};
    if (a0 > a1) {
        for (uint32_t k = 1; k <= 6; ++k) table[k + 1] = Blend(a0, a1, 7 - k, k);
    } else {
        for (uint32_t k = 1; k <= 4; ++k) table[k + 1] = Blend(a0, a1, 5 - k, k);
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= static_cast<uint64_t>(p[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i) alphas[i] = static_cast<uint8_t>(table[(bits >> (3 * i)) & 7]);
}

std::optional<DecodedImage> DecodeBlocks(Bytes b, int width, int height, uint32_t fourCc) {
    const bool dxt1 = fourCc == FourCc('D', 'X', 'T', '1');
    const size_t blockBytes = dxt1 ? 8 : 16;
    const size_t blocksWide = (static_cast<size_t>(width) + 3) / 4;
    const size_t blocksHigh = (static_cast<size_t>(height) + 3) / 4;
    if ((b.size() - kDataStart) / blockBytes < blocksWide * blocksHigh) return std::nullopt;
    DecodedImage image = AllocateImage(width, height, true);
    uint32_t colours[16];
    uint8_t alphas[16];
    for (size_t by = 0; by < blocksHigh; ++by)
        for (size_t bx = 0; bx < blocksWide; ++bx) {
            const uint8_t* block = b.data() + kDataStart + (by * blocksWide + bx) * blockBytes;
            DecodeColourBlock(dxt1 ? block : block + 8, !dxt1, colours, alphas);
            if (fourCc == FourCc('D', 'X', 'T', '3')) DecodeExplicitAlpha(block, alphas);
            if (fourCc == FourCc('D', 'X', 'T', '5')) DecodeInterpolatedAlpha(block, alphas);
            for (int i = 0; i < 16; ++i) {
                const size_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x >= static_cast<size_t>(width) || y >= static_cast<size_t>(height)) continue;
                image.pixels[y * width + x] = colours[i];
                image.alpha[y * width + x] = alphas[i];
            }
        }
    DropMeaninglessAlpha(image, false);
    return image;
}

std::optional<DecodedImage> DecodeUncompressed(Bytes b, int width, int height, uint32_t flags) {
    const uint32_t bitCount = Le32(b, 88);
    if (bitCount != 16 && bitCount != 24 && bitCount != 32) return std::nullopt;
    const size_t pixelBytes = bitCount / 8;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if ((b.size() - kDataStart) / pixelBytes < count) return std::nullopt;
    const MaskChannel red(Le32(b, 92)), green(Le32(b, 96)), blue(Le32(b, 100));
    const MaskChannel alpha((flags & kAlphaPixels) ? Le32(b, 104) : 0);
    if (!red.Present() && !green.Present() && !blue.Present()) return std::nullopt;
    DecodedImage image = AllocateImage(width, height, alpha.Present());
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = b.data() + kDataStart + i * pixelBytes;
        uint32_t v = 0;
        for (size_t k = 0; k < pixelBytes; ++k) v |= static_cast<uint32_t>(p[k]) << (8 * k);
        image.pixels[i] = PackRgb(red.Extract(v), green.Extract(v), blue.Extract(v));
        if (image.hasAlpha) image.alpha[i] = static_cast<uint8_t>(alpha.Extract(v));
    }
    DropMeaninglessAlpha(image, false);
    return image;
}

}  // namespace

std::optional<DecodedImage> DecodeDds(Bytes b) {
    if (b.size() < kDataStart || b[0] != 'D' || b[1] != 'D' || b[2] != 'S' || b[3] != ' ') return std::nullopt;
    if (Le32(b, 4) != 124 || Le32(b, 76) != 32) return std::nullopt;
    const int64_t height = Le32(b, 12);
    const int64_t width = Le32(b, 16);
    if (!FitsImageLimits(width, height)) return std::nullopt;
    const uint32_t flags = Le32(b, 80);
    if (flags & kFourCc) {
        const uint32_t fourCc = Le32(b, 84);
        if (fourCc != FourCc('D', 'X', 'T', '1') && fourCc != FourCc('D', 'X', 'T', '3') &&
            fourCc != FourCc('D', 'X', 'T', '5'))
            return std::nullopt;
        return DecodeBlocks(b, static_cast<int>(width), static_cast<int>(height), fourCc);
    }
    if (flags & kRgb) return DecodeUncompressed(b, static_cast<int>(width), static_cast<int>(height), flags);
    return std::nullopt;
}

}  // namespace media_detail
