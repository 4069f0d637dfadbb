// SPDX-License-Identifier: GPL-3.0-or-later
#include "picgen/png_out.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace picgen {

namespace {

uint8_t To8(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

void Write(const std::vector<uint8_t>& bytes, int w, int h, bool alpha, const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + path + ": " + image.message);
}

}  // namespace

void WriteOpaquePng(const Canvas& c, const std::string& path, Rgba backdrop) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(c.Width()) * c.Height() * 3);
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            Rgba p = Mix(backdrop, WithAlpha(c.At(x, y), 1), c.At(x, y).a);
            uint8_t r = To8(p.r), g = To8(p.g), b = To8(p.b);
            if (r == 0 && g == 255 && b == 0) g = 254;
            bytes.insert(bytes.end(), {r, g, b});
        }
    }
    Write(bytes, c.Width(), c.Height(), false, path);
}

void WriteKeyedPng(const Canvas& c, const std::string& path) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(c.Width()) * c.Height() * 3);
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba& p = c.At(x, y);
            if (p.a < 0.5f) {
                bytes.insert(bytes.end(), {0, 255, 0});
                continue;
            }
            uint8_t r = To8(p.r), g = To8(p.g), b = To8(p.b);
            if (r == 0 && g == 255 && b == 0) g = 254;
            bytes.insert(bytes.end(), {r, g, b});
        }
    }
    Write(bytes, c.Width(), c.Height(), false, path);
}

void WriteAlphaPng(const Canvas& c, const std::string& path) {
    std::vector<uint8_t> bytes;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba& p = c.At(x, y);
            bytes.insert(bytes.end(), {To8(p.r), To8(p.g), To8(p.b), To8(p.a)});
        }
    Write(bytes, c.Width(), c.Height(), true, path);
}

}  // namespace picgen
