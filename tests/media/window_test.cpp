// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/headless.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace {

class HeadlessWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        SetWindowTitle("Veltrim");
        SetRunInBackground(1);
    }
    void TearDown() override { EndMedia(); }
};

TEST_F(HeadlessWindowTest, StartUpShowsTheWindowFor200Ms) {
    headless::SetClock(5000);
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_GE(static_cast<uint32_t>(GetTimeMs()) - 5000u, 200u);
    EXPECT_LE(static_cast<uint32_t>(GetTimeMs()) - 5000u, 201u);
    EXPECT_EQ(IsWindowActive(), 1);
    EXPECT_EQ(PumpMessages(), 0);
}

TEST_F(HeadlessWindowTest, SecondCopyCannotStart) {
    headless::SimulateOtherInstance(true);
    EXPECT_EQ(InitMedia(), -1);
    EXPECT_EQ(PumpMessages(), -1);
    headless::SimulateOtherInstance(false);
    EXPECT_EQ(InitMedia(), 0);
}

TEST_F(HeadlessWindowTest, StartingTwiceFails) {
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_EQ(InitMedia(), -1);
    EXPECT_EQ(PumpMessages(), 0);
}

TEST_F(HeadlessWindowTest, EveryOperationFailsHarmlesslyAfterTheEnd) {
    ASSERT_EQ(InitMedia(), 0);
    ASSERT_EQ(EndMedia(), 0);
    EXPECT_EQ(EndMedia(), -1);
    EXPECT_EQ(PumpMessages(), -1);
    EXPECT_EQ(FlipScreen(), -1);
    EXPECT_EQ(ClearScreen(), -1);
    EXPECT_EQ(IsWindowActive(), -1);
    EXPECT_EQ(IsKeyDown(KEY_ESCAPE), -1);
    EXPECT_EQ(GetPadState(0x1001), -1);
    EXPECT_EQ(ShowMessageBox("x", "y"), -1);
    EXPECT_EQ(headless::FramesPresented(), 0);
    // The clock and the options still work.
    headless::SetClock(77);
    EXPECT_EQ(GetTimeMs(), 77);
    EXPECT_EQ(SetWindowTitle("again"), 0);
}

TEST_F(HeadlessWindowTest, FlipPresentsTheBackBuffer) {
    ASSERT_EQ(InitMedia(), 0);
    uint32_t* back = const_cast<uint32_t*>(media_detail::BackBufferPixels());
    ASSERT_NE(back, nullptr);
    back[0] = 0x123456;
    back[640 * 480 - 1] = 0xABCDEF;
    int observed = 0;
    headless::SetFrameObserver([&](int frame, const std::vector<uint32_t>& pixels) {
        observed = frame;
        EXPECT_EQ(pixels[0], 0x123456u);
    });
    ASSERT_EQ(FlipScreen(), 0);
    EXPECT_EQ(headless::FramesPresented(), 1);
    EXPECT_EQ(observed, 1);
    const std::vector<uint32_t>& shown = headless::LastPresentedFrame();
    ASSERT_EQ(shown.size(), 640u * 480u);
    EXPECT_EQ(shown[0], 0x123456u);
    EXPECT_EQ(shown[640 * 480 - 1], 0xABCDEFu);
    EXPECT_EQ(shown[1], 0u);
}

TEST_F(HeadlessWindowTest, CloseBoxEndsPumpingAndPresenting) {
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_EQ(PumpMessages(), 0);
    headless::RequestClose();
    EXPECT_EQ(PumpMessages(), -1);
    EXPECT_EQ(PumpMessages(), -1);
    EXPECT_EQ(FlipScreen(), -1);
}

TEST_F(HeadlessWindowTest, FocusChangesAreSeenAndNeverBlock) {
    SetRunInBackground(0);
    ASSERT_EQ(InitMedia(), 0);
    headless::SetWindowActive(false);
    EXPECT_EQ(IsWindowActive(), 0);
    EXPECT_EQ(PumpMessages(), 0);
    headless::SetWindowActive(true);
    EXPECT_EQ(IsWindowActive(), 1);
}

TEST_F(HeadlessWindowTest, ScriptedFocusFollowsTheFrames) {
    headless::SetInputScript([](int frame, headless::FrameInput& in) { in.windowActive = frame != 1; });
    ASSERT_EQ(InitMedia(), 0);
    std::vector<int> active;
    for (int i = 0; i < 3; ++i) {
        PumpMessages();
        active.push_back(IsWindowActive());
        FlipScreen();
    }
    EXPECT_EQ(active, (std::vector<int>{1, 0, 1}));
}

TEST_F(HeadlessWindowTest, TitleAndIconFollowTheOptions) {
    SetWindowIcon(106);
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_EQ(headless::WindowTitle(), "Veltrim");
    EXPECT_EQ(headless::WindowIcon(), 106);
    SetWindowTitle("Renamed");
    SetWindowIcon(0);
    EXPECT_EQ(headless::WindowTitle(), "Renamed");
    EXPECT_EQ(headless::WindowIcon(), 0);
}

TEST_F(HeadlessWindowTest, ScreenSaverIsOffOnlyWhileRunning) {
    EXPECT_TRUE(headless::ScreenSaverEnabled());
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_FALSE(headless::ScreenSaverEnabled());
    EndMedia();
    EXPECT_TRUE(headless::ScreenSaverEnabled());
}

TEST_F(HeadlessWindowTest, EveryMessageIsAlsoOneLineOnStandardError) {
    ASSERT_EQ(InitMedia(), 0);
    testing::internal::CaptureStderr();
    ShowMessageBox("データのセーブに失敗しました。", "error");
    ShowMessageBox("two\nlines", "Error");
    EndMedia();
    ShowMessageBox("no window", "Error");  // before or after the window: standard error alone
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error: データのセーブに失敗しました。\nError: two lines\nError: no window\n");
    EXPECT_EQ(headless::Messages().size(), 2u) << "shown in the window as well";
}

TEST_F(HeadlessWindowTest, MessageBoxesAreRecorded) {
    ASSERT_EQ(InitMedia(), 0);
    EXPECT_EQ(ShowMessageBox("データのセーブに失敗しました。", "error"), 0);
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "データのセーブに失敗しました。");
    EXPECT_EQ(headless::Messages()[0].caption, "error");
    headless::ClearMessages();
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(HeadlessWindowTest, SleepingMovesTheVirtualClockAndWraps) {
    ASSERT_EQ(InitMedia(), 0);
    headless::SetClock(0xFFFFFFFEu);
    EXPECT_EQ(SleepMs(5), 0);
    EXPECT_EQ(GetTimeMs(), 3);
    SleepMs(-4);  // nothing
    EXPECT_EQ(GetTimeMs(), 3);
}

}  // namespace
