// SPDX-License-Identifier: GPL-3.0-or-later
// Graphics through the whole layer on the headless platform: what a frame
// presents, drawing on the front screen, and images ending with the layer.
#include <gtest/gtest.h>

#include "graphics_fixture.h"
#include "media/headless.h"

using namespace graphics_test;

namespace {

class PresentedFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        SetRunInBackground(1);
        ASSERT_EQ(InitMedia(), 0);
        // The game's drawing defaults after start-up.
        SetDrawTarget(kBackBuffer);
        SetTransparentColor(0, 255, 0);
        SetFontType(3);
        SetFontSize(24);
    }
    void TearDown() override { EndMedia(); }
    static uint32_t Shown(int x, int y) { return headless::LastPresentedFrame()[y * kScreenWidth + x]; }
};

TEST_F(PresentedFrameTest, FlipShowsTheBackBuffer) {
    const auto file = Bmp24File(2, 1, {kRed, kGreen});
    const int image = CreateImageFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 1, 0);
    ASSERT_GE(image, 0);
    ClearScreen();
    DrawBox(0, 0, kScreenWidth, kScreenHeight, static_cast<int>(kWhite), 0);
    DrawImage(100, 100, image, 1);
    ASSERT_EQ(FlipScreen(), 0);
    EXPECT_EQ(Shown(0, 0), kWhite);
    EXPECT_EQ(Shown(639, 479), kWhite);
    EXPECT_EQ(Shown(1, 1), kBlack);
    EXPECT_EQ(Shown(100, 100), kRed);
    EXPECT_EQ(Shown(101, 100), kBlack);  // pure green never shows
}

TEST_F(PresentedFrameTest, DrawingOnTheFrontScreenDrawsOnWhatIsShown) {
    DrawBox(0, 0, 10, 10, static_cast<int>(kRed), 1);
    FlipScreen();
    const int frames = headless::FramesPresented();
    ClearScreen();  // the back buffer, not what is shown
    ASSERT_EQ(SetDrawTarget(kFrontScreen), 0);
    DrawBox(5, 5, 20, 20, static_cast<int>(kBlue), 1);
    EXPECT_GT(headless::FramesPresented(), frames);
    EXPECT_EQ(Shown(0, 0), kRed);
    EXPECT_EQ(Shown(6, 6), kBlue);
    EXPECT_EQ(Shown(19, 19), kBlue);
    SetDrawTarget(kBackBuffer);
}

TEST_F(PresentedFrameTest, EndMediaFreesEveryImage) {
    const int screen = MakeScreenImage(640, 480, 0);
    ASSERT_GE(screen, 0);
    ASSERT_EQ(EndMedia(), 0);
    headless::UseHeadlessPlatform();
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_EQ(DrawImage(0, 0, screen, 1), -1);
    EXPECT_EQ(DrawBox(0, 0, 1, 1, 0, 1), 0);
}

}  // namespace
