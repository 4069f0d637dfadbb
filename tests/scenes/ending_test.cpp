// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/ending.h"
#include "scenes/scene_fixture.h"

namespace {

constexpr uint32_t kTitleColor = 0xF0A000;  // 520x64 at (60, 208)
constexpr uint32_t kRollColor = 0x40C0FF;   // 180x400 at x 230, top 766 - t
constexpr uint32_t kLogoColor = 0xC03060;   // 64x64, centred on (320, 240)

class EndingTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SolidPicture("ending_title.bfg", 520, 64, kTitleColor);
        SolidPicture("staffroll.bfg", 180, 400, kRollColor);
        SolidPicture("ending_logo.bfg", 64, 64, kLogoColor);
    }

    // Runs the scene up to and including frame t.
    const std::vector<uint32_t>& RunTo(Ending& ending, int t) {
        while (ending.frame < t - 1) Frame(ending);
        return Frame(ending);
    }

    static bool AllBlack(const std::vector<uint32_t>& frame) {
        for (uint32_t p : frame) {
            if (p != 0) return false;
        }
        return true;
    }
};

TEST_F(EndingTest, FollowsTheTimelineFrameForFrame) {
    Ending ending;
    ASSERT_EQ(ending.GetNextId(0), SceneEnding);
    EXPECT_TRUE(headless::Messages().empty());
    // The pictures are the scene's own, not the cache's.
    EXPECT_TRUE(ResourceManager::Instance().Entries().empty());

    // Frame 1: the title opaque, no staff roll yet.
    const std::vector<uint32_t>* frame = &RunTo(ending, 1);
    EXPECT_EQ(At(*frame, 60, 208), kTitleColor);
    EXPECT_EQ(At(*frame, 579, 271), kTitleColor);
    EXPECT_EQ(At(*frame, 59, 208), 0u);

    // Frame 33: the fade has begun at opacity 254.
    frame = &RunTo(ending, 33);
    EXPECT_NEAR(Red(At(*frame, 100, 220)), 0xF0 * 254 / 255, 1);
    EXPECT_LT(At(*frame, 100, 220), kTitleColor);

    // Frame 285: the last trace of the title (opacity 2); the roll at 766 - 285.
    frame = &RunTo(ending, 285);
    EXPECT_NEAR(Red(At(*frame, 100, 220)), 0xF0 * 2 / 255, 1);
    EXPECT_GT(At(*frame, 100, 220), 0u);
    EXPECT_EQ(At(*frame, 300, 479), 0u);  // roll top at y 481: still below the screen

    frame = &RunTo(ending, 286);
    EXPECT_EQ(At(*frame, 100, 220), 0u);

    // The roll climbs one pixel a frame: at frame 700 its top is at y 66.
    frame = &RunTo(ending, 700);
    EXPECT_EQ(At(*frame, 300, 65), 0u);
    EXPECT_EQ(At(*frame, 300, 66), kRollColor);
    EXPECT_EQ(At(*frame, 229, 100), 0u);
    EXPECT_EQ(At(*frame, 409, 100), kRollColor);
    frame = &RunTo(ending, 701);
    EXPECT_EQ(At(*frame, 300, 65), kRollColor);

    // Frame 1133: the roll's last rows; 1134: black.
    frame = &RunTo(ending, 1133);
    EXPECT_EQ(At(*frame, 300, 32), kRollColor);
    EXPECT_EQ(At(*frame, 300, 33), 0u);
    frame = &RunTo(ending, 1134);
    EXPECT_TRUE(AllBlack(*frame));

    // Frame 1135: the logo at scale 0.05, turned by 18 degrees: a speck.
    frame = &RunTo(ending, 1135);
    EXPECT_DOUBLE_EQ(ending.logoScale, 0.05);
    EXPECT_EQ(ending.logoAngle, 18);
    EXPECT_EQ(At(*frame, 320, 240), kLogoColor);
    EXPECT_EQ(At(*frame, 325, 240), 0u);

    // Frame 1155: full size, a whole turn; then it holds.
    frame = &RunTo(ending, 1155);
    EXPECT_NEAR(ending.logoScale, 1.0, 1e-9);
    EXPECT_EQ(ending.logoAngle, 360);
    EXPECT_EQ(At(*frame, 320 - 30, 240 - 30), kLogoColor);
    EXPECT_EQ(At(*frame, 320 + 30, 240 + 30), kLogoColor);
    EXPECT_EQ(At(*frame, 320 + 36, 240), 0u);
    EXPECT_EQ(At(*frame, 320, 240 - 36), 0u);
    const std::vector<uint32_t> held = *frame;
    for (int k = 0; k < 30; ++k) Frame(ending);
    EXPECT_EQ(ending.frame, 1155);
    EXPECT_EQ(ending.logoAngle, 360);
    EXPECT_EQ(headless::LastPresentedFrame(), held);
    EXPECT_EQ(lastStep, SceneEnding);
}

TEST_F(EndingTest, FirstButtonLeavesForTheOpeningEvenOnTheFirstFrame) {
    Ending ending;
    Frame(ending, PAD_BUTTON1);
    EXPECT_EQ(lastStep, SceneOpening);
}

TEST_F(EndingTest, MissingPicturesAreSilentAndDrawNothing) {
    std::filesystem::remove("ending_title.bfg");
    std::filesystem::remove("ending_logo.bfg");
    Ending ending;
    EXPECT_EQ(ending.titlePicture, -1);
    EXPECT_EQ(ending.logoPicture, -1);
    EXPECT_NE(ending.rollPicture, -1);
    EXPECT_TRUE(headless::Messages().empty());
    EXPECT_TRUE(AllBlack(RunTo(ending, 10)));
    EXPECT_EQ(ending.GetNextId(0), SceneEnding);
}

}  // namespace
