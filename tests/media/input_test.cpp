// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/headless.h"
#include "media/media.h"
#include "media/pad_bits.h"

namespace {

using media_detail::ScaleAxis;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        ASSERT_EQ(InitMedia(), 0);
    }
    void TearDown() override { EndMedia(); }

    int KeyboardBits(std::vector<int> keys) {
        headless::HoldKeys(std::move(keys));
        return GetPadState(0x1001);
    }
};

TEST_F(InputTest, CursorAndNumericPadKeysGiveTheSameDirections) {
    EXPECT_EQ(KeyboardBits({KEY_DOWN}), PAD_DOWN);
    EXPECT_EQ(KeyboardBits({KEY_NUMPAD2}), PAD_DOWN);
    EXPECT_EQ(KeyboardBits({KEY_LEFT}), PAD_LEFT);
    EXPECT_EQ(KeyboardBits({KEY_NUMPAD4}), PAD_LEFT);
    EXPECT_EQ(KeyboardBits({KEY_RIGHT}), PAD_RIGHT);
    EXPECT_EQ(KeyboardBits({KEY_NUMPAD6}), PAD_RIGHT);
    EXPECT_EQ(KeyboardBits({KEY_UP}), PAD_UP);
    EXPECT_EQ(KeyboardBits({KEY_NUMPAD8}), PAD_UP);
}

TEST_F(InputTest, OppositeKeysSetBothBits) {
    EXPECT_EQ(KeyboardBits({KEY_LEFT, KEY_RIGHT}), PAD_LEFT | PAD_RIGHT);
}

TEST_F(InputTest, LetterKeysAreTheButtons) {
    EXPECT_EQ(KeyboardBits({KEY_Z}), PAD_BUTTON1);
    EXPECT_EQ(KeyboardBits({KEY_X}), PAD_BUTTON2);
    EXPECT_EQ(KeyboardBits({KEY_C}), PAD_BUTTON3);
    EXPECT_EQ(KeyboardBits({KEY_A}), PAD_BUTTON4);
    EXPECT_EQ(KeyboardBits({KEY_S}), PAD_BUTTON5);
    EXPECT_EQ(KeyboardBits({KEY_D}), PAD_BUTTON6);
    EXPECT_EQ(KeyboardBits({KEY_Q}), PAD_BUTTON7);
    EXPECT_EQ(KeyboardBits({KEY_W}), PAD_BUTTON8);
    EXPECT_EQ(KeyboardBits({KEY_ESCAPE}), PAD_BUTTON9);
    EXPECT_EQ(KeyboardBits({KEY_SPACE}), PAD_BUTTON10);
    EXPECT_EQ(KeyboardBits({0x12 /* E */, 0x1C /* Return */}), 0);
}

TEST_F(InputTest, UAndBackspaceUndoAndWithShiftRedo) {
    EXPECT_EQ(KeyboardBits({KEY_U}), PAD_BUTTON4);
    EXPECT_EQ(KeyboardBits({KEY_BACKSPACE}), PAD_BUTTON4);
    EXPECT_EQ(KeyboardBits({KEY_LSHIFT, KEY_U}), PAD_BUTTON5);
    EXPECT_EQ(KeyboardBits({KEY_RSHIFT, KEY_BACKSPACE}), PAD_BUTTON5);
    // Shift changes only these two keys: A still undoes, Shift alone is nothing.
    EXPECT_EQ(KeyboardBits({KEY_LSHIFT, KEY_A}), PAD_BUTTON4);
    EXPECT_EQ(KeyboardBits({KEY_RSHIFT}), 0);
    EXPECT_EQ(KeyboardBits({KEY_LSHIFT, KEY_U, KEY_A}), PAD_BUTTON4 | PAD_BUTTON5);
}

TEST_F(InputTest, IsKeyDownReadsOneKey) {
    headless::HoldKeys({KEY_ESCAPE, KEY_UP});
    EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 1);
    EXPECT_EQ(IsKeyDown(KEY_UP), 1);
    EXPECT_EQ(IsKeyDown(KEY_DOWN), 0);
    EXPECT_EQ(IsKeyDown(-1), 0);
    EXPECT_EQ(IsKeyDown(256), 0);
    headless::HoldKeys({});
    EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 0);  // a change is seen within the same millisecond
}

TEST_F(InputTest, KeyboardCountsOnlyWithItsFlag) {
    headless::HoldKeys({KEY_Z, KEY_LEFT});
    headless::SetPad(true, 0, 0, 0x1);
    EXPECT_EQ(GetPadState(1), PAD_BUTTON1);
    EXPECT_EQ(GetPadState(0x1000), PAD_BUTTON1 | PAD_LEFT);
    EXPECT_EQ(GetPadState(0), 0);
}

TEST_F(InputTest, WithoutAPadTheKeyboardStillCounts) {
    headless::HoldKeys({KEY_C});
    EXPECT_EQ(GetPadState(0x1001), PAD_BUTTON3);
    EXPECT_EQ(GetPadState(1), 0);
}

TEST_F(InputTest, PadNumberBeyondThePadsReadsNothing) {
    headless::SetPad(true, 1000, 0, 0xFF);
    EXPECT_EQ(GetPadState(2), 0);
    EXPECT_NE(GetPadState(1), 0);
}

TEST_F(InputTest, StickInsideTheDeadZoneGivesNoDirection) {
    headless::SetPad(true, 240, -240, 0);
    EXPECT_EQ(GetPadState(1), 0);
    headless::SetPad(true, 260, -260, 0);
    EXPECT_EQ(GetPadState(1), PAD_RIGHT | PAD_UP);
    headless::SetPad(true, -1000, 1000, 0);
    EXPECT_EQ(GetPadState(1), PAD_LEFT | PAD_DOWN);
}

TEST_F(InputTest, PadButtonsFillTheBitsAboveTheDirections) {
    for (int n = 1; n <= 24; ++n) {
        headless::SetPad(true, 0, 0, 1u << (n - 1));
        EXPECT_EQ(GetPadState(1), 1 << (n + 3)) << "button " << n;
    }
    headless::SetPad(true, 0, 0, 1u << 24);  // a 25th button is not read
    EXPECT_EQ(GetPadState(1), 0);
}

TEST_F(InputTest, PadAndKeyboardCombine) {
    headless::HoldKeys({KEY_LEFT});
    headless::SetPad(true, 1000, 0, 0x2);
    EXPECT_EQ(GetPadState(0x1001), PAD_LEFT | PAD_RIGHT | PAD_BUTTON2);
}

TEST_F(InputTest, ScriptGivesEachFrameItsInputOnce) {
    int calls = 0;
    headless::SetInputScript([&](int frame, headless::FrameInput& in) {
        ++calls;
        if (frame == 1) in.keysHeld = {KEY_Z};
    });
    std::vector<int> bits;
    for (int frame = 0; frame < 3; ++frame) {
        PumpMessages();
        bits.push_back(GetPadState(0x1001));
        IsKeyDown(KEY_ESCAPE);
        PumpMessages();
        FlipScreen();
        SleepMs(17);
    }
    EXPECT_EQ(bits, (std::vector<int>{0, PAD_BUTTON1, 0}));
    EXPECT_EQ(calls, 3);
}

TEST(ScaleAxis, DeadZoneIsAQuarterOfTheTravel) {
    EXPECT_EQ(ScaleAxis(0), 0);
    EXPECT_EQ(ScaleAxis(8191), 0);    // just inside 25 %
    EXPECT_EQ(ScaleAxis(-8191), 0);
    EXPECT_EQ(ScaleAxis(8192), 1);    // just outside
    EXPECT_EQ(ScaleAxis(-8193), -1);
    EXPECT_EQ(ScaleAxis(32767), 1000);
    EXPECT_EQ(ScaleAxis(-32768), -1000);
    EXPECT_NEAR(ScaleAxis(20480), 500, 2);  // halfway through the live travel
}

}  // namespace
