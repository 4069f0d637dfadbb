// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/tile_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum StepDirection;

// Cell code of one picture character: '.' empty, '1'-'4' marks, 'A'-'D'
// goals for 1-4, '-' floor, 'W' and 'M' the two warps, '^' '>' 'v' '<'
// arrows, '*' burst, 'E' eraser, 'z' a code above the eraser.
std::uint8_t CodeOf(char c) {
    switch (c) {
        case '.': return CELL_EMPTY;
        case '-': return CELL_FLOOR;
        case 'W': return CELL_WARP_A;
        case 'M': return CELL_WARP_B;
        case '^': return CELL_ARROW_UP;
        case '>': return CELL_ARROW_RIGHT;
        case 'v': return CELL_ARROW_DOWN;
        case '<': return CELL_ARROW_LEFT;
        case '*': return CELL_BURST;
        case 'E': return CELL_ERASER;
        case 'z': return 200;
        default: break;
    }
    if (c >= '1' && c <= '4') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'D') return static_cast<std::uint8_t>(CELL_GOAL_1 + (c - 'A'));
    ADD_FAILURE() << "unknown cell character " << c;
    return CELL_EMPTY;
}

// Rule state and player for a small picture drawn from the playing area's
// top-left corner (2, 2); the player starts on the cell marked 'P' (floor).
class TileRulesTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::string>& rows, std::uint8_t markLimit = 2) {
        state = RuleState{};
        state.markLimit = markLimit;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                const BoardCell cell = At(static_cast<int>(c), static_cast<int>(r));
                if (rows[r][c] == 'P') {
                    player = RulePlayer{};
                    player.cell = cell;
                    state.board.Set(cell, CELL_FLOOR);
                } else {
                    state.board.Set(cell, CodeOf(rows[r][c]));
                }
            }
        }
    }

    // A cell of the picture by its column and row in the picture.
    static BoardCell At(int column, int row) { return {Board::kFirstPlayColumn + column, Board::kFirstPlayRow + row}; }
    std::uint8_t Code(int column, int row) const { return state.board.At(At(column, row)); }

    MoveOutcome Move(StepDirection direction) {
        sounds.clear();
        return PlayMove(state, player, direction, &sounds);
    }

    RuleState state;
    RulePlayer player;
    std::vector<RuleSound> sounds;
};

using Sounds = std::vector<RuleSound>;

TEST_F(TileRulesTest, MarkCyclesUpToItsLimit) {
    const std::vector<std::pair<std::uint8_t, std::vector<int>>> cycles = {
        {2, {2, 1, 2, 1}}, {3, {2, 3, 1, 2}}, {4, {2, 3, 4, 1}}, {1, {1, 1}}};
    for (const auto& [limit, expected] : cycles) {
        Load({"P1-"}, limit);
        for (int value : expected) {
            Move(Right);
            EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Brock}));
            EXPECT_EQ(Code(1, 0), value) << "limit " << int(limit);
            Move(Left);
        }
    }
}

TEST_F(TileRulesTest, MarksAboveTheLimitStay) {
    EXPECT_EQ(AdvancedMark(3, 2), 3);
    EXPECT_EQ(AdvancedMark(4, 3), 4);
    Load({"P3"}, 2);
    Move(Right);
    EXPECT_EQ(Code(1, 0), 3);
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Brock}));
}

TEST_F(TileRulesTest, StepAgainstEmptyIsBlockedAndUncounted) {
    Load({"P.1"});
    const MoveOutcome outcome = Move(Right);
    EXPECT_TRUE(outcome.blocked);
    EXPECT_FALSE(outcome.counted);
    EXPECT_EQ(sounds, Sounds{RuleSound::Footstep});
    EXPECT_EQ(player.cell, At(0, 0));
    EXPECT_EQ(state.steps, 0);
    EXPECT_TRUE(Move(Up).blocked);  // the row above is border
}

TEST_F(TileRulesTest, StepCountStopsAt255) {
    Load({"P-"});
    for (int i = 0; i < 300; ++i) Move(i % 2 ? Left : Right);
    EXPECT_EQ(state.steps, 255);
}

TEST_F(TileRulesTest, ArrowsAdvanceTheirLineUpToTheFirstNonMark) {
    Load({"..1..",
          "..1..",
          "..^1.",
          "P->22",
          "..v..",
          "..1..",
          "..-..",
          "..1.."});
    Move(Right);
    Move(Right);  // onto the arrow right at (2, 3)
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Arrow}));
    EXPECT_EQ(Code(3, 3), 1);
    EXPECT_EQ(Code(4, 3), 1);
    EXPECT_EQ(Code(2, 3), CELL_ARROW_RIGHT);  // its own cell is untouched
    EXPECT_EQ(Code(3, 2), 1);                 // off the line
    Move(Up);  // both marks above, up to the empty border
    EXPECT_EQ(Code(2, 1), 2);
    EXPECT_EQ(Code(2, 0), 2);
    Move(Down);
    EXPECT_EQ(Code(3, 3), 2);
    Move(Down);  // the line stops at the floor even with a mark beyond it
    EXPECT_EQ(Code(2, 5), 2);
    EXPECT_EQ(Code(2, 7), 1);
}

TEST_F(TileRulesTest, ArrowLineStopsAtEveryKindOfTile) {
    for (char stop : {'A', 'W', '<', '-', '*', 'E', 'z'}) {
        Load({std::string("P>1") + stop + "1"});
        Move(Right);
        EXPECT_EQ(Code(2, 0), 2) << stop;
        EXPECT_EQ(Code(4, 0), 1) << stop;
    }
}

TEST_F(TileRulesTest, ArrowLineCrossesMarksAboveTheLimit) {
    Load({"P>141"}, 2);
    Move(Right);
    EXPECT_EQ(Code(2, 0), 2);
    EXPECT_EQ(Code(3, 0), 4);
    EXPECT_EQ(Code(4, 0), 2);
}

TEST_F(TileRulesTest, LeftArrowAdvancesToTheLeft) {
    Load({"11<P"});
    Move(Left);
    EXPECT_EQ(Code(0, 0), 2);
    EXPECT_EQ(Code(1, 0), 2);
}

TEST_F(TileRulesTest, BurstAdvancesTheMarksAroundItOnly) {
    Load({"121",
          "2*3",
          "1P1"}, 3);
    Move(Up);
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Arrow}));
    EXPECT_EQ(Code(0, 0), 2);
    EXPECT_EQ(Code(1, 0), 3);
    EXPECT_EQ(Code(2, 0), 2);
    EXPECT_EQ(Code(0, 1), 3);
    EXPECT_EQ(Code(1, 1), CELL_BURST);
    EXPECT_EQ(Code(2, 1), 1);
    EXPECT_EQ(Code(0, 2), 2);
    EXPECT_EQ(Code(1, 2), CELL_FLOOR);  // the floor the player came from
}

TEST_F(TileRulesTest, BurstInTheCornerStaysInsideTheBoard) {
    Load({"*-1",
          "1P-"});
    Move(Up);
    Move(Left);  // onto the burst in the playing area's top-left corner
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Arrow}));
    EXPECT_EQ(Code(0, 1), 2);
    EXPECT_EQ(Code(2, 0), 1);  // outside the 3 x 3 block
    for (int column = 1; column <= 3; ++column) EXPECT_EQ(state.board.At(column, 1), CELL_EMPTY);
    EXPECT_EQ(state.board.At(1, 2), CELL_EMPTY);
    EXPECT_EQ(state.board.At(1, 3), CELL_EMPTY);
}

TEST_F(TileRulesTest, WarpWithoutPartnerOnlySounds) {
    Load({"PW"});
    const MoveOutcome outcome = Move(Right);
    EXPECT_FALSE(outcome.warped);
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Warp}));
    EXPECT_EQ(player.cell, At(1, 0));
    EXPECT_EQ(player.motion, MOTION_WALK_RIGHT);
}

TEST_F(TileRulesTest, WarpLeavesMovesAndArrivesWithoutBouncingBack) {
    Load({"PW-W-"});
    const PlayerPlace onWarp{At(1, 0).column * 32, At(1, 0).row * 32};
    // The protocol the map scene follows, one call per animation end.
    TileOutcome first = ApplyTileEffect(state, onWarp);
    EXPECT_EQ(first.sounds.size(), 1u);
    EXPECT_EQ(first.startMotion, MOTION_WARP_LEAVE);
    EXPECT_EQ(first.startFrame, 0);
    EXPECT_FALSE(first.moveTo);
    PlayerPlace leaving = onWarp;
    leaving.leaveStarted = true;
    TileOutcome second = ApplyTileEffect(state, leaving);
    EXPECT_EQ(second.sounds.size(), 1u);
    EXPECT_EQ(second.startMotion, MOTION_WARP_ARRIVE);
    EXPECT_EQ(second.startFrame, 1);
    EXPECT_EQ(second.moveTo, At(3, 0));
    const PlayerPlace arrived{At(3, 0).column * 32, At(3, 0).row * 32, 0, false, true, false};
    TileOutcome third = ApplyTileEffect(state, arrived);
    EXPECT_TRUE(third.sounds.empty());
    EXPECT_EQ(third.startMotion, -1);
    EXPECT_FALSE(third.moveTo);

    // The same through whole moves: the sound twice, and stepping off and on
    // again uses the warp again.
    MoveOutcome outcome = Move(Right);
    EXPECT_TRUE(outcome.warped);
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Warp, RuleSound::Warp}));
    EXPECT_EQ(player.cell, At(3, 0));
    EXPECT_EQ(state.steps, 1);  // the warp itself costs no step
    Move(Right);
    outcome = Move(Left);
    EXPECT_TRUE(outcome.warped);
    EXPECT_EQ(player.cell, At(1, 0));
}

TEST_F(TileRulesTest, ThreeWarpsLeadToTheFirstInSearchOrder) {
    Load({"-W-W",
          "PW--"});
    Move(Right);  // (1, 1) -> the first warp in search order, (1, 0)
    EXPECT_EQ(player.cell, At(1, 0));
    Move(Left);
    Move(Right);  // (1, 0) -> the first one that is not itself, (3, 0)
    EXPECT_EQ(player.cell, At(3, 0));
    Move(Down);
    Move(Up);  // (3, 0) -> (1, 0)
    EXPECT_EQ(player.cell, At(1, 0));
}

TEST_F(TileRulesTest, PartnerSearchSkipsOnlyThePlayersOwnPlace) {
    Load({"W-W"});
    PlayerPlace place{At(0, 0).column * 32, At(0, 0).row * 32};
    EXPECT_EQ(FindWarpPartner(state.board, CELL_WARP_A, place), At(2, 0));
    place.z = 3;  // lifted: not standing on its own cell
    EXPECT_EQ(FindWarpPartner(state.board, CELL_WARP_A, place), At(0, 0));
    EXPECT_EQ(FindWarpPartner(state.board, CELL_WARP_B, place), std::nullopt);
}

TEST_F(TileRulesTest, TwoWarpCodesAreSeparatePairs) {
    Load({"PWM-M-W"});
    Move(Right);
    EXPECT_EQ(player.cell, At(6, 0));
    Move(Left);
    Move(Left);  // onto M at (4, 0) -> (2, 0)
    EXPECT_EQ(player.cell, At(2, 0));
}

TEST_F(TileRulesTest, EraserEmptiesTheNextFiveMarks) {
    Load({"PE-B1111111"});
    Move(Right);
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Erase}));
    EXPECT_TRUE(state.eraseMode);
    EXPECT_EQ(state.erasuresLeft, 5);
    Move(Right);  // floor and goal use no erasure
    Move(Right);
    EXPECT_EQ(state.erasuresLeft, 5);
    EXPECT_EQ(Code(3, 0), CELL_GOAL_2);
    EXPECT_EQ(sounds, Sounds{RuleSound::Footstep});
    for (int i = 1; i <= 5; ++i) {
        Move(Right);
        EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Footstep2})) << i;
        EXPECT_EQ(Code(3 + i, 0), CELL_EMPTY);
        EXPECT_EQ(state.erasuresLeft, 5 - i);
        EXPECT_EQ(state.eraseMode, i < 5);
    }
    EXPECT_EQ(state.steps, 8);
    Move(Right);  // the mode is over: marks count again
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Brock}));
    EXPECT_EQ(Code(9, 0), 2);
}

TEST_F(TileRulesTest, ErasedCellCannotBeEnteredAgain) {
    Load({"PE1-"});
    Move(Right);
    Move(Right);  // emptied as the player walks onto it
    EXPECT_EQ(player.cell, At(2, 0));
    EXPECT_EQ(Code(2, 0), CELL_EMPTY);
    Move(Right);
    EXPECT_TRUE(Move(Left).blocked);
}

TEST_F(TileRulesTest, NoTileEffectWhileErasingAndTheEraserCanBeUsedAgain) {
    Load({"PEB>1",
          "...11",
          "...11",
          "....1"});
    Move(Right);
    Move(Right);  // a goal with every mark wrong, and anyway erasing: nothing
    Move(Right);  // the arrow does nothing either
    EXPECT_EQ(sounds, Sounds{RuleSound::Footstep});
    EXPECT_EQ(Code(4, 0), 1);
    Move(Right);  // erasures 1 .. 5
    Move(Down);
    Move(Left);
    Move(Down);
    Move(Right);
    EXPECT_FALSE(state.eraseMode);
    EXPECT_EQ(state.board.CountMarks(), 1);
    EXPECT_EQ(Code(4, 3), 1);
}

TEST_F(TileRulesTest, GoalClearsOnlyWhenEveryMarkShowsItsValue) {
    Load({"2PA"});
    MoveOutcome outcome = Move(Right);
    EXPECT_FALSE(outcome.cleared);
    EXPECT_EQ(sounds, Sounds{RuleSound::Footstep});
    EXPECT_EQ(state.playState, kPlayStatePlaying);

    Load({"2PB"});
    outcome = Move(Right);
    EXPECT_TRUE(outcome.cleared);
    EXPECT_EQ(sounds, (Sounds{RuleSound::Footstep, RuleSound::Clear}));
    EXPECT_EQ(state.playState, kPlayStateClearing);
    EXPECT_EQ(state.clearedGoal, CELL_GOAL_2);
    EXPECT_EQ(state.clearedCell, At(2, 0));
    EXPECT_EQ(Code(2, 0), CELL_EMPTY);  // the goal leaves the board with the player
    EXPECT_EQ(Move(Left).counted, false);  // no play once clearing
    EXPECT_EQ(state.steps, 1);
}

TEST_F(TileRulesTest, GoalRunsTwiceAroundTheClearPose) {
    Load({"3PC"}, 3);
    PlayerPlace onGoal{At(2, 0).column * 32, At(2, 0).row * 32};
    const TileOutcome pose = ApplyTileEffect(state, onGoal);
    EXPECT_EQ(pose.startMotion, MOTION_CLEAR_POSE);
    ASSERT_EQ(pose.sounds.size(), 1u);
    EXPECT_EQ(pose.sounds[0], RuleSound::Clear);
    EXPECT_FALSE(pose.clearBegun);
    EXPECT_EQ(Code(2, 0), CELL_GOAL_3);
    onGoal.clearPoseStarted = true;
    const TileOutcome clear = ApplyTileEffect(state, onGoal);
    EXPECT_TRUE(clear.clearBegun);
    EXPECT_TRUE(clear.sounds.empty());
    EXPECT_EQ(clear.startMotion, -1);
}

TEST_F(TileRulesTest, BoardWithoutMarksIsClearedByAnyGoal) {
    Load({"P-W>*E"});
    for (std::uint8_t goal = CELL_GOAL_1; goal <= CELL_GOAL_4; ++goal) EXPECT_TRUE(IsStageCleared(state.board, goal));
    state.board.Set(At(0, 1), CELL_MARK_4);
    EXPECT_TRUE(IsStageCleared(state.board, CELL_GOAL_4));
    EXPECT_FALSE(IsStageCleared(state.board, CELL_GOAL_3));
}

TEST_F(TileRulesTest, FloorAndHighCodesDoNothing) {
    Load({"P-z"});
    const RuleState before = state;
    Move(Right);
    Move(Right);
    EXPECT_EQ(sounds, Sounds{RuleSound::Footstep});
    EXPECT_EQ(state.board, before.board);
    EXPECT_EQ(state.steps, 2);
}

TEST(StepDirections, PriorityIsLeftUpRightDown) {
    EXPECT_EQ(FirstStepDirection(kStepPadLeft | kStepPadUp), Left);
    EXPECT_EQ(FirstStepDirection(kStepPadUp | kStepPadRight), Up);
    EXPECT_EQ(FirstStepDirection(kStepPadRight | kStepPadDown), Right);
    EXPECT_EQ(FirstStepDirection(kStepPadDown | 0x30), Down);
    EXPECT_EQ(FirstStepDirection(0x10), std::nullopt);
    for (StepDirection d : {Left, Up, Right, Down}) EXPECT_EQ(FirstStepDirection(StepPadBit(d)), d);
}

TEST(RulePlayerFlags, StartedFlagFollowsTheCurrentMotionOnly) {
    RulePlayer player;
    player.StartMotion(MOTION_WARP_LEAVE);
    EXPECT_TRUE(player.started[MOTION_WARP_LEAVE]);
    player.StartMotion(MOTION_WARP_ARRIVE);
    EXPECT_FALSE(player.started[MOTION_WARP_LEAVE]);
    EXPECT_TRUE(player.started[MOTION_WARP_ARRIVE]);
    player.StartMotion(MOTION_WALK_UP);
    EXPECT_FALSE(player.started[MOTION_WARP_ARRIVE]);
    EXPECT_FALSE(player.started[MOTION_WALK_UP]);  // walks are not one-shot
}

}  // namespace
