// SPDX-License-Identifier: GPL-3.0-or-later
// The player figure on its own: animations, input priority, step timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "media/media.h"
#include "play/player_chara.h"

namespace {

class PlayerCharaTest : public ::testing::Test {
protected:
    PlayerChara player{5 * 32, 6 * 32, -1};

    // Ticks until the current animation reports its end; returns the number
    // of ticks taken and the last result.
    std::pair<int, int> RunToEnd(int rising = 0) {
        for (int ticks = 1; ticks <= 200; ++ticks) {
            int r = player.Tick(rising, 0);
            if (!player.animating) return {ticks, r};
        }
        return {-1, -1};
    }
};

TEST_F(PlayerCharaTest, ConstructedStandingFacingLeft) {
    EXPECT_EQ(player.position, CTPoint(160, 192, 0));
    EXPECT_EQ(player.offset, CTPoint(0, 0, 0));
    EXPECT_EQ(player.width, 32);
    EXPECT_EQ(player.height, 64);
    EXPECT_EQ(player.drawOffset, 32);
    EXPECT_EQ(player.inputMask, 7);
    EXPECT_EQ(player.GetMotion(), MOTION_WALK_LEFT);
    EXPECT_EQ(player.frame, 0);
    EXPECT_EQ(player.GetWait(), 0);
    EXPECT_EQ(player.animating, 0);
    EXPECT_EQ(player.stepKind, kStepNone);
    EXPECT_EQ(player.CellX(), 5);
    EXPECT_EQ(player.CellY(), 6);
    EXPECT_EQ(player.CellZ(), 0);
    EXPECT_EQ(player.Reserved4(9), 0);
    EXPECT_EQ(player.Reserved5(), 0);
    EXPECT_EQ(player.GetImageHandle(0), -1);
    for (int m = 0; m < 7; ++m) {
        EXPECT_EQ(player.oneShot[m], m >= 4 ? 1 : 0) << m;
        EXPECT_EQ(player.started[m], 0) << m;
    }
}

TEST_F(PlayerCharaTest, AnimationTablesCutFromThePicture) {
    const int rows[7] = {0, 64, 128, 192, 256, 256, 320};
    const std::vector<int> walk = {0, 0, 1, 2, 2, 0, 3, 4, 4};
    const std::vector<std::vector<int>> columns = {
        walk, walk, walk, walk, {4, 0, 1, 2, 3, 4}, {0, 4, 3, 2, 1, 0}, {4, 0, 1, 2, 3, 4}};
    const int waits[7] = {1, 1, 1, 1, 2, 2, 5};
    const CTPoint steps[7] = {{-4, 0, 0}, {0, -4, 0}, {4, 0, 0}, {0, 4, 0}, {}, {}, {}};
    for (int m = 0; m < 7; ++m) {
        ASSERT_EQ(player.animations[m].size(), columns[m].size()) << m;
        for (size_t i = 0; i < columns[m].size(); ++i) {
            const AnimFrame& f = player.animations[m][i];
            EXPECT_EQ(f.srcX, 32 * columns[m][i]) << m << "/" << i;
            EXPECT_EQ(f.srcY, rows[m]);
            EXPECT_EQ(f.width, 32);
            EXPECT_EQ(f.height, 64);
            EXPECT_EQ(f.flag, 0);
            EXPECT_EQ(f.wait, waits[m]);
            EXPECT_EQ(f.offset, steps[m]);
        }
    }
    for (int m = 7; m < PlayerChara::kAnimationSlots; ++m) EXPECT_TRUE(player.animations[m].empty());
}

TEST_F(PlayerCharaTest, CellQueriesLookAhead) {
    player.position = CTPoint(100, 70, 40);
    player.offset = CTPoint(-5, 3, 0);
    EXPECT_EQ(player.CellX(), 95 / 32);
    EXPECT_EQ(player.CellY(), (70 + 3 + 24) / 32);
    EXPECT_EQ(player.CellZ(), 40 / 16);
    player.offset = CTPoint(0, 0, 5);
    EXPECT_EQ(player.CellZ(), (40 + 5 + 12) / 16);
    // Signed division truncates toward zero.
    player.position = CTPoint(-40, 0, 0);
    player.offset = CTPoint(0, 0, -10);
    EXPECT_EQ(player.CellX(), -1);
    EXPECT_EQ(player.CellZ(), 0);
}

TEST_F(PlayerCharaTest, AcceptsOnlyBitsOfTheMask) {
    EXPECT_EQ(player.AcceptsInput(0), 1);
    EXPECT_EQ(player.AcceptsInput(5), 1);
    EXPECT_EQ(player.AcceptsInput(7), 1);
    EXPECT_EQ(player.AcceptsInput(8), 0);
    EXPECT_EQ(player.AcceptsInput(0xF), 0);
}

TEST_F(PlayerCharaTest, WalkTakesSeventeenTicksAndOneCell) {
    ASSERT_EQ(player.BeginStep(PAD_RIGHT), PAD_RIGHT);
    std::vector<int> results;
    std::vector<int> xs;
    for (int t = 0; t < 17; ++t) {
        results.push_back(player.Tick(0, 0));
        xs.push_back(player.position.x);
    }
    const std::vector<int> expected = {2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 3};
    EXPECT_EQ(results, expected);
    // Moves 4 pixels on ticks 1, 3, ... 15.
    for (int t = 0; t < 17; ++t) EXPECT_EQ(xs[t], 160 + 4 * std::min(8, t / 2 + 1)) << t;
    EXPECT_EQ(player.position, CTPoint(192, 192, 0));
    EXPECT_EQ(player.animating, 0);
    EXPECT_EQ(player.frame, 0);
    EXPECT_EQ(player.GetMotion(), MOTION_WALK_RIGHT);
    EXPECT_EQ(player.Tick(0, 0), 0);
}

TEST_F(PlayerCharaTest, DirectionPriorityLeftUpRightDown) {
    struct Case { int pressed; int motion; };
    const Case cases[] = {{PAD_LEFT | PAD_UP, MOTION_WALK_LEFT},
                          {PAD_UP | PAD_RIGHT, MOTION_WALK_UP},
                          {PAD_RIGHT | PAD_DOWN, MOTION_WALK_RIGHT},
                          {PAD_DOWN | PAD_LEFT, MOTION_WALK_LEFT},
                          {PAD_DOWN, MOTION_WALK_DOWN},
                          {0xF, MOTION_WALK_LEFT}};
    for (const Case& c : cases) {
        PlayerChara p(160, 192, -1);
        EXPECT_EQ(p.BeginStep(c.pressed | PAD_BUTTON1), c.pressed | PAD_BUTTON1);
        EXPECT_EQ(p.GetMotion(), c.motion) << c.pressed;
        EXPECT_EQ(p.stepKind, kStepMoving);
        EXPECT_EQ(p.animating, 1);
    }
}

TEST_F(PlayerCharaTest, NoDirectionStartsNothing) {
    EXPECT_EQ(player.BeginStep(PAD_BUTTON1 | PAD_BUTTON2), 0);
    EXPECT_EQ(player.animating, 0);
    EXPECT_EQ(player.stepKind, kStepNone);
}

TEST_F(PlayerCharaTest, MovingStepIgnoresInputUntilItEnds) {
    player.BeginStep(PAD_UP);
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ(player.BeginStep(PAD_LEFT), 0) << t;
        EXPECT_EQ(player.BeginStep(PAD_UP), 0) << t;
        player.Tick(0, 0);
    }
    EXPECT_EQ(player.Tick(0, 0), 3);
    EXPECT_EQ(player.BeginStep(PAD_LEFT), PAD_LEFT);
    EXPECT_EQ(player.GetMotion(), MOTION_WALK_LEFT);
}

TEST_F(PlayerCharaTest, BlockedStepNotRestartedSameWayButReplacedAnotherWay) {
    player.BeginStep(PAD_LEFT);
    player.stepKind = kStepBlocked;
    player.Tick(0, 0);
    player.Tick(0, 0);
    player.Tick(0, 0);
    EXPECT_EQ(player.BeginStep(PAD_LEFT), 0);
    EXPECT_EQ(player.frame, 2);
    EXPECT_EQ(player.BeginStep(PAD_UP), PAD_UP);
    EXPECT_EQ(player.GetMotion(), MOTION_WALK_UP);
    EXPECT_EQ(player.frame, 0);
    EXPECT_EQ(player.stepKind, kStepMoving);
}

TEST_F(PlayerCharaTest, RisingLiftsEvenWhenIdle) {
    EXPECT_EQ(player.Tick(1, 0), 0);
    EXPECT_EQ(player.position, CTPoint(160, 190, 0));
    EXPECT_EQ(player.Tick(0, 0), 0);
    EXPECT_EQ(player.position.y, 190);
}

TEST_F(PlayerCharaTest, OneShotAnimationsAndTheirLengths) {
    player.stepKind = kStepMoving;  // as left by the step that led onto the tile
    player.StartAnimation(MOTION_WARP_LEAVE, 0);
    EXPECT_EQ(player.started[MOTION_WARP_LEAVE], 1);
    EXPECT_EQ(player.BeginStep(PAD_RIGHT), 0);
    EXPECT_EQ(RunToEnd(), std::make_pair(16, 3));

    player.StartAnimation(MOTION_WARP_ARRIVE, 1);
    EXPECT_EQ(player.started[MOTION_WARP_LEAVE], 0);
    EXPECT_EQ(player.started[MOTION_WARP_ARRIVE], 1);
    EXPECT_EQ(RunToEnd(), std::make_pair(13, 3));

    player.StartAnimation(MOTION_CLEAR_POSE, 0);
    EXPECT_EQ(RunToEnd(), std::make_pair(31, 3));
    EXPECT_EQ(player.frame, 0);
    EXPECT_EQ(player.animations[MOTION_CLEAR_POSE][0].srcX, 128);
    EXPECT_EQ(player.started[MOTION_CLEAR_POSE], 1);
    EXPECT_EQ(player.position, CTPoint(160, 192, 0));
}

TEST_F(PlayerCharaTest, StartedFlagClearedOnlyWhenSwitchingMotion) {
    player.StartAnimation(MOTION_WARP_ARRIVE, 1);
    player.StartAnimation(MOTION_WARP_ARRIVE, 0);
    EXPECT_EQ(player.started[MOTION_WARP_ARRIVE], 1);
    player.StartAnimation(MOTION_WALK_DOWN, 0);
    EXPECT_EQ(player.started[MOTION_WARP_ARRIVE], 0);
    EXPECT_EQ(player.started[MOTION_WALK_DOWN], 0);
}

}  // namespace
