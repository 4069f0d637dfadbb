// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel-exact checks of the image, box and copy operations.
#include <cmath>
#include <random>

#include "graphics_fixture.h"
#include "media/graphics/span.h"

using namespace graphics_test;

namespace {

class TransparencyTest : public GraphicsTest {};

TEST_F(TransparencyTest, KeyColourIsInvisibleOnlyWithTrans) {
    SetTransparentColor(0, 255, 0);
    const int image = KeyedImage(2, 1, {kRed, kGreen});
    ASSERT_GE(image, 0);
    Fill(kBlue);
    ASSERT_EQ(DrawImage(10, 10, image, 1), 0);
    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(11, 10), kBlue);
    ASSERT_EQ(DrawImage(10, 20, image, 0), 0);
    EXPECT_EQ(Pixel(11, 20), kGreen);
}

TEST_F(TransparencyTest, KeyIsTakenWhenTheImageIsCreated) {
    SetTransparentColor(0, 255, 0);
    const int image = KeyedImage(2, 1, {kRed, kGreen});
    SetTransparentColor(255, 0, 0);  // later images only
    Fill(kBlue);
    DrawImage(0, 0, image, 1);
    EXPECT_EQ(Pixel(0, 0), kRed);
    EXPECT_EQ(Pixel(1, 0), kBlue);
}

TEST_F(TransparencyTest, AlphaChannelWeightsThePixel) {
    const int image = AlphaImage(3, 1, {kWhite, kWhite, kGreen}, {0, 128, 255});
    ASSERT_GE(image, 0);
    Fill(kBlack);
    DrawImage(0, 0, image, 1);
    EXPECT_EQ(Pixel(0, 0), kBlack);
    EXPECT_EQ(Pixel(1, 0), 0x808080u);  // round(255 * 128 / 255)
    EXPECT_EQ(Pixel(2, 0), kGreen);     // alpha images ignore the key colour
    DrawImage(0, 1, image, 0);
    EXPECT_EQ(Pixel(0, 1), kWhite);     // trans 0 draws every pixel as it is
}

class BlendTest : public GraphicsTest {};

TEST_F(BlendTest, HalfBlendOverKnownColour) {
    const int image = KeyedImage(1, 1, {static_cast<uint32_t>(MakeColor(200, 100, 0))});
    Fill(static_cast<uint32_t>(MakeColor(100, 50, 200)));
    SetBlendMode(1, 128);
    DrawImage(5, 5, image, 1);
    // round((s * 128 + d * 127) / 255) per channel
    EXPECT_EQ(Pixel(5, 5), static_cast<uint32_t>(MakeColor(150, 75, 100)));
}

TEST_F(BlendTest, ParameterIsClamped) {
    const int image = KeyedImage(1, 1, {kRed});
    Fill(kBlue);
    SetBlendMode(1, 287);
    DrawImage(0, 0, image, 1);
    EXPECT_EQ(Pixel(0, 0), kRed);
    SetBlendMode(1, -5);
    DrawImage(1, 0, image, 1);
    EXPECT_EQ(Pixel(1, 0), kBlue);
}

TEST_F(BlendTest, BoxFollowsTheBlendMode) {
    Fill(kBlack);
    SetBlendMode(1, 200);
    DrawBox(0, 0, 2, 2, static_cast<int>(kWhite), 1);
    EXPECT_EQ(Pixel(1, 1), static_cast<uint32_t>(MakeColor(200, 200, 200)));
}

TEST_F(BlendTest, BrightnessTintsImageDraws) {
    const int image = KeyedImage(2, 1, {kWhite, static_cast<uint32_t>(MakeColor(100, 100, 100))});
    SetDrawBrightness(252, 199, 199);
    DrawImage(0, 0, image, 1);
    EXPECT_EQ(Pixel(0, 0), static_cast<uint32_t>(MakeColor(252, 199, 199)));
    EXPECT_EQ(Pixel(1, 0), static_cast<uint32_t>(MakeColor(99, 78, 78)));  // round(100 * 252 / 255) = 99
    SetDrawBrightness(300, -1, 255);  // clamped to (255, 0, 255)
    DrawImage(0, 1, image, 1);
    EXPECT_EQ(Pixel(0, 1), static_cast<uint32_t>(MakeColor(255, 0, 255)));
}

TEST_F(BlendTest, MakeColorPacksRgb) {
    EXPECT_EQ(MakeColor(255, 255, 255), 0xFFFFFF);
    EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0x123456);
    EXPECT_EQ(MakeColor(0, 0, 0), 0);
}

// The fast span loops must equal the per-pixel rule for every combination.
TEST_F(BlendTest, FastSpansMatchTheReference) {
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + static_cast<int>(random() % 40);
        std::vector<uint32_t> src(n), dst(n);
        std::vector<uint8_t> alpha(n);
        for (int i = 0; i < n; ++i) {
            src[i] = random() % 4 == 0 ? 0x00FF00u : random() & 0xFFFFFF;
            dst[i] = random() & 0xFFFFFF;
            alpha[i] = static_cast<uint8_t>(random() % 3 == 0 ? 0 : random());
        }
        media_detail::PixelOp op;
        op.weight = random() % 2 ? 255 : random() % 256;
        if (random() % 2) op.brightR = random() % 256, op.brightG = random() % 256, op.brightB = random() % 256;
        op.skipKey = random() % 2;
        op.key = 0x00FF00;
        op.useAlpha = !op.skipKey && random() % 2;
        auto fast = dst, reference = dst;
        media_detail::CombineSpan(fast.data(), src.data(), alpha.data(), n, op);
        media_detail::CombineSpanReference(reference.data(), src.data(), alpha.data(), n, op);
        ASSERT_EQ(fast, reference) << "round " << round;
    }
}

class PlacementTest : public GraphicsTest {};

TEST_F(PlacementTest, PartReachingPastTheImageDrawsOnlyImagePixels) {
    const int image = DistinctImage(4, 4);
    Fill(kBlue);
    ASSERT_EQ(DrawImageRect(10, 10, 2, 2, 5, 5, image, 1, 0), 0);
    for (int y = 10; y < 16; ++y)
        for (int x = 10; x < 16; ++x) {
            const bool inside = x < 12 && y < 12;
            EXPECT_EQ(Pixel(x, y), inside ? Distinct(x - 8, y - 8) : kBlue) << x << "," << y;
        }
    EXPECT_EQ(CountNot(kBlue), 4);
}

TEST_F(PlacementTest, MirroredPartStaysInItsRectangle) {
    const int image = DistinctImage(4, 1);
    Fill(kBlue);
    DrawImageRect(0, 0, 1, 0, 2, 1, image, 1, 1);
    EXPECT_EQ(Pixel(0, 0), Distinct(2, 0));
    EXPECT_EQ(Pixel(1, 0), Distinct(1, 0));
    EXPECT_EQ(CountNot(kBlue), 2);
}

TEST_F(PlacementTest, StretchedDrawMirrorsReversedCorners) {
    const int image = DistinctImage(2, 2);
    Fill(kBlue);
    ASSERT_EQ(DrawImageStretched(10, 0, 6, 4, image, 1), 0);  // x mirrored, 2x scale
    const uint32_t a = Distinct(0, 0), b = Distinct(1, 0), c = Distinct(0, 1);
    EXPECT_EQ(Pixel(6, 0), b);
    EXPECT_EQ(Pixel(7, 1), b);
    EXPECT_EQ(Pixel(8, 0), a);
    EXPECT_EQ(Pixel(9, 1), a);
    EXPECT_EQ(Pixel(9, 2), c);
    EXPECT_EQ(CountNot(kBlue), 16);
    Fill(kBlue);
    DrawImageStretched(0, 4, 2, 0, image, 1);  // y mirrored, 1x
    EXPECT_EQ(Pixel(0, 0), c);
    EXPECT_EQ(Pixel(0, 2), a);
}

TEST_F(PlacementTest, StretchedPartUsesTruncatedPlacement) {
    // 8x16 digit cells side by side; cell 1 enlarged into a 16x32 box.
    std::vector<uint32_t> rgb(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) rgb[y * 16 + x] = x < 8 ? kRed : static_cast<uint32_t>(MakeColor(0, 0, 10 + x));
    const auto file = Bmp24File(16, 16, rgb);
    const int image = CreateImageFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 1, 0);
    Fill(kBlack);
    ASSERT_EQ(DrawImageRectStretched(100, 100, 116, 132, 8, 0, 8, 16, image, 1), 0);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(Pixel(100 + x, 100), static_cast<uint32_t>(MakeColor(0, 0, 18 + x / 2)));
    EXPECT_EQ(CountNot(kBlack), 16 * 32);
    // Mirrored along x: the part's right column lands on the box's left edge.
    Fill(kBlack);
    DrawImageRectStretched(116, 100, 100, 132, 8, 0, 8, 16, image, 1);
    EXPECT_EQ(Pixel(100, 120), static_cast<uint32_t>(MakeColor(0, 0, 25)));
    EXPECT_EQ(Pixel(115, 120), static_cast<uint32_t>(MakeColor(0, 0, 18)));
    EXPECT_EQ(CountNot(kBlack), 16 * 32);
}

class RotationTest : public GraphicsTest {
protected:
    // Draws a 4x3 image turned by `angle` about (100, 100) and checks that it
    // is exactly the pixel permutation `place` (image pixel -> screen pixel).
    template <typename Place>
    void ExpectPermutation(double angle, Place place) {
        const int image = DistinctImage(4, 3);
        Fill(kBlue);
        ASSERT_EQ(DrawImageRotated(100, 100, 1.0, angle, image, 1, 0), 0);
        for (int v = 0; v < 3; ++v)
            for (int u = 0; u < 4; ++u) {
                const auto [x, y] = place(u, v);
                EXPECT_EQ(Pixel(x, y), Distinct(u, v)) << "image pixel " << u << "," << v;
            }
        EXPECT_EQ(CountNot(kBlue), 12);
    }
};

// The centre pixel (w / 2, h / 2) = (2, 1) lands on (100, 100).
TEST_F(RotationTest, ZeroDegreesIsAPlainDraw) {
    ExpectPermutation(0.0, [](int u, int v) { return std::pair{98 + u, 99 + v}; });
}

TEST_F(RotationTest, NinetyDegreesTurnsClockwise) {
    // Clockwise on screen: the image's top row becomes its right column.
    ExpectPermutation(90 * 0.017453292, [](int u, int v) { return std::pair{100 + 1 - v - 1 + 0, 100 + u - 2}; });
}

TEST_F(RotationTest, HalfTurnReversesBothAxes) {
    ExpectPermutation(180 * 0.017453292, [](int u, int v) { return std::pair{100 + 2 - u - 1, 100 + 1 - v - 1}; });
}

TEST_F(RotationTest, ScaleAndMirror) {
    const int image = DistinctImage(2, 2);  // centre pixel (1, 1)
    Fill(kBlue);
    DrawImageRotated(10, 10, 2.0, 0.0, image, 1, 0);
    EXPECT_EQ(Pixel(8, 8), Distinct(0, 0));
    EXPECT_EQ(Pixel(9, 9), Distinct(0, 0));
    EXPECT_EQ(Pixel(10, 8), Distinct(1, 0));
    EXPECT_EQ(Pixel(11, 11), Distinct(1, 1));
    EXPECT_EQ(CountNot(kBlue), 16);
    Fill(kBlue);
    DrawImageRotated(10, 10, 1.0, 0.0, image, 1, 1);  // mirrored left to right first
    EXPECT_EQ(Pixel(9, 9), Distinct(1, 0));
    EXPECT_EQ(Pixel(10, 9), Distinct(0, 0));
    EXPECT_EQ(CountNot(kBlue), 4);
    EXPECT_EQ(DrawImageRotated(10, 10, 0.0, 0.0, image, 1, 0), 0);  // nothing to draw
    EXPECT_EQ(DrawImageRotated(10, 10, 1.0, std::nan(""), image, 1, 0), 0);
    EXPECT_EQ(CountNot(kBlue), 4);
}

TEST_F(RotationTest, NoGapsAtOddAngles) {
    std::vector<uint32_t> rgb(64 * 64, kRed);
    const int image = KeyedImage(64, 64, rgb);
    for (double degrees : {13.0, 30.0, 45.0, 77.7}) {
        Fill(kBlue);
        DrawImageRotated(200, 200, 1.5, degrees * 0.017453292, image, 1, 0);
        // The middle cross of the turned square is solid red.
        for (int d = -40; d <= 40; ++d) {
            ASSERT_EQ(Pixel(200 + d, 200), kRed) << degrees;
            ASSERT_EQ(Pixel(200, 200 + d), kRed) << degrees;
        }
    }
}

class BoxAndClipTest : public GraphicsTest {};

TEST_F(BoxAndClipTest, BorderLightsItsEdgeRowsAndColumns) {
    Fill(kBlack);
    ASSERT_EQ(DrawBox(0, 0, kScreenWidth, kScreenHeight, static_cast<int>(kWhite), 0), 0);
    for (int x = 0; x < kScreenWidth; ++x) {
        EXPECT_EQ(Pixel(x, 0), kWhite);
        EXPECT_EQ(Pixel(x, 479), kWhite);
    }
    for (int y = 0; y < kScreenHeight; ++y) {
        EXPECT_EQ(Pixel(0, y), kWhite);
        EXPECT_EQ(Pixel(639, y), kWhite);
    }
    EXPECT_EQ(CountNot(kBlack), 2 * 640 + 2 * 478);
    DrawBox(1, 1, 639, 479, static_cast<int>(kWhite), 0);
    EXPECT_EQ(Pixel(1, 1), kWhite);
    EXPECT_EQ(Pixel(2, 2), kBlack);
    DrawBox(0, 0, kScreenWidth, kScreenHeight, static_cast<int>(kWhite), 1);
    EXPECT_EQ(CountNot(kWhite), 0);
}

TEST_F(BoxAndClipTest, BlendedBorderCornersAreDrawnOnce) {
    Fill(kBlack);
    SetBlendMode(1, 128);
    DrawBox(10, 10, 20, 20, static_cast<int>(kWhite), 0);
    EXPECT_EQ(Pixel(10, 10), Pixel(15, 10));
    EXPECT_EQ(Pixel(19, 19), Pixel(10, 15));
}

TEST_F(BoxAndClipTest, ImagesClipAtEveryScreenEdge) {
    const int image = DistinctImage(4, 4);
    const std::pair<int, int> places[] = {{-2, 100}, {638, 100}, {100, -2}, {100, 478}, {-3, -3}, {639, 479}};
    for (const auto& [x, y] : places) {
        Fill(kBlack);
        ASSERT_EQ(DrawImage(x, y, image, 1), 0);
        int visible = 0;
        for (int v = 0; v < 4; ++v)
            for (int u = 0; u < 4; ++u) {
                const int sx = x + u, sy = y + v;
                if (sx < 0 || sy < 0 || sx >= kScreenWidth || sy >= kScreenHeight) continue;
                EXPECT_EQ(Pixel(sx, sy), Distinct(u, v));
                ++visible;
            }
        EXPECT_EQ(CountNot(kBlack), visible) << x << "," << y;
        DrawImageStretched(x, y, x + 9, y + 9, image, 1);
        DrawImageRotated(x, y, 3.0, 0.5, image, 1, 0);
    }
    Fill(kBlack);
    DrawImage(5000, -5000, image, 1);
    DrawImageRect(-100000, 0, 0, 0, 4, 4, image, 1, 0);
    EXPECT_EQ(CountNot(kBlack), 0);
}

class HandleTest : public GraphicsTest {};

TEST_F(HandleTest, DeletedImagesAreRefusedEverywhere) {
    const int image = DistinctImage(2, 2);
    const int screen = MakeScreenImage(4, 4, 0);
    ASSERT_EQ(DeleteImage(image, 0), 0);
    ASSERT_EQ(DeleteImage(screen, 0), 0);
    const Rect r{0, 0, 1, 1};
    EXPECT_EQ(DrawImage(0, 0, image, 1), -1);
    EXPECT_EQ(DrawImageRect(0, 0, 0, 0, 1, 1, image, 1, 0), -1);
    EXPECT_EQ(DrawImageStretched(0, 0, 4, 4, image, 1), -1);
    EXPECT_EQ(DrawImageRectStretched(0, 0, 4, 4, 0, 0, 1, 1, image, 1), -1);
    EXPECT_EQ(DrawImageRotated(5, 5, 1.0, 0.0, image, 1, 0), -1);
    EXPECT_EQ(DeleteImage(image, 0), -1);
    EXPECT_EQ(SetDrawTarget(screen), -1);
    EXPECT_EQ(CaptureScreen(0, 0, 4, 4, screen, 1), -1);
    EXPECT_EQ(CopyImageRect(&r, &r, screen, kBackBuffer), -1);
    // A slot reused by a new image does not revive the old handle.
    const int reused = DistinctImage(2, 2);
    EXPECT_NE(reused, image);
    EXPECT_EQ(DrawImage(0, 0, image, 1), -1);
    EXPECT_EQ(DrawImage(0, 0, reused, 1), 0);
}

TEST_F(HandleTest, OtherKindsAndNonsenseAreRefused) {
    EXPECT_EQ(DrawImage(0, 0, -1, 1), -1);
    EXPECT_EQ(DrawImage(0, 0, (2 << 27) | 0, 1), -1);  // a sound handle
    EXPECT_EQ(SetDrawTarget(-3), -1);
    const int decoded = DistinctImage(2, 2);
    EXPECT_EQ(SetDrawTarget(decoded), -1);  // only screen images are targets
}

class ScreenCopyTest : public GraphicsTest {};

TEST_F(ScreenCopyTest, CaptureRefusesWrongRectangles) {
    const int small = MakeScreenImage(320, 240, 0);
    const int full = MakeScreenImage(640, 480, 0);
    const int decoded = DistinctImage(2, 2);
    EXPECT_EQ(CaptureScreen(0, 0, 640, 480, small, 1), -1);
    EXPECT_EQ(CaptureScreen(-1, 0, 639, 480, full, 1), -1);
    EXPECT_EQ(CaptureScreen(1, 0, 641, 480, full, 1), -1);
    EXPECT_EQ(CaptureScreen(0, 0, 0, 0, full, 1), -1);
    EXPECT_EQ(CaptureScreen(0, 0, 2, 2, decoded, 1), -1);
    EXPECT_EQ(CaptureScreen(320, 240, 640, 480, small, 1), 0);
}

TEST_F(ScreenCopyTest, CaptureThenCopyPart) {
    SetTransparentColor(0, 255, 0);  // black stays visible
    const int shot = MakeScreenImage(640, 480, 0);
    Fill(kBlack);
    DrawBox(0, 32, 32, 64, static_cast<int>(kRed), 1);
    ASSERT_EQ(CaptureScreen(0, 0, 640, 480, shot, 1), 0);
    const Rect from{0, 32, 32, 64}, to{0, 0, 32, 32};
    ASSERT_EQ(CopyImageRect(&from, &to, shot, shot), 0);
    Fill(kBlue);
    DrawImage(0, 0, shot, 1);
    EXPECT_EQ(Pixel(0, 0), kRed);
    EXPECT_EQ(Pixel(31, 31), kRed);
    EXPECT_EQ(Pixel(32, 0), kBlack);
    EXPECT_EQ(Pixel(0, 40), kRed);
}

TEST_F(ScreenCopyTest, CopyScalesWhenSizesDiffer) {
    const int image = DistinctImage(2, 2);
    Fill(kBlack);
    const Rect from{0, 0, 2, 2}, to{10, 10, 14, 14};
    ASSERT_EQ(CopyImageRect(&from, &to, image, kBackBuffer), 0);
    EXPECT_EQ(Pixel(10, 10), Distinct(0, 0));
    EXPECT_EQ(Pixel(11, 11), Distinct(0, 0));
    EXPECT_EQ(Pixel(12, 10), Distinct(1, 0));
    EXPECT_EQ(Pixel(13, 13), Distinct(1, 1));
    EXPECT_EQ(CountNot(kBlack), 16);
}

class TargetTest : public GraphicsTest {};

TEST_F(TargetTest, ScreenImageTargetAndBack) {
    const int target = MakeScreenImage(8, 8, 0);
    ASSERT_EQ(SetDrawTarget(target), 0);
    DrawBox(0, 0, 100, 100, static_cast<int>(kRed), 1);  // clipped to 8x8
    ASSERT_EQ(ClearScreen(), 0);
    DrawBox(2, 2, 4, 4, static_cast<int>(kRed), 1);
    ASSERT_EQ(SetDrawTarget(kBackBuffer), 0);
    Fill(kBlue);
    DrawImage(0, 0, target, 0);
    EXPECT_EQ(Pixel(0, 0), kBlack);
    EXPECT_EQ(Pixel(2, 2), kRed);
    EXPECT_EQ(Pixel(8, 8), kBlue);
}

TEST_F(TargetTest, DeletingTheTargetFallsBackToTheBackBuffer) {
    const int target = MakeScreenImage(8, 8, 0);
    ASSERT_EQ(SetDrawTarget(target), 0);
    ASSERT_EQ(DeleteImage(target, 0), 0);
    Fill(kRed);
    EXPECT_EQ(Pixel(639, 479), kRed);
}

TEST_F(TargetTest, FrontScreenHoldsThePresentedFrame) {
    Fill(kRed);
    media_detail::OnFrontScreenPresented();
    Fill(kBlue);
    ASSERT_EQ(SetDrawTarget(kFrontScreen), 0);
    DrawBox(0, 0, 1, 1, static_cast<int>(kWhite), 1);
    const int shot = MakeScreenImage(2, 1, 0);
    ASSERT_EQ(CaptureScreen(0, 0, 2, 1, shot, 1), 0);
    SetDrawTarget(kBackBuffer);
    DrawImage(0, 0, shot, 0);
    EXPECT_EQ(Pixel(0, 0), kWhite);
    EXPECT_EQ(Pixel(1, 0), kRed);
}

}  // namespace
