// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/sdl_icon.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace media_detail {

namespace {

constexpr int kIconSize = 32;

SDL_Surface* SurfaceFromRgba(const std::vector<uint8_t>& rgba, int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return nullptr;
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch, rgba.data() + y * width * 4,
                    static_cast<size_t>(width) * 4);
    return surface;
}

SDL_Surface* LoadPngIcon(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return nullptr;
    // An icon is small; anything else is not our icon.
    if (image.width == 0 || image.height == 0 || image.width > 256 || image.height > 256) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    return SurfaceFromRgba(rgba, static_cast<int>(image.width), static_cast<int>(image.height));
}

// A board tile with a row of marks and a goal: recognisable at 32x32.
SDL_Surface* BuiltInIcon() {
    std::vector<uint8_t> rgba(kIconSize * kIconSize * 4, 0);
    auto put = [&](int x, int y, uint32_t rgb) {
        uint8_t* p = &rgba[(y * kIconSize + x) * 4];
        p[0] = static_cast<uint8_t>(rgb >> 16);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb);
        p[3] = 255;
    };
    auto fill = [&](int x0, int y0, int size, uint32_t rgb) {
        for (int y = y0; y < y0 + size; ++y)
            for (int x = x0; x < x0 + size; ++x) put(x, y, rgb);
    };
    for (int y = 1; y < kIconSize - 1; ++y)
        for (int x = 1; x < kIconSize - 1; ++x) {
            const bool corner = (x < 3 || x > kIconSize - 4) && (y < 3 || y > kIconSize - 4);
            if (corner) continue;
            const bool edge = x == 1 || y == 1 || x == kIconSize - 2 || y == kIconSize - 2;
            put(x, y, edge ? 0x6A84C8 : 0x1E2A4A);
        }
    const uint32_t cells[3][3] = {{0xF2C14E, 0x1E2A4A, 0xF2C14E},
                                  {0x3A4E80, 0xE8505B, 0x3A4E80},
                                  {0xF2C14E, 0x3A4E80, 0xF2C14E}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            if (cells[row][col] != 0x1E2A4A) fill(5 + col * 8, 5 + row * 8, 6, cells[row][col]);
    return SurfaceFromRgba(rgba, kIconSize, kIconSize);
}

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();
    if (!base) return "";
    std::string folder = base;
    SDL_free(base);
    return folder;
}

}  // namespace

SDL_Surface* LoadWindowIcon(int iconId) {
    if (iconId != kGameIconId) return nullptr;
    // The game's data folder is the current one (installed or portable); the
    // program's own folder also serves a program started in place.
    if (SDL_Surface* icon = LoadPngIcon("icon.png")) return icon;
    if (SDL_Surface* icon = LoadPngIcon(ProgramFolder() + "icon.png")) return icon;
    return BuiltInIcon();
}

}  // namespace media_detail
