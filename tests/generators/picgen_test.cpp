// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing kit: shape coverage, compositing, pixel art, text, and the
// keyed PNG output that the game's transparent colour depends on.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "picgen/canvas.h"
#include "picgen/effects.h"
#include "picgen/pixel_art.h"
#include "picgen/png_out.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace {

using namespace picgen;

float Coverage(const Canvas& c) {
    float sum = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) sum += c.At(x, y).a;
    return sum;
}

std::vector<uint8_t> ReadRgb(const std::string& path, int& w, int& h) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    return rgb;
}

class ShapeTest : public ::testing::Test {};

TEST_F(ShapeTest, CircleCoversItsArea) {
    Canvas c(64, 64);
    c.Fill(Circle(32, 32, 20), Hex(0xffffff));
    EXPECT_NEAR(Coverage(c), M_PI * 400, 4);
    EXPECT_FLOAT_EQ(c.At(32, 32).a, 1.0f);
    EXPECT_FLOAT_EQ(c.At(2, 2).a, 0.0f);
}

TEST_F(ShapeTest, BoxAndPolygonAgreeOnASquare) {
    Canvas a(40, 40), b(40, 40);
    a.Fill(Box(10, 10, 20, 20), Hex(0xffffff));
    b.Fill(Polygon({{10, 10}, {30, 10}, {30, 30}, {10, 30}}), Hex(0xffffff));
    EXPECT_NEAR(Coverage(a), 400, 0.5f);
    EXPECT_NEAR(Coverage(b), 400, 0.5f);
    EXPECT_FLOAT_EQ(a.At(9, 20).a, 0.0f);
    EXPECT_FLOAT_EQ(a.At(10, 20).a, 1.0f);
}

TEST_F(ShapeTest, SubtractLeavesARing) {
    Canvas c(64, 64);
    c.Fill(Subtract(Circle(32, 32, 20), Circle(32, 32, 10)), Hex(0xffffff));
    EXPECT_FLOAT_EQ(c.At(32, 32).a, 0.0f);
    EXPECT_FLOAT_EQ(c.At(32, 17).a, 1.0f);
    EXPECT_NEAR(Coverage(c), M_PI * 300, 4);
}

TEST_F(ShapeTest, RotationTurnsClockwise) {
    Canvas c(64, 64);
    // A bar pointing right from the centre, turned a quarter: it points down.
    c.Fill(Rotate(Box(32, 30, 24, 4), 32, 32, static_cast<float>(M_PI / 2)), Hex(0xffffff));
    EXPECT_GT(c.At(32, 50).a, 0.9f);
    EXPECT_LT(c.At(50, 32).a, 0.1f);
}

TEST(CanvasTest, BlendingHalfOverOpaque) {
    Canvas c(1, 1, Hex(0x000000));
    c.Blend(0, 0, Hex(0xffffff, 0.5f));
    EXPECT_NEAR(c.At(0, 0).r, 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(c.At(0, 0).a, 1.0f);
}

TEST(CanvasTest, MirrorAndCrop) {
    Canvas c(4, 2);
    c.At(0, 1) = Hex(0xff0000);
    EXPECT_FLOAT_EQ(c.Mirrored().At(3, 1).r, 1.0f);
    Canvas part = c.Crop({0, 1, 2, 1});
    EXPECT_EQ(part.Width(), 2);
    EXPECT_FLOAT_EQ(part.At(0, 0).r, 1.0f);
}

TEST(EffectsTest, OutlineSurroundsTheShape) {
    Canvas c(9, 9);
    c.At(4, 4) = Hex(0xffffff);
    AddOutline(c, Hex(0x000000), 1);
    EXPECT_FLOAT_EQ(c.At(3, 3).a, 1.0f);
    EXPECT_FLOAT_EQ(c.At(3, 3).r, 0.0f);
    EXPECT_FLOAT_EQ(c.At(4, 4).r, 1.0f);
    EXPECT_FLOAT_EQ(c.At(2, 4).a, 0.0f);
}

TEST(EffectsTest, NoiseIsDeterministicAndInRange) {
    for (int i = 0; i < 100; ++i) {
        float v = FractalNoise(i * 0.37f, i * 0.11f, 4, 3);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        EXPECT_EQ(v, FractalNoise(i * 0.37f, i * 0.11f, 4, 3));
    }
}

TEST(PixelArtTest, PaletteCharactersBecomePixels) {
    Canvas c = FromPixelArt({"#.", ".o"}, {{'#', Hex(0xff0000)}, {'o', Hex(0x0000ff)}});
    EXPECT_EQ(c.Width(), 2);
    EXPECT_FLOAT_EQ(c.At(0, 0).r, 1.0f);
    EXPECT_FLOAT_EQ(c.At(1, 0).a, 0.0f);
    EXPECT_FLOAT_EQ(c.At(1, 1).b, 1.0f);
}

TEST(TextTest, RendersInkOfTheRequestedHeight) {
    Canvas mask = TextMask("VELTRIM", {"DejaVu Sans", true, 20});
    EXPECT_GT(mask.Width(), 60);
    EXPECT_GE(mask.Height(), 20);
    EXPECT_GT(Coverage(mask), 100);
}

class PngOutTest : public ::testing::Test {
protected:
    std::string path = (std::filesystem::temp_directory_path() / "picgen_test.png").string();
    void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(PngOutTest, KeyedSheetsTurnSeeThroughPixelsGreen) {
    Canvas c(3, 1);
    c.At(0, 0) = Hex(0x336699, 0.4f);  // mostly see-through: keyed out
    c.At(1, 0) = Hex(0x336699, 0.6f);  // mostly covered: kept, made opaque
    c.At(2, 0) = Hex(0x00ff00);        // a drawn green that must stay visible
    WriteKeyedPng(c, path);
    int w = 0, h = 0;
    auto rgb = ReadRgb(path, w, h);
    ASSERT_EQ(w, 3);
    ASSERT_EQ(h, 1);
    EXPECT_EQ((std::vector<uint8_t>(rgb.begin(), rgb.begin() + 3)), (std::vector<uint8_t>{0, 255, 0}));
    EXPECT_EQ((std::vector<uint8_t>(rgb.begin() + 3, rgb.begin() + 6)), (std::vector<uint8_t>{0x33, 0x66, 0x99}));
    EXPECT_EQ((std::vector<uint8_t>(rgb.begin() + 6, rgb.begin() + 9)), (std::vector<uint8_t>{0, 254, 0}));
}

TEST_F(PngOutTest, OpaquePicturesSitOnTheirBackdrop) {
    Canvas c(1, 1);
    c.At(0, 0) = Hex(0xffffff, 0.5f);
    WriteOpaquePng(c, path, Hex(0x000000));
    int w = 0, h = 0;
    auto rgb = ReadRgb(path, w, h);
    EXPECT_NEAR(rgb[0], 128, 1);
}

}  // namespace
