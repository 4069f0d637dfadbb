// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the image fuzzer: one small valid file for each
// decoder variant.   image_seed_writer <folder>
#include <cstdio>
#include <string>

#include "image_writers.h"

using namespace image_writers;

namespace {

void Save(const std::string& folder, const std::string& name, const Bytes& bytes) {
    const std::string path = folder + "/" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

Picture Sample(int width, int height) {
    Picture p{width, height, {}, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            p.rgb.push_back(static_cast<uint32_t>((x * 40) << 16 | (y * 50) << 8 | ((x + y) * 20)));
            p.alpha.push_back(static_cast<uint8_t>((x + y) * 30));
        }
    return p;
}

Picture Indices(int width, int height, int colours) {
    Picture p{width, height, {}, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.rgb.push_back(static_cast<uint32_t>((x / 2 + y) % colours));
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const Picture rgb = Sample(5, 4);
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

    BmpOptions bmp;
    Save(dir, "rgb24.bmp", BmpFile(rgb, bmp));
    bmp.infoSize = 12;
    Save(dir, "core24.bmp", BmpFile(rgb, bmp));
    bmp = {};
    bmp.bitCount = 8, bmp.palette = palette, bmp.topDown = true;
    Save(dir, "pal8.bmp", BmpFile(Indices(6, 3, 4), bmp));
    bmp.compression = 1, bmp.topDown = false;
    Save(dir, "rle8.bmp", BmpFile(Indices(6, 3, 4), bmp));
    bmp.compression = 2, bmp.bitCount = 4;
    Save(dir, "rle4.bmp", BmpFile(Indices(6, 3, 4), bmp));
    bmp = {};
    bmp.bitCount = 32, bmp.compression = 3, bmp.infoSize = 124;
    bmp.masks[0] = 0xFF0000, bmp.masks[1] = 0xFF00, bmp.masks[2] = 0xFF, bmp.masks[3] = 0xFF000000;
    Save(dir, "v5_32.bmp", BmpFile(rgb, bmp));

    Save(dir, "rgb.png", PngFile(rgb, {}));
    PngOptions png;
    png.colorType = PNG_COLOR_TYPE_RGB_ALPHA, png.interlace = true;
    Save(dir, "rgba_interlaced.png", PngFile(rgb, png));
    png = {};
    png.colorType = PNG_COLOR_TYPE_PALETTE, png.bitDepth = 2, png.palette = palette, png.paletteAlpha = {0, 255};
    Save(dir, "palette.png", PngFile(Indices(6, 3, 4), png));

    Save(dir, "colour.jpg", JpegFile(Sample(16, 16), false));
    Save(dir, "grey.jpg", JpegFile(Sample(8, 8), true));
    Save(dir, "raw8.bgra", RawBgra(rgb, false));
    Save(dir, "raw16.bgra", RawBgra(rgb, true));

    TgaOptions tga;
    Save(dir, "rgb24.tga", TgaFile(rgb, tga));
    tga.imageType = 10, tga.depth = 32, tga.alphaBits = 8, tga.topDown = true;
    Save(dir, "rle32.tga", TgaFile(rgb, tga));
    tga = {};
    tga.imageType = 9, tga.depth = 8, tga.map = palette;
    Save(dir, "mapped_rle.tga", TgaFile(Indices(6, 3, 4), tga));

    const uint32_t rgbMasks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    Bytes dds = DdsHeader(2, 2, 0x41, 0, 32, rgbMasks);
    for (int i = 0; i < 4; ++i) Append32(dds, 0x80FF8040u + i);
    Save(dir, "rgba.dds", dds);
    const uint32_t none[4] = {0, 0, 0, 0};
    for (const char* kind : {"DXT1", "DXT3", "DXT5"}) {
        Bytes block = DdsHeader(5, 5, 0x4, FourCc(kind), 0, none);
        for (int i = 0; i < 4 * (kind[3] == '1' ? 8 : 16); ++i) block.push_back(static_cast<uint8_t>(i * 37));
        Save(dir, std::string("block_") + kind + ".dds", block);
    }
    return 0;
}
