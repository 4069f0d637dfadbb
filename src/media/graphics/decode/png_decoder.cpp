// SPDX-License-Identifier: GPL-3.0-or-later
// PNG through libpng: every colour type and depth is expanded to 8-bit
// BGRA; a PNG with an alpha channel or a transparency chunk keeps its alpha.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->at) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->at, length);
    reader->at += length;
}

// Errors return to the setjmp of the running stage; nothing is printed.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

struct PngSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    MemoryReader reader{};
    ~PngSession() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// These two run under setjmp and so create nothing that needs destroying.
bool ReadHeader(PngSession& s, png_uint_32& width, png_uint_32& height, bool& hasAlpha, int& passes) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_read_fn(s.png, &s.reader, ReadFromMemory);
    png_set_user_limits(s.png, static_cast<png_uint_32>(kMaxImageSide), static_cast<png_uint_32>(kMaxImageSide));
    png_read_info(s.png, s.info);
    width = png_get_image_width(s.png, s.info);
    height = png_get_image_height(s.png, s.info);
    const int colorType = png_get_color_type(s.png, s.info);
    const bool transparency = png_get_valid(s.png, s.info, PNG_INFO_tRNS) != 0;
    hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || transparency;

    png_set_expand(s.png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_strip_16(s.png);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(s.png);
    png_set_bgr(s.png);
    if (!hasAlpha) png_set_filler(s.png, 0xFF, PNG_FILLER_AFTER);
    passes = png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    return png_get_rowbytes(s.png, s.info) == static_cast<size_t>(width) * 4;
}

bool ReadRows(PngSession& s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_read_image(s.png, rows);
    png_read_end(s.png, nullptr);
    return true;
}

}  // namespace

std::optional<DecodedImage> DecodePng(Bytes bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;
    PngSession s;
    s.reader = {bytes.data(), bytes.size(), 0};
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning);
    if (!s.png) return std::nullopt;
    s.info = png_create_info_struct(s.png);
    if (!s.info) return std::nullopt;

    png_uint_32 width = 0, height = 0;
    bool hasAlpha = false;
    int passes = 1;
    if (!ReadHeader(s, width, height, hasAlpha, passes)) return std::nullopt;
    if (!FitsImageLimits(width, height)) return std::nullopt;
    // Deflate expands at most about 1032 times; one byte holds up to 8 one-bit pixels.
    if (!CompressedSizePlausible(width, height, bytes.size(), 8 * 1100)) return std::nullopt;

    std::vector<uint8_t> bgra(static_cast<size_t>(width) * height * 4);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = bgra.data() + static_cast<size_t>(y) * width * 4;
    if (!ReadRows(s, rows.data())) return std::nullopt;

    DecodedImage image = AllocateImage(static_cast<int>(width), static_cast<int>(height), hasAlpha);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint8_t* p = bgra.data() + 4 * i;
        image.pixels[i] = PackRgb(p[2], p[1], p[0]);
        if (hasAlpha) image.alpha[i] = p[3];
    }
    // An alpha channel that is opaque everywhere says nothing: such a picture
    // keeps the colour key like any other.
    DropMeaninglessAlpha(image, false);
    return image;
}

}  // namespace media_detail
