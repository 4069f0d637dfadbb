// SPDX-License-Identifier: GPL-3.0-or-later
// Windows and OS/2 bitmaps: core, version 3, 4 and 5 headers; 1/4/8-bit
// palettes (also RLE4/RLE8), 16/24/32-bit with bit-field masks; both row orders.
#include <array>

#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

struct BmpHeader {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    size_t paletteStart = 0;
    size_t paletteEntry = 4;
    size_t pixelStart = 0;
};

bool ReadHeader(Bytes b, BmpHeader& h) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t infoSize = Le32(b, 14);
    const bool known = infoSize == 12 || infoSize == 16 || infoSize == 40 || infoSize == 52 ||
                       infoSize == 56 || infoSize == 64 || infoSize == 108 || infoSize == 124;
    if (!known || 14 + static_cast<size_t>(infoSize) > b.size()) return false;
    int planes = 0;
    if (infoSize == 12) {
        h.width = Le16(b, 18);
        h.height = Le16(b, 20);
        planes = Le16(b, 22);
        h.bitCount = Le16(b, 24);
        h.paletteEntry = 3;
    } else {
        h.width = static_cast<int32_t>(Le32(b, 18));
        h.height = static_cast<int32_t>(Le32(b, 22));
        planes = Le16(b, 26);
        h.bitCount = Le16(b, 28);
        if (infoSize >= 20) h.compression = Le32(b, 30);
        if (infoSize >= 36) h.colorsUsed = Le32(b, 46);
    }
    if (planes != 1) return false;
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    if (!FitsImageLimits(h.width, h.height)) return false;

    size_t afterInfo = 14 + infoSize;
    switch (h.bitCount) {
        case 1: case 4: case 8:
            if (!(h.compression == kRgb || (h.compression == kRle8 && h.bitCount == 8) ||
                  (h.compression == kRle4 && h.bitCount == 4)))
                return false;
            break;
        case 16: case 32:
            if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
                const int count = h.compression == kAlphaBitFields ? 4 : 3;
                // Version 3 headers keep the masks right after the header.
                const size_t at = 54;
                if (infoSize == 40) afterInfo += 4 * count;
                if (at + 4 * count > b.size()) return false;
                for (int i = 0; i < count; ++i) h.masks[i] = Le32(b, at + 4 * i);
                if (infoSize >= 56 && count == 3) h.masks[3] = Le32(b, 66);
            } else if (h.compression == kRgb) {
                if (h.bitCount == 16) {
                    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
                } else {
                    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
                }
            } else {
                return false;
            }
            break;
        case 24:
            if (h.compression != kRgb) return false;
            break;
        default:
            return false;
    }
    h.paletteStart = afterInfo;
    h.pixelStart = Le32(b, 10);
    return h.pixelStart >= afterInfo && h.pixelStart < b.size();
}

// Palette entries that lie inside the file; indices beyond them read black.
std::array<uint32_t, 256> ReadPalette(Bytes b, const BmpHeader& h, int& count) {
    std::array<uint32_t, 256> palette{};
    const size_t wanted = h.colorsUsed != 0 && h.colorsUsed < (1u << h.bitCount) ? h.colorsUsed
                                                                                  : (1u << h.bitCount);
    const size_t available = (h.pixelStart - h.paletteStart) / h.paletteEntry;
    count = static_cast<int>(std::min(wanted, available));
    for (int i = 0; i < count; ++i) {
        const size_t at = h.paletteStart + static_cast<size_t>(i) * h.paletteEntry;
        palette[i] = PackRgb(b[at + 2], b[at + 1], b[at]);
    }
    return palette;
}

size_t RowOf(const BmpHeader& h, int64_t fileRow) {
    return static_cast<size_t>(h.topDown ? fileRow : h.height - 1 - fileRow);
}

int64_t Stride(const BmpHeader& h) { return ((h.width * h.bitCount + 31) / 32) * 4; }

// The rows lie inside the file (the last row may lack its padding).
bool PixelDataFits(Bytes b, const BmpHeader& h) {
    const int64_t lastRowBytes = (h.width * h.bitCount + 7) / 8;
    return static_cast<int64_t>(h.pixelStart) + Stride(h) * (h.height - 1) + lastRowBytes <=
           static_cast<int64_t>(b.size());
}

bool DecodeUncompressed(Bytes b, const BmpHeader& h, DecodedImage& out) {
    const int64_t stride = Stride(h);
    int paletteCount = 0;
    const auto palette = h.bitCount <= 8 ? ReadPalette(b, h, paletteCount) : std::array<uint32_t, 256>{};
    const MaskChannel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const int width = out.width;
    for (int64_t row = 0; row < h.height; ++row) {
        const uint8_t* src = b.data() + h.pixelStart + row * stride;
        const size_t outRow = RowOf(h, row) * static_cast<size_t>(width);
        uint32_t* dst = out.pixels.data() + outRow;
        for (int x = 0; x < width; ++x) {
            uint32_t v = 0;
            switch (h.bitCount) {
                case 1: v = (src[x >> 3] >> (7 - (x & 7))) & 1; break;
                case 4: v = (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF; break;
                case 8: v = src[x]; break;
                case 16: v = static_cast<uint32_t>(src[2 * x] | (src[2 * x + 1] << 8)); break;
                case 24: dst[x] = PackRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); continue;
                case 32: v = Le32(Bytes(src + 4 * x, 4), 0); break;
            }
            if (h.bitCount <= 8) {
                dst[x] = static_cast<int>(v) < paletteCount ? palette[v] : 0u;
            } else {
                dst[x] = PackRgb(red.Extract(v), green.Extract(v), blue.Extract(v));
                if (out.hasAlpha) out.alpha[outRow + x] = static_cast<uint8_t>(alpha.Extract(v));
            }
        }
    }
    return true;
}

// Run-length coded 4- and 8-bit bitmaps. Pixels the runs skip keep index 0.
bool DecodeRunLength(Bytes b, const BmpHeader& h, DecodedImage& out) {
    std::vector<uint8_t> indices(out.pixels.size(), 0);
    const int64_t width = h.width;
    const bool four = h.compression == kRle4;
    size_t at = h.pixelStart;
    int64_t x = 0, row = 0;
    auto put = [&](uint32_t index) {
        if (x < width && row < h.height) indices[RowOf(h, row) * width + x] = static_cast<uint8_t>(index);
        ++x;
    };
    bool ended = false;
    while (!ended) {
        if (at + 2 > b.size()) return false;  // ran out before the end marker
        const uint8_t count = b[at], value = b[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        switch (value) {
            case 0: x = 0, ++row; break;
            case 1: ended = true; break;
            case 2:
                if (at + 2 > b.size()) return false;
                x += b[at], row += b[at + 1];
                at += 2;
                break;
            default: {
                const size_t bytes = four ? (value + 1u) / 2 : value;
                if (at + bytes > b.size()) return false;
                for (int i = 0; i < value; ++i)
                    put(four ? ((i & 1) ? b[at + i / 2] & 0xF : b[at + i / 2] >> 4) : b[at + i]);
                at += (bytes + 1) & ~size_t{1};
            }
        }
        if (row >= h.height) ended = true;
    }
    int paletteCount = 0;
    const auto palette = ReadPalette(b, h, paletteCount);
    for (size_t i = 0; i < indices.size(); ++i)
        out.pixels[i] = indices[i] < paletteCount ? palette[indices[i]] : 0u;
    return true;
}

}  // namespace

std::optional<DecodedImage> DecodeBmp(Bytes bytes) {
    BmpHeader header;
    if (!ReadHeader(bytes, header)) return std::nullopt;
    const bool runLength = header.compression == kRle4 || header.compression == kRle8;
    if (!runLength && !PixelDataFits(bytes, header)) return std::nullopt;
    // Coded rows end with a two-byte marker or are skipped by four-byte deltas of up to 255 rows.
    if (runLength && header.height > static_cast<int64_t>(bytes.size() - header.pixelStart) * 128 + 1)
        return std::nullopt;
    const bool maybeAlpha = header.masks[3] != 0;
    DecodedImage image = AllocateImage(static_cast<int>(header.width), static_cast<int>(header.height), maybeAlpha);
    const bool ok = runLength ? DecodeRunLength(bytes, header, image)
                        : DecodeUncompressed(bytes, header, image);
    if (!ok) return std::nullopt;
    DropMeaninglessAlpha(image, true);
    return image;
}

}  // namespace media_detail
