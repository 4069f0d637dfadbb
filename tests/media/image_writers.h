// SPDX-License-Identifier: GPL-3.0-or-later
// Encoders for test pictures: every variant the decoders read, written from
// a plain pixel list (0x00RRGGBB plus alpha), or through libpng and libjpeg.
#pragma once

#include <png.h>

#include <cstdio>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace image_writers {

using Bytes = std::vector<uint8_t>;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;    // row by row, top first
    std::vector<uint8_t> alpha;   // empty: opaque
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
    uint8_t AlphaAt(int x, int y) const { return alpha.empty() ? 255 : alpha[static_cast<size_t>(y) * width + x]; }
};

inline Picture MakePicture(int width, int height, std::vector<uint32_t> rgb, std::vector<uint8_t> alpha = {}) {
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb = std::move(rgb);
    p.alpha = std::move(alpha);
    return p;
}

inline void Put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v), b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Append16(Bytes& b, uint32_t v) { b.push_back(static_cast<uint8_t>(v)), b.push_back(static_cast<uint8_t>(v >> 8)); }
inline void Append32(Bytes& b, uint32_t v) { Append16(b, v & 0xFFFF), Append16(b, v >> 16); }

// ---------------------------------------------------------------------------
// BMP
// ---------------------------------------------------------------------------

struct BmpOptions {
    int infoSize = 40;            // 12, 40, 108 or 124
    int bitCount = 24;            // 1, 4, 8, 16, 24, 32
    bool topDown = false;
    int compression = 0;          // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    uint32_t masks[4] = {0, 0, 0, 0};
    std::vector<uint32_t> palette;  // for 1/4/8 bits
};

// Pixels for palette images are palette indices in Picture::rgb.
inline Bytes BmpFile(const Picture& p, const BmpOptions& o) {
    const bool core = o.infoSize == 12;
    const size_t entry = core ? 3 : 4;
    const bool separateMasks = o.compression == 3 && o.infoSize == 40;
    const size_t paletteStart = 14 + o.infoSize + (separateMasks ? 12 : 0);
    const size_t pixelStart = paletteStart + entry * o.palette.size();
    Bytes b(pixelStart, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 10, static_cast<uint32_t>(pixelStart));
    Put32(b, 14, static_cast<uint32_t>(o.infoSize));
    const int storedHeight = o.topDown ? -p.height : p.height;
    if (core) {
        Put16(b, 18, p.width), Put16(b, 20, p.height), Put16(b, 22, 1), Put16(b, 24, o.bitCount);
    } else {
        Put32(b, 18, p.width), Put32(b, 22, static_cast<uint32_t>(storedHeight));
        Put16(b, 26, 1), Put16(b, 28, o.bitCount), Put32(b, 30, o.compression);
        Put32(b, 46, static_cast<uint32_t>(o.palette.size()));
        if (o.compression == 3)
            for (int i = 0; i < (o.infoSize >= 56 ? 4 : 3); ++i) Put32(b, 54 + 4 * i, o.masks[i]);
    }
    for (size_t i = 0; i < o.palette.size(); ++i) {
        const uint32_t c = o.palette[i];
        b[paletteStart + entry * i] = static_cast<uint8_t>(c);
        b[paletteStart + entry * i + 1] = static_cast<uint8_t>(c >> 8);
        b[paletteStart + entry * i + 2] = static_cast<uint8_t>(c >> 16);
    }
    auto fileRow = [&](int i) { return o.topDown ? i : p.height - 1 - i; };
    if (o.compression == 1 || o.compression == 2) {
        // Runs of equal indices per row, coded with the repeat form only.
        const bool four = o.compression == 2;
        for (int i = 0; i < p.height; ++i) {
            const int y = fileRow(i);
            for (int x = 0; x < p.width;) {
                int run = 1;
                while (x + run < p.width && run < 254 && p.At(x + run, y) == p.At(x, y)) ++run;
                const uint32_t v = p.At(x, y);
                b.push_back(static_cast<uint8_t>(run));
                b.push_back(static_cast<uint8_t>(four ? (v << 4) | v : v));
                x += run;
            }
            b.push_back(0), b.push_back(0);
        }
        b.push_back(0), b.push_back(1);
    } else {
        const size_t stride = ((static_cast<size_t>(p.width) * o.bitCount + 31) / 32) * 4;
        for (int i = 0; i < p.height; ++i) {
            const int y = fileRow(i);
            Bytes row(stride, 0);
            for (int x = 0; x < p.width; ++x) {
                const uint32_t v = p.At(x, y);
                switch (o.bitCount) {
                    case 1: row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8)); break;
                    case 4: row[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
                    case 8: row[x] = static_cast<uint8_t>(v); break;
                    case 16: Put16(row, 2 * x, v); break;  // already packed by the caller
                    case 24: row[3 * x] = static_cast<uint8_t>(v), row[3 * x + 1] = static_cast<uint8_t>(v >> 8),
                             row[3 * x + 2] = static_cast<uint8_t>(v >> 16); break;
                    case 32: Put32(row, 4 * x, v); break;  // already packed by the caller
                }
            }
            b.insert(b.end(), row.begin(), row.end());
        }
    }
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

// ---------------------------------------------------------------------------
// TGA
// ---------------------------------------------------------------------------

struct TgaOptions {
    int imageType = 2;        // 1 mapped, 2 true colour, 3 grey; +8 run-length
    int depth = 24;           // 8, 15, 16, 24, 32
    bool topDown = false;
    bool rightToLeft = false;
    int alphaBits = 0;
    std::vector<uint32_t> map;  // 24-bit colour map for type 1
};

// Values in Picture::rgb are written as they are for 8/16-bit data (index,
// grey or packed 555); 24/32-bit take the colour (and alpha).
inline Bytes TgaFile(const Picture& p, const TgaOptions& o) {
    Bytes b(18, 0);
    b[0] = 3;  // an id field to skip
    b[1] = o.map.empty() ? 0 : 1;
    b[2] = static_cast<uint8_t>(o.imageType);
    Put16(b, 5, static_cast<uint32_t>(o.map.size()));
    b[7] = o.map.empty() ? 0 : 24;
    Put16(b, 12, p.width), Put16(b, 14, p.height);
    b[16] = static_cast<uint8_t>(o.depth);
    b[17] = static_cast<uint8_t>(o.alphaBits | (o.rightToLeft ? 0x10 : 0) | (o.topDown ? 0x20 : 0));
    b.insert(b.end(), {'i', 'd', '!'});
    for (uint32_t c : o.map) b.insert(b.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)});
    std::vector<Bytes> pixels;
    for (int i = 0; i < p.height; ++i) {
        const int y = o.topDown ? i : p.height - 1 - i;
        for (int j = 0; j < p.width; ++j) {
            const int x = o.rightToLeft ? p.width - 1 - j : j;
            const uint32_t v = p.At(x, y);
            Bytes px;
            if (o.depth == 8) px = {static_cast<uint8_t>(v)};
            else if (o.depth <= 16) px = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
            else px = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16)};
            if (o.depth == 32) px.push_back(p.AlphaAt(x, y));
            pixels.push_back(px);
        }
    }
    if (o.imageType < 8) {
        for (const Bytes& px : pixels) b.insert(b.end(), px.begin(), px.end());
        return b;
    }
    // Run-length: repeat packets for runs, raw packets for the rest.
    for (size_t i = 0; i < pixels.size();) {
        size_t run = 1;
        while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) ++run;
        if (run > 1) {
            b.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            b.insert(b.end(), pixels[i].begin(), pixels[i].end());
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < pixels.size() && raw < 128 && pixels[i + raw] != pixels[i + raw - 1]) ++raw;
        b.push_back(static_cast<uint8_t>(raw - 1));
        for (size_t k = 0; k < raw; ++k) b.insert(b.end(), pixels[i + k].begin(), pixels[i + k].end());
        i += raw;
    }
    return b;
}

// ---------------------------------------------------------------------------
// DDS
// ---------------------------------------------------------------------------

inline Bytes DdsHeader(int width, int height, uint32_t pfFlags, uint32_t fourCc, uint32_t bitCount,
                       const uint32_t masks[4]) {
    Bytes b(128, 0);
    b[0] = 'D', b[1] = 'D', b[2] = 'S', b[3] = ' ';
    Put32(b, 4, 124);
    Put32(b, 8, 0x1007);
    Put32(b, 12, static_cast<uint32_t>(height));
    Put32(b, 16, static_cast<uint32_t>(width));
    Put32(b, 76, 32);
    Put32(b, 80, pfFlags);
    Put32(b, 84, fourCc);
    Put32(b, 88, bitCount);
    for (int i = 0; i < 4; ++i) Put32(b, 92 + 4 * i, masks[i]);
    return b;
}

inline uint32_t FourCc(const char* s) {
    return static_cast<uint32_t>(s[0]) | (static_cast<uint32_t>(s[1]) << 8) | (static_cast<uint32_t>(s[2]) << 16) |
           (static_cast<uint32_t>(s[3]) << 24);
}

// ---------------------------------------------------------------------------
// Raw BGRA
// ---------------------------------------------------------------------------

inline Bytes RawBgra(const Picture& p, bool sixteen) {
    Bytes b = {'B', 'G', 'R', 'A'};
    Append32(b, sixteen ? 0x10101010u : 0x08080808u);
    Append32(b, static_cast<uint32_t>(p.width));
    Append32(b, static_cast<uint32_t>(p.height));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint32_t c = p.At(x, y);
            const uint8_t channels[4] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                         static_cast<uint8_t>(c >> 16), p.AlphaAt(x, y)};
            for (uint8_t v : channels) {
                if (sixteen) b.push_back(0x5A);  // low byte: ignored
                b.push_back(v);
            }
        }
    return b;
}

// ---------------------------------------------------------------------------
// PNG and JPEG through their libraries
// ---------------------------------------------------------------------------

struct PngOptions {
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlace = false;
    std::vector<uint32_t> palette;  // for PNG_COLOR_TYPE_PALETTE (indices in rgb)
    std::vector<uint8_t> paletteAlpha;  // tRNS for palettes
};

inline void PngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// Grey images take the blue channel; 16-bit samples repeat the byte.
inline Bytes PngFile(const Picture& p, const PngOptions& o) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, PngWrite, nullptr);
    png_set_IHDR(png, info, p.width, p.height, o.bitDepth, o.colorType,
                 o.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : o.palette)
        palette.push_back({static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!o.paletteAlpha.empty())
        png_set_tRNS(png, info, o.paletteAlpha.data(), static_cast<int>(o.paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    const bool color = o.colorType & PNG_COLOR_MASK_COLOR && o.colorType != PNG_COLOR_TYPE_PALETTE;
    const bool alpha = o.colorType & PNG_COLOR_MASK_ALPHA;
    std::vector<Bytes> rows;
    for (int y = 0; y < p.height; ++y) {
        Bytes row;
        uint32_t bits = 0;
        int bitCount = 0;
        for (int x = 0; x < p.width; ++x) {
            const uint32_t c = p.At(x, y);
            std::vector<uint32_t> samples;
            if (o.colorType == PNG_COLOR_TYPE_PALETTE) samples = {c};
            else if (color) samples = {(c >> 16) & 255, (c >> 8) & 255, c & 255};
            else samples = {c & 255};
            if (alpha) samples.push_back(p.AlphaAt(x, y));
            for (uint32_t s : samples) {
                if (o.bitDepth == 16) {
                    row.push_back(static_cast<uint8_t>(s)), row.push_back(static_cast<uint8_t>(s));
                } else if (o.bitDepth == 8) {
                    row.push_back(static_cast<uint8_t>(s));
                } else {
                    bits = (bits << o.bitDepth) | (s & ((1u << o.bitDepth) - 1));
                    bitCount += o.bitDepth;
                    if (bitCount == 8) row.push_back(static_cast<uint8_t>(bits)), bits = 0, bitCount = 0;
                }
            }
        }
        if (bitCount > 0) row.push_back(static_cast<uint8_t>(bits << (8 - bitCount)));
        rows.push_back(row);
    }
    std::vector<png_bytep> pointers;
    for (Bytes& r : rows) pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// Quality 100; grey pictures take the blue channel.
inline Bytes JpegFile(const Picture& p, bool grey, bool progressive = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(p.width);
    info.image_height = static_cast<JDIMENSION>(p.height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;  // no chroma subsampling
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < p.height; ++y) {
        Bytes row;
        for (int x = 0; x < p.width; ++x) {
            const uint32_t c = p.At(x, y);
            if (grey) row.push_back(static_cast<uint8_t>(c));
            else row.insert(row.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace image_writers
