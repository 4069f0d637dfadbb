// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_generator.h"

#include "board_climb.h"
#include "design_rules.h"
#include "stage_input.h"

#include <gtest/gtest.h>

namespace {

// A small recipe, so a run of a few hundred boards takes well under a second.
class StageGeneratorTest : public ::testing::Test {
protected:
    static StageRecipe SmallRecipe() {
        StageRecipe recipe;
        recipe.boxColumns = 6;
        recipe.boxRows = 4;
        recipe.minCells = 12;
        recipe.maxCells = 18;
        recipe.minMarks = 3;
        recipe.maxMarks = 6;
        recipe.arrows = 1;
        recipe.minOptimum = 6;
        recipe.climbSteps = 40;
        return recipe;
    }
    // A sketch in the small recipe's box from rows of source characters.
    static Sketch SketchOf(std::initializer_list<const char*> rows) {
        Sketch sketch(SmallRecipe().boxColumns, SmallRecipe().boxRows);
        int row = 0;
        for (const char* text : rows) {
            for (int column = 0; text[column] != '\0'; ++column) sketch.Put({column, row}, text[column]);
            ++row;
        }
        return sketch;
    }
    static GeneratorBudget SmallBudget() {
        GeneratorBudget budget;
        budget.boards = 300;
        budget.limits.memoryBytes = std::size_t{64} << 20;
        return budget;
    }
};

TEST_F(StageGeneratorTest, SameSeedGivesSameCandidates) {
    const GeneratorRun first = GenerateStages(SmallRecipe(), 7, SmallBudget());
    const GeneratorRun again = GenerateStages(SmallRecipe(), 7, SmallBudget());
    ASSERT_FALSE(first.candidates.empty());
    ASSERT_EQ(first.candidates.size(), again.candidates.size());
    for (std::size_t i = 0; i < first.candidates.size(); ++i) {
        EXPECT_EQ(first.candidates[i].source, again.candidates[i].source);
    }
    EXPECT_EQ(first.boardsJudged, again.boardsJudged);
    // Another seed proposes other boards.
    const GeneratorRun other = GenerateStages(SmallRecipe(), 8, SmallBudget());
    ASSERT_FALSE(other.candidates.empty());
    EXPECT_NE(other.candidates[0].source, first.candidates[0].source);
}

TEST_F(StageGeneratorTest, CandidatesCompileKeepTheRulesAndCarryTheirTrueScore) {
    const GeneratorRun run = GenerateStages(SmallRecipe(), 11, SmallBudget());
    ASSERT_FALSE(run.candidates.empty());
    std::vector<CritiquedStage> set;
    int previousOptimum = 1000;
    for (const StageCandidate& candidate : run.candidates) {
        const StageInput input = StageInputOfSource("proposal.stage", candidate.source);
        ASSERT_TRUE(input.ok) << input.error << "\n" << candidate.source;
        CritiquedStage stage;
        stage.file = "proposal-" + std::to_string(candidate.board) + ".stage";
        stage.number = 99;
        stage.design = input.design;
        stage.critique = CritiqueStage(input.stage);
        EXPECT_EQ(candidate.source.substr(0, candidate.source.find('\n')), ScoreLine(stage.critique));
        EXPECT_GE(stage.critique.optimum, SmallRecipe().minOptimum);
        EXPECT_FALSE(stage.design.features.empty());
        EXPECT_LE(stage.critique.optimum, previousOptimum) << "deepest first";
        previousOptimum = stage.critique.optimum;
        set.push_back(std::move(stage));
    }
    // Taken together too: each proposal has a shape of its own. What they
    // rely on is taught by the stages a proposal joins, not by each other.
    for (const RuleBreach& breach : CheckDesignRules(set)) {
        if (breach.rule != kMechanicsTaughtRule) ADD_FAILURE() << breach.Message();
    }
}

TEST_F(StageGeneratorTest, ThreadsDoNotChangeTheCandidates) {
    GeneratorBudget budget = SmallBudget();
    budget.boards = 120;
    const GeneratorRun alone = GenerateStages(SmallRecipe(), 5, budget);
    budget.threads = 2;
    const GeneratorRun shared = GenerateStages(SmallRecipe(), 5, budget);
    ASSERT_FALSE(alone.candidates.empty());
    ASSERT_EQ(alone.candidates.size(), shared.candidates.size());
    for (std::size_t i = 0; i < alone.candidates.size(); ++i) {
        EXPECT_EQ(alone.candidates[i].source, shared.candidates[i].source);
    }
    EXPECT_EQ(alone.boardsJudged, shared.boardsJudged);
    EXPECT_EQ(alone.shapeTaken, shared.shapeTaken);
}

// Every change keeps the board inside the recipe: cell and mark counts in
// bounds, one connected region, the start and the goal kept.
TEST_F(StageGeneratorTest, ChangesKeepTheBoardInsideTheRecipe) {
    StageRecipe recipe = SmallRecipe();
    Sketch sketch = SketchOf({"S-1-2-", "-.--.>", "--21-A"});
    Random random(3);
    int changes = 0;
    for (int i = 0; i < 2000; ++i) {
        const Sketch before = sketch;
        if (!MutateSketch(random, recipe, sketch)) {
            EXPECT_EQ(before.Map(), sketch.Map()) << "a change that did not apply left a trace";
            continue;
        }
        ++changes;
        const std::vector<Cell> walkable = sketch.Walkable();
        int marks = 0, starts = 0, goals = 0, arrows = 0;
        for (const Cell& c : walkable) {
            marks += IsMarkChar(sketch.At(c));
            starts += sketch.At(c) == 'S';
            goals += sketch.At(c) == 'A';
            arrows += IsArrowChar(sketch.At(c));
        }
        ASSERT_GE(static_cast<int>(walkable.size()), recipe.minCells);
        ASSERT_LE(static_cast<int>(walkable.size()), recipe.maxCells);
        ASSERT_LE(marks, recipe.maxMarks);
        ASSERT_GE(marks, recipe.minMarks);
        ASSERT_EQ(starts, 1);
        ASSERT_EQ(goals, 1);
        ASSERT_EQ(arrows, 1);
        ASSERT_TRUE(sketch.Connected()) << sketch.Map();
    }
    EXPECT_GT(changes, 1000);
}

// The climb never goes below its start, records each longer optimum once,
// ends on its deepest board and never keeps a board the judge refused.
TEST_F(StageGeneratorTest, TheClimbKeepsOnlyAcceptedBoardsAndEndsOnTheDeepest) {
    const StageRecipe recipe = SmallRecipe();
    const Sketch start = SketchOf({"S-1-2-", "-.--.>", "--21-A"});
    // A stand-in judge: the number of 2-marks, and boards with a mark in the
    // top-left corner refused.
    auto judge = [](const Sketch& s, int) {
        if (IsMarkChar(s.At({0, 0}))) return -1;
        int twos = 0;
        for (const Cell& c : s.Walkable()) twos += s.At(c) == '2';
        return twos;
    };
    Random random(9);
    const std::vector<ClimbPoint> trail = ClimbBoard(random, recipe, {start, judge(start, 0)}, 300, judge, [] { return false; });
    ASSERT_GE(trail.size(), 2u) << "300 changes found no board with more 2-marks";
    EXPECT_EQ(trail.front().optimum, 2);
    for (std::size_t i = 0; i < trail.size(); ++i) {
        EXPECT_EQ(trail[i].optimum, judge(trail[i].sketch, 0));
        if (i > 0) {
            EXPECT_GT(trail[i].optimum, trail[i - 1].optimum);
        }
    }
    EXPECT_EQ(trail.back().optimum, recipe.maxMarks) << "the judge rewards marks up to the recipe's bound";
    // A climb out of time stops at once.
    const std::vector<ClimbPoint> stopped = ClimbBoard(random, recipe, {start, 2}, 300, judge, [] { return true; });
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].sketch.Map(), start.Map());
}

// Trimming takes away floor the judge does not miss, keeps the board in one
// piece and within the recipe, and keeps what the judge needs.
TEST_F(StageGeneratorTest, TrimmingTakesAwayOnlyFloorTheBoardCanDoWithout) {
    StageRecipe recipe = SmallRecipe();
    recipe.minCells = 6;
    const Sketch start = SketchOf({"S-1---", "-.--.-", "---2-A"});
    // The judge wants the floor cell at (1, 0) kept, and nothing else.
    auto judge = [](const Sketch& s, int) { return s.At({1, 0}) == '-' ? 5 : 3; };
    const ClimbPoint trimmed = TrimBoard(recipe, {start, 5}, judge, [] { return false; });
    EXPECT_EQ(trimmed.optimum, 5);
    EXPECT_EQ(trimmed.sketch.At({1, 0}), '-');
    EXPECT_TRUE(trimmed.sketch.Connected()) << trimmed.sketch.Map();
    EXPECT_GE(static_cast<int>(trimmed.sketch.Walkable().size()), recipe.minCells);
    for (const char kept : {'S', '1', '2', 'A'}) {
        int found = 0;
        for (const Cell& c : trimmed.sketch.Walkable()) found += trimmed.sketch.At(c) == kept;
        EXPECT_EQ(found, 1) << kept;
    }
    // Nothing more can go: every remaining plain floor cell but (1, 0) holds the board together.
    for (const Cell& c : trimmed.sketch.Walkable()) {
        if (trimmed.sketch.At(c) != '-' || c == Cell{1, 0}) continue;
        Sketch without = trimmed.sketch;
        without.Put(c, '.');
        EXPECT_FALSE(without.Connected() && static_cast<int>(without.Walkable().size()) >= recipe.minCells)
            << "(" << c.column << ", " << c.row << ") could still go\n" << trimmed.sketch.Map();
    }
    EXPECT_LT(trimmed.sketch.Walkable().size(), start.Walkable().size());
}

TEST_F(StageGeneratorTest, ABoardBudgetOfNoneProposesNothing) {
    GeneratorBudget budget = SmallBudget();
    budget.boards = 0;
    const GeneratorRun run = GenerateStages(SmallRecipe(), 7, budget);
    EXPECT_EQ(run.boardsTried, 0u);
    EXPECT_TRUE(run.candidates.empty());
}

}  // namespace
