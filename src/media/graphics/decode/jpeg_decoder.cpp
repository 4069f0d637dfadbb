// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG through libjpeg, grey-scale, colour and CMYK. Errors return to the
// decoder instead of ending the process, and data that ends early counts as
// an error rather than a grey-filled picture.
#include <cstdio>  // jpeglib.h needs FILE
#include <csetjmp>

#include <jerror.h>
#include <jpeglib.h>

#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void EmitMessage(j_common_ptr info, int level) {
    // A warning that the data ran out is fatal here; other warnings are ignored.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) ErrorExit(info);
}

void OutputMessage(j_common_ptr) {}

struct JpegSession {
    jpeg_decompress_struct info{};
    ErrorManager error{};
    bool created = false;
    ~JpegSession() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

// These two run under setjmp and so create nothing that needs destroying.
bool ReadHeader(JpegSession& s, Bytes b) {
    if (setjmp(s.error.jump)) return false;
    jpeg_create_decompress(&s.info);
    s.created = true;
    // Progressive files keep every coefficient of the image; past this the
    // library reports an error instead of allocating.
    s.info.mem->max_memory_to_use = static_cast<long>(kMaxImageBytes);
    jpeg_mem_src(&s.info, b.data(), static_cast<unsigned long>(b.size()));
    jpeg_read_header(&s.info, TRUE);
    switch (s.info.jpeg_color_space) {
        case JCS_GRAYSCALE: s.info.out_color_space = JCS_GRAYSCALE; break;
        case JCS_CMYK: case JCS_YCCK: s.info.out_color_space = JCS_CMYK; break;
        default: s.info.out_color_space = JCS_RGB; break;
    }
    return true;
}

bool ReadScanlines(JpegSession& s, uint8_t* out, size_t rowBytes) {
    if (setjmp(s.error.jump)) return false;
    jpeg_start_decompress(&s.info);
    if (static_cast<size_t>(s.info.output_width) * static_cast<size_t>(s.info.output_components) > rowBytes)
        return false;
    while (s.info.output_scanline < s.info.output_height) {
        JSAMPROW row = out + static_cast<size_t>(s.info.output_scanline) * rowBytes;
        jpeg_read_scanlines(&s.info, &row, 1);
    }
    jpeg_finish_decompress(&s.info);
    return true;
}

uint32_t CmykToRgb(const uint8_t* p, bool inverted) {
    // Adobe writers store CMYK inverted; both forms reduce to channel x K.
    const uint32_t c = inverted ? p[0] : 255 - p[0];
    const uint32_t m = inverted ? p[1] : 255 - p[1];
    const uint32_t y = inverted ? p[2] : 255 - p[2];
    const uint32_t k = inverted ? p[3] : 255 - p[3];
    return PackRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(Bytes bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    JpegSession s;
    s.info.err = jpeg_std_error(&s.error.base);
    s.error.base.error_exit = ErrorExit;
    s.error.base.emit_message = EmitMessage;
    s.error.base.output_message = OutputMessage;
    if (!ReadHeader(s, bytes)) return std::nullopt;
    if (!FitsImageLimits(s.info.image_width, s.info.image_height)) return std::nullopt;
    // Every 8x8 block costs at least a few bits; 4096 pixels a byte is far beyond any real file.
    if (!CompressedSizePlausible(s.info.image_width, s.info.image_height, bytes.size(), 4096)) return std::nullopt;

    const int components = s.info.out_color_space == JCS_GRAYSCALE ? 1 : s.info.out_color_space == JCS_CMYK ? 4 : 3;
    const size_t width = s.info.image_width;
    const size_t height = s.info.image_height;
    std::vector<uint8_t> samples(width * height * static_cast<size_t>(components));
    if (!ReadScanlines(s, samples.data(), width * static_cast<size_t>(components))) return std::nullopt;
    if (s.info.output_width != width || s.info.output_height != height) return std::nullopt;

    DecodedImage image = AllocateImage(static_cast<int>(width), static_cast<int>(height), false);
    const bool inverted = s.info.saw_Adobe_marker;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint8_t* p = samples.data() + i * static_cast<size_t>(components);
        switch (components) {
            case 1: image.pixels[i] = PackRgb(p[0], p[0], p[0]); break;
            case 3: image.pixels[i] = PackRgb(p[0], p[1], p[2]); break;
            default: image.pixels[i] = CmykToRgb(p, inverted); break;
        }
    }
    return image;
}

}  // namespace media_detail
