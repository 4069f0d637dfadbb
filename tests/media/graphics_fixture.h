// Shared set-up for the graphics tests: a running back buffer without a
// window, and images built from pixel lists.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

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
    std::vector<uint8_t> out = {'B', 'G', 'R', 'A', 8, 8, 8, 8};
    for (int v : {width, height})
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    for (size_t i = 0; i < rgb.size(); ++i) {
        out.push_back(static_cast<uint8_t>(rgb[i]));
        out.push_back(static_cast<uint8_t>(rgb[i] >> 8));
        out.push_back(static_cast<uint8_t>(rgb[i] >> 16));
        out.push_back(alpha[i]);
    }
    return out;
}

// Bytes of a 24-bit bottom-up BMP (no alpha: uses the colour key).
inline std::vector<uint8_t> Bmp24File(int width, int height, const std::vector<uint32_t>& rgb) {
    const int stride = (width * 3 + 3) & ~3;
    const int size = 54 + stride * height;
    std::vector<uint8_t> out(static_cast<size_t>(size), 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B', out[1] = 'M';
    put32(2, static_cast<uint32_t>(size));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgb[static_cast<size_t>(y) * width + x];
            uint8_t* p = &out[54 + static_cast<size_t>(height - 1 - y) * stride + 3 * x];
            p[0] = static_cast<uint8_t>(c), p[1] = static_cast<uint8_t>(c >> 8), p[2] = static_cast<uint8_t>(c >> 16);
        }
    return out;
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
