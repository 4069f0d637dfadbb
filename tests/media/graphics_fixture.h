// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up for the graphics tests: a running back buffer without a
// window, and images built from pixel lists.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "image_writers.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace graphics_test {

struct ClipRectLike {
    int left, top, right, bottom;
};

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// Bytes of a raw "BGRA" file (8 bits a channel) with these pixels and alphas.
inline std::vector<uint8_t> RawBgraFile(int width, int height, const std::vector<uint32_t>& rgb,
                                        const std::vector<uint8_t>& alpha) {
    return image_writers::RawBgra(image_writers::MakePicture(width, height, rgb, alpha), false);
}

// Bytes of a 24-bit bottom-up BMP (no alpha: uses the colour key).
inline std::vector<uint8_t> Bmp24File(int width, int height, const std::vector<uint32_t>& rgb) {
    return image_writers::BmpFile(image_writers::MakePicture(width, height, rgb), {});
}

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(media_detail::GraphicsInit()); }
    void TearDown() override { media_detail::GraphicsShutdown(); }

    static uint32_t Pixel(int x, int y) { return media_detail::BackBufferPixels()[y * kScreenWidth + x]; }
    static void Fill(uint32_t colour) {
        ASSERT_EQ(DrawBox(0, 0, kScreenWidth, kScreenHeight, static_cast<int>(colour), 1), 0);
    }
    // Counts back buffer pixels that differ from `colour`.
    static int CountNot(uint32_t colour) {
        int n = 0;
        for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) n += media_detail::BackBufferPixels()[i] != colour;
        return n;
    }
    static int KeyedImage(int width, int height, const std::vector<uint32_t>& rgb) {
        const auto file = Bmp24File(width, height, rgb);
        return CreateImageFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 1, 0);
    }
    static int AlphaImage(int width, int height, const std::vector<uint32_t>& rgb, const std::vector<uint8_t>& a) {
        const auto file = RawBgraFile(width, height, rgb, a);
        return CreateImageFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 1, 0);
    }
    // A w x h image whose pixel (x, y) has the distinct colour (x + 1, y + 1, 7).
    static uint32_t Distinct(int x, int y) { return MakeColor(x + 1, y + 1, 7); }
    static int DistinctImage(int width, int height) {
        std::vector<uint32_t> rgb;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) rgb.push_back(Distinct(x, y));
        return KeyedImage(width, height, rgb);
    }
};

}  // namespace graphics_test
