// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver.h"
#include "stage_source.h"

#include "play/stage_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Small stages whose optimum is worked out by hand. Each picture is drawn
// from the playing area's top-left corner; the rest of the area is empty.
class SolverTest : public ::testing::Test {
protected:
    static StageData Stage(std::vector<std::string> rows, int limit = 2) {
        std::string text = "limit: " + std::to_string(limit) + "\nbackground: bg1.bfg\nmap:\n";
        for (std::string& row : rows) {
            row.resize(16, '.');
            text += row + "\n";
        }
        for (std::size_t r = rows.size(); r < 10; ++r) text += "................\n";
        const StageSourceResult source = ParseStageSource(text);
        EXPECT_TRUE(source.ok) << source.reason;
        // Through the game's loader, as the build does it.
        const StageFileResult loaded = ParseStageFile(EncodeStageFile(StageFileImageOf(source.source, 255)));
        EXPECT_TRUE(loaded);
        return loaded.stage;
    }

    // Solves and checks the answer by replaying it with the rules.
    static int Optimum(const StageData& stage) {
        const SolveResult result = SolveStage(stage);
        EXPECT_EQ(result.status, SolveStatus::Solved) << DescribeSolveStatus(result.status);
        int steps = -1;
        EXPECT_TRUE(ReplayClears(stage, result.moves, &steps)) << MovesText(result.moves);
        EXPECT_EQ(steps, result.Steps());
        return result.Steps();
    }
};

TEST_F(SolverTest, MarkAdvancedOnTheWay) {
    EXPECT_EQ(Optimum(Stage({"S1B"})), 2);
}

TEST_F(SolverTest, MarkCycledUpToTheLimit) {
    // Limit 3: the mark needs two visits (1 -> 2 -> 3), so one step back and forth.
    EXPECT_EQ(Optimum(Stage({"S1C"}, 3)), 4);
    // Limit 4 and a goal for 1: three more visits to come round to 1.
    EXPECT_EQ(Optimum(Stage({"S1A"}, 4)), 8);
}

TEST_F(SolverTest, UntouchedMarkAlreadyRight) {
    EXPECT_EQ(Optimum(Stage({"-1-",
                             "S-A"}, 4)), 2);
}

TEST_F(SolverTest, ArrowsAdvanceLines) {
    EXPECT_EQ(Optimum(Stage({".1..",
                             ".1..",
                             "S^-B"})), 3);
    EXPECT_EQ(Optimum(Stage({"..B.",
                             "11<S"})), 2);
    EXPECT_EQ(Optimum(Stage({"S>11",
                             ".-..",
                             ".B.."})), 3);
    EXPECT_EQ(Optimum(Stage({"Sv-B",
                             ".1..",
                             ".1.."})), 3);
}

TEST_F(SolverTest, BurstAdvancesTheCorners) {
    EXPECT_EQ(Optimum(Stage({"1B1",
                             "-*-",
                             "1S1"})), 2);
}

TEST_F(SolverTest, WarpsWithOneTwoAndThreeCells) {
    EXPECT_EQ(Optimum(Stage({"SW-B"})), 3);   // no partner: just a floor with a sound
    EXPECT_EQ(Optimum(Stage({"SW.W-B"})), 3);  // the warp costs no step
    // Three cells: the corner warp leads to the first in search order, the
    // top-left one, next to the goal.
    EXPECT_EQ(Optimum(Stage({"BW.W",
                             ".W-S"})), 2);
}

TEST_F(SolverTest, EraserEmptiesExactlyFive) {
    EXPECT_EQ(Optimum(Stage({"SE11111A"})), 7);
    // The sixth mark is stepped on normally (1 -> 2) and must be brought
    // back to 1: onto the goal (no clear), back onto the mark, onto the goal.
    EXPECT_EQ(Optimum(Stage({"SE111111A"})), 10);
}

TEST_F(SolverTest, StageWithoutSolution) {
    const SolveResult result = SolveStage(Stage({"S-B",
                                                 "...",
                                                 "1.."}));
    EXPECT_EQ(result.status, SolveStatus::NoSolution);
    EXPECT_EQ(result.states, 3u);
    EXPECT_TRUE(result.moves.empty());
}

TEST_F(SolverTest, MarkAboveTheLimitNeverChanges) {
    EXPECT_EQ(SolveStage(Stage({"S3B"})).status, SolveStatus::NoSolution);
    EXPECT_EQ(Optimum(Stage({"S3C"})), 2);
}

TEST_F(SolverTest, StepLimitAndMemoryBoundAreReported) {
    const StageData stage = Stage({"S1C"}, 3);
    SolverLimits limits;
    limits.maxSteps = 3;
    EXPECT_EQ(SolveStage(stage, limits).status, SolveStatus::TooManySteps);
    limits.maxSteps = 4;
    EXPECT_EQ(SolveStage(stage, limits).status, SolveStatus::Solved);

    // Sixteen marks of limit 4 on an open floor: far more positions than fit
    // in a few kilobytes.
    const StageData big = Stage({"1111111111111111",
                                 "1111111111111111",
                                 "S--------------D"}, 4);
    limits = SolverLimits{};
    limits.memoryBytes = 64 * 1024;
    const SolveResult result = SolveStage(big, limits);
    EXPECT_EQ(result.status, SolveStatus::OutOfMemory);
    EXPECT_LE(result.peakBytes, limits.memoryBytes);
    EXPECT_GT(result.states, 1000u);
}

TEST(SolverText, MovesAreLetters) {
    using enum StepDirection;
    EXPECT_EQ(MovesText({Left, Up, Right, Down, Down}), "LURDD");
}

}  // namespace
