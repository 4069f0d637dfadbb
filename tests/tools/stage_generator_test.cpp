#include "stage_generator.h"

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
        return recipe;
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
    // Taken together too: each proposal has a shape of its own.
    for (const RuleBreach& breach : CheckDesignRules(set)) ADD_FAILURE() << breach.Message();
}

TEST_F(StageGeneratorTest, ABoardBudgetOfNoneProposesNothing) {
    GeneratorBudget budget = SmallBudget();
    budget.boards = 0;
    const GeneratorRun run = GenerateStages(SmallRecipe(), 7, budget);
    EXPECT_EQ(run.boardsTried, 0u);
    EXPECT_TRUE(run.candidates.empty());
}

}  // namespace
