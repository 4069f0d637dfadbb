// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped stages as a set: every one loads with the game's reader, and
// together they teach the game: each tile kind first appears alone in an
// easy stage, every mark limit and goal value is used, the last stages are
// small, and each chapter of five grows harder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "play/stage_file.h"

namespace {

std::filesystem::path GameFolder() { return std::filesystem::path(VELTRIM_BINARY_DIR) / "game"; }

// Tile kinds that a stage introduces.
enum class Kind { ArrowTile, Burst, WarpA, WarpB, Eraser };

std::set<Kind> KindsOn(const Board& board) {
    std::set<Kind> kinds;
    for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) {
            const std::uint8_t code = board.At(c, r);
            if (IsArrow(code)) kinds.insert(Kind::ArrowTile);
            if (code == CELL_BURST) kinds.insert(Kind::Burst);
            if (code == CELL_WARP_A) kinds.insert(Kind::WarpA);
            if (code == CELL_WARP_B) kinds.insert(Kind::WarpB);
            if (code == CELL_ERASER) kinds.insert(Kind::Eraser);
        }
    }
    return kinds;
}

bool Holds(const Board& board, std::uint8_t wanted) {
    for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) {
            if (board.At(c, r) == wanted) return true;
        }
    }
    return false;
}

class StageSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(GameFolder() / StageFilePath(1))) GTEST_SKIP() << "the game's content is not built";
        for (int number = 1;; ++number) {
            std::ifstream in(GameFolder() / StageFilePath(number), std::ios::binary);
            if (!in) break;
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            const StageFileResult loaded = ParseStageFile(bytes);
            ASSERT_TRUE(loaded) << "stage " << number << ": " << DescribeStageFileError(loaded.error);
            stages.push_back(loaded.stage);
        }
    }

    std::vector<StageData> stages;
};

TEST_F(StageSetTest, FiftyStagesFillTwoSelectionPages) {
    EXPECT_GE(stages.size(), 50u);
    EXPECT_LE(stages.size(), 90u);
}

TEST_F(StageSetTest, EveryStageHasAParWithinTheCounter) {
    for (std::size_t i = 0; i < stages.size(); ++i) {
        EXPECT_GE(stages[i].par, 1) << "stage " << i + 1;
        EXPECT_LE(stages[i].par, 254) << "stage " << i + 1;
        EXPECT_EQ(stages[i].tileName, "tails.bfg");
        // Each stage shows the picture drawn for it from its source.
        EXPECT_EQ(stages[i].backgroundName, "stage" + std::to_string(i + 1) + ".bfg");
        EXPECT_TRUE(std::filesystem::is_regular_file(GameFolder() / stages[i].backgroundName))
            << stages[i].backgroundName;
    }
}

TEST_F(StageSetTest, EveryTileKindIsIntroducedAloneInAnEasyStage) {
    std::set<Kind> seen;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        const std::set<Kind> kinds = KindsOn(stages[i].board);
        std::vector<Kind> fresh;
        std::set_difference(kinds.begin(), kinds.end(), seen.begin(), seen.end(), std::back_inserter(fresh));
        if (fresh.empty()) continue;
        EXPECT_EQ(fresh.size(), 1u) << "stage " << i + 1 << " brings in more than one new kind of tile";
        // The stage that brings in the second warp may show the first beside it.
        std::set<Kind> allowed{fresh.front()};
        if (fresh.front() == Kind::WarpB) allowed.insert(Kind::WarpA);
        EXPECT_TRUE(std::includes(allowed.begin(), allowed.end(), kinds.begin(), kinds.end()))
            << "stage " << i + 1 << " mixes its new tile with others";
        EXPECT_LE(stages[i].par, 30) << "stage " << i + 1 << " is not an easy introduction";
        seen.insert(kinds.begin(), kinds.end());
    }
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(StageSetTest, EveryMarkLimitGoalAndArrowDirectionIsUsed) {
    std::set<int> limits;
    for (const StageData& stage : stages) limits.insert(stage.markLimit);
    EXPECT_TRUE(limits.count(2) && limits.count(3) && limits.count(4));
    for (std::uint8_t code : {CELL_GOAL_1, CELL_GOAL_2, CELL_GOAL_3, CELL_GOAL_4, CELL_ARROW_UP, CELL_ARROW_RIGHT,
                              CELL_ARROW_DOWN, CELL_ARROW_LEFT, CELL_MARK_1, CELL_MARK_2, CELL_MARK_3, CELL_MARK_4}) {
        EXPECT_TRUE(std::any_of(stages.begin(), stages.end(), [code](const StageData& s) { return Holds(s.board, code); }))
            << "no stage holds code " << int(code);
    }
}

TEST_F(StageSetTest, TheLastFifteenStagesAreSmall) {
    ASSERT_GE(stages.size(), 15u);
    for (std::size_t i = stages.size() - 15; i < stages.size(); ++i) {
        int walkable = 0;
        for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
            for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) {
                walkable += stages[i].board.At(c, r) != CELL_EMPTY;
            }
        }
        EXPECT_LE(walkable, 60) << "stage " << i + 1 << " is not small";
    }
}

// Chapters of five: within each, the par rises, with at most one easier
// stage (a breather) after a harder one.
TEST_F(StageSetTest, DifficultyRisesWithinEachChapter) {
    ASSERT_EQ(stages.size() % 5, 0u);
    for (std::size_t first = 0; first < stages.size(); first += 5) {
        int breathers = 0;
        for (std::size_t i = first + 1; i < first + 5; ++i) breathers += stages[i].par < stages[i - 1].par;
        EXPECT_LE(breathers, 1) << "the chapter from stage " << first + 1 << " does not rise";
        EXPECT_LT(stages[first].par, stages[first + 4].par) << "the chapter from stage " << first + 1;
    }
}

}  // namespace
