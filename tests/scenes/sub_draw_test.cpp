// SPDX-License-Identifier: GPL-3.0-or-later
// Number drawing read back from the headless screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "resources/resource_manager.h"
#include "scenes/sub_draw.h"
#include "support/play_pictures.h"
#include "support/temp_dir.h"

namespace {

using play_pictures::At;
using play_pictures::kSlash;
using play_pictures::NumberDigit;

class SubDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        ResourceManager::Instance().ForgetAll();
        ASSERT_EQ(InitMedia(), 0);
        SetTransparentColor(0, 255, 0);
        SetDrawTarget(kBackBuffer);
    }
    void TearDown() override {
        EndMedia();
        ResourceManager::Instance().ForgetAll();
    }

    // Draws with `draw` on a black screen and returns the presented frame.
    template <typename Draw>
    std::vector<uint32_t> Shot(Draw draw) {
        ClearScreen();
        draw();
        FlipScreen();
        return headless::LastPresentedFrame();
    }

    // The x of every digit cell drawn on row y: each digit's glyph is 7
    // pixels of its colour and a transparent eighth column.
    static std::vector<std::pair<int, int>> DigitsOnRow(const std::vector<uint32_t>& frame, int y) {
        std::vector<std::pair<int, int>> found;
        for (int x = 0; x < kScreenWidth; ++x) {
            const uint32_t p = At(frame, x, y);
            const bool starts = p != 0 && (x == 0 || At(frame, x - 1, y) != p);
            if (!starts) continue;
            for (int d = 0; d < 10; ++d) {
                if (p == NumberDigit(d)) found.emplace_back(x, d);
            }
        }
        return found;
    }

    TempDir dir;
};

using Digits = std::vector<std::pair<int, int>>;

TEST_F(SubDrawTest, CentredNumberSitsAroundX) {
    play_pictures::WriteNumbers();
    SubDraw numbers;
    const auto frame = Shot([&] { numbers.DrawNumber(255, 100, 50, SubDraw::kCentre, 3.0); });
    EXPECT_EQ(DigitsOnRow(frame, 50), (Digits{{88, 2}, {96, 5}, {104, 5}}));
    EXPECT_EQ(DigitsOnRow(frame, 65), (Digits{{88, 2}, {96, 5}, {104, 5}}));
    EXPECT_EQ(At(frame, 88, 66), 0u);  // natural height whatever the scale
    EXPECT_EQ(At(frame, 87, 50), 0u);
    EXPECT_EQ(At(frame, 111, 50), 0u);
}

TEST_F(SubDrawTest, RightAlignedNumberEndsAtX) {
    play_pictures::WriteNumbers();
    SubDraw numbers;
    const auto frame = Shot([&] { numbers.DrawNumber(4096, 200, 10, SubDraw::kRight, 2.0); });
    EXPECT_EQ(DigitsOnRow(frame, 10), (Digits{{168, 4}, {176, 0}, {184, 9}, {192, 6}}));
    EXPECT_EQ(At(frame, 198, 25), NumberDigit(6));
    EXPECT_EQ(At(frame, 200, 10), 0u);
    EXPECT_EQ(At(frame, 192, 26), 0u);
}

TEST_F(SubDrawTest, LeftAlignedNumberIsScaled) {
    play_pictures::WriteNumbers();
    SubDraw numbers;
    auto frame = Shot([&] { numbers.DrawNumber(31, 300, 100, SubDraw::kLeft, 1.0); });
    EXPECT_EQ(DigitsOnRow(frame, 100), (Digits{{300, 3}, {308, 1}}));
    EXPECT_EQ(At(frame, 300, 116), 0u);

    frame = Shot([&] { numbers.DrawNumber(31, 300, 100, SubDraw::kLeft, 2.0); });
    EXPECT_EQ(DigitsOnRow(frame, 100), (Digits{{300, 3}, {316, 1}}));
    EXPECT_EQ(At(frame, 313, 131), NumberDigit(3));  // 16x32 cells
    EXPECT_EQ(At(frame, 300, 132), 0u);
    EXPECT_NE(At(frame, 314, 100), NumberDigit(3));  // the stretched transparent column

    // 8 x 1.5 = 12 and 16 x 1.5 = 24.
    frame = Shot([&] { numbers.DrawNumber(31, 300, 100, SubDraw::kLeft, 1.5); });
    EXPECT_EQ(DigitsOnRow(frame, 100), (Digits{{300, 3}, {312, 1}}));
    EXPECT_EQ(At(frame, 300, 123), NumberDigit(3));
    EXPECT_EQ(At(frame, 300, 124), 0u);
}

TEST_F(SubDrawTest, ZeroIsOneDigitAndOtherAlignmentsDrawNothing) {
    play_pictures::WriteNumbers();
    SubDraw numbers;
    auto frame = Shot([&] { numbers.DrawNumber(0, 40, 40, SubDraw::kLeft, 1.0); });
    EXPECT_EQ(DigitsOnRow(frame, 40), (Digits{{40, 0}}));
    for (int align : {3, -1}) {
        frame = Shot([&] { numbers.DrawNumber(123, 40, 40, align, 1.0); });
        EXPECT_TRUE(DigitsOnRow(frame, 40).empty()) << align;
    }
    frame = Shot([&] { numbers.DrawNumber(-5, 40, 40, SubDraw::kLeft, 1.0); });
    EXPECT_TRUE(DigitsOnRow(frame, 40).empty());
}

TEST_F(SubDrawTest, PageIndicatorAroundTheSlash) {
    play_pictures::WriteNumbers();
    SubDraw numbers;
    const auto frame = Shot([&] { numbers.DrawPage(3, 12, 1.0); });
    EXPECT_EQ(DigitsOnRow(frame, 460), (Digits{{120, 3}, {144, 1}, {152, 2}}));
    EXPECT_EQ(At(frame, 128, 455), kSlash);
    EXPECT_EQ(At(frame, 143, 470), kSlash);
    EXPECT_EQ(At(frame, 144, 455), NumberDigit(1));
}

TEST_F(SubDrawTest, MissingPictureIsReportedAndDrawsNothing) {
    SubDraw numbers;
    EXPECT_EQ(numbers.image, -1);
    const auto& messages = headless::Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, kResourceLoadFailedText);
    EXPECT_EQ(messages[1].text, "サブグラフィックの読み込みに失敗しました。");
    EXPECT_EQ(messages[1].caption, "エラー");
    const auto frame = Shot([&] { numbers.DrawNumber(88, 40, 40, SubDraw::kLeft, 1.0); });
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](uint32_t p) { return p == 0; }));
}

TEST_F(SubDrawTest, PicturesComeFromTheCache) {
    play_pictures::WriteNumbers();
    SubDraw first;
    SubDraw second;
    EXPECT_NE(first.image, -1);
    EXPECT_EQ(first.image, second.image);
}

}  // namespace
