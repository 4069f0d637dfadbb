// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/display_fit.h"

#include <gtest/gtest.h>

namespace {

using media_detail::ChooseWindowScale;
using media_detail::kAssumedFrame;
using media_detail::LetterboxRect;
using media_detail::PointerToScreen;
using media_detail::PixelRect;

bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// A desktop with a 30-pixel panel: what the window may use.
constexpr media_detail::PixelSize Usable(int width, int height) { return {width, height - 30}; }

TEST(WindowScale, CommonDesktopsGetTheLargestWholeMultipleThatFits) {
    EXPECT_EQ(ChooseWindowScale(Usable(1024, 768), kAssumedFrame), 1);
    EXPECT_EQ(ChooseWindowScale(Usable(1280, 1024), kAssumedFrame), 1);  // 1280 wide leaves no room for the frame
    EXPECT_EQ(ChooseWindowScale(Usable(1920, 1080), kAssumedFrame), 2);
    EXPECT_EQ(ChooseWindowScale(Usable(2560, 1440), kAssumedFrame), 2);  // three times is 1440 high
    EXPECT_EQ(ChooseWindowScale(Usable(3840, 2160), kAssumedFrame), 4);
}

TEST(WindowScale, TheFrameMustFitAsWell) {
    EXPECT_EQ(ChooseWindowScale({1296, 1024}, {16, 64}), 2);
    EXPECT_EQ(ChooseWindowScale({1295, 1024}, {16, 64}), 1);
    EXPECT_EQ(ChooseWindowScale({1296, 1023}, {16, 64}), 1);
    EXPECT_EQ(ChooseWindowScale({1280, 960}, {0, 0}), 2);  // a desktop without frames
}

TEST(WindowScale, ADesktopSmallerThanTheScreenStillGetsOneTimes) {
    EXPECT_EQ(ChooseWindowScale({800, 400}, kAssumedFrame), 1);
    EXPECT_EQ(ChooseWindowScale({0, 0}, kAssumedFrame), 1);
}

TEST(WindowPlacement, TheWholeFrameIsCentredOnTheUsableArea) {
    using media_detail::CentredClientPosition;
    using media_detail::PixelSize;
    // No window manager: no frame, the picture itself centred.
    const PixelSize bare = CentredClientPosition({0, 0, 1920, 1080}, {1280, 960}, {});
    EXPECT_EQ(bare.width, 320);
    EXPECT_EQ(bare.height, 60);
    // A 1-pixel border and a 22-pixel title bar: 1282 x 984 outside.
    const PixelSize framed = CentredClientPosition({0, 0, 1920, 1080}, {1280, 960}, {1, 22, 1, 1});
    EXPECT_EQ(framed.width, 319 + 1);
    EXPECT_EQ(framed.height, 48 + 22);
    // A 4K desktop beside a 1080p one, with a panel at its top.
    const PixelSize right = CentredClientPosition({1920, 40, 3840, 2120}, {2560, 1920}, {1, 22, 1, 1});
    EXPECT_EQ(right.width, 1920 + 639 + 1);
    EXPECT_EQ(right.height, 40 + 88 + 22);
}

TEST(WindowPlacement, AWindowLargerThanTheAreaKeepsItsTitleBarOnIt) {
    const media_detail::PixelSize at =
        media_detail::CentredClientPosition({0, 30, 800, 570}, {640, 480}, {4, 100, 4, 4});
    EXPECT_EQ(at.width, 76 + 4);
    EXPECT_EQ(at.height, 30 + 100) << "the title bar starts at the top of the usable area";
}

TEST(Letterbox, FullScreensShowAWholeMultipleCentredOnBlack) {
    EXPECT_TRUE(LetterboxRect({1920, 1080}) == (PixelRect{320, 60, 1280, 960}));
    EXPECT_TRUE(LetterboxRect({3840, 2160}) == (PixelRect{640, 120, 2560, 1920}));
    EXPECT_TRUE(LetterboxRect({1280, 1024}) == (PixelRect{0, 32, 1280, 960}));
    EXPECT_TRUE(LetterboxRect({1366, 768}) == (PixelRect{363, 144, 640, 480}));
    EXPECT_TRUE(LetterboxRect({2560, 1600}) == (PixelRect{320, 80, 1920, 1440}));
}

TEST(Letterbox, AWindowOfTheScaledSizeIsFilled) {
    EXPECT_TRUE(LetterboxRect({640, 480}) == (PixelRect{0, 0, 640, 480}));
    EXPECT_TRUE(LetterboxRect({1280, 960}) == (PixelRect{0, 0, 1280, 960}));
}

TEST(Letterbox, AnOutputSmallerThanTheScreenShrinksThePictureInShape) {
    EXPECT_TRUE(LetterboxRect({320, 480}) == (PixelRect{0, 120, 320, 240}));
    EXPECT_TRUE(LetterboxRect({640, 240}) == (PixelRect{160, 0, 320, 240}));
    EXPECT_TRUE(LetterboxRect({0, 0}) == (PixelRect{}));
}

bool Lands(media_detail::PixelSize at, int x, int y) { return at.width == x && at.height == y; }

TEST(PointerToScreen, FollowsTheScaleTheLetterboxAndHiDpi) {
    // A 2x window: window points are two screen pixels.
    EXPECT_TRUE(Lands(PointerToScreen(641, 479, {1280, 960}, {1280, 960}), 320, 239));
    // Full screen on 1920x1080: the picture starts at (320, 60).
    EXPECT_TRUE(Lands(PointerToScreen(320, 60, {1920, 1080}, {1920, 1080}), 0, 0));
    EXPECT_TRUE(Lands(PointerToScreen(1599, 1019, {1920, 1080}, {1920, 1080}), 639, 479));
    // The black border lies outside the screen, on either side.
    EXPECT_LT(PointerToScreen(100, 30, {1920, 1080}, {1920, 1080}).width, 0);
    EXPECT_GE(PointerToScreen(1700, 500, {1920, 1080}, {1920, 1080}).width, 640);
    // HiDPI: a 1280x960-point window with 2560x1920 output pixels (4x picture).
    EXPECT_TRUE(Lands(PointerToScreen(640, 480, {1280, 960}, {2560, 1920}), 320, 240));
}

}  // namespace
