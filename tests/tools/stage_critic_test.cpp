// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_critic_fixture.h"
#include "state_graph.h"

#include "critique_report.h"

#include <filesystem>

namespace {

using Verdict = KindNecessity::Verdict;

TEST_F(StageCriticTest, CorridorHasOneNaivePlan) {
    const Critique c = Critiqued("01-corridor.stage", Corridor()).critique;
    EXPECT_EQ(c.optimum, 2);
    ASSERT_TRUE(c.graphComplete);
    // (S,2) (M,1) (S,1) (M,2) (A,2): entering the goal with the mark at 1 clears.
    EXPECT_EQ(c.states, 5u);
    EXPECT_EQ(c.deadStates, 0u);
    EXPECT_EQ(c.trapDepth, -1);
    EXPECT_EQ(c.plans, 1u);
    EXPECT_EQ(c.moveLists, 1u);
    EXPECT_FALSE(c.moveListsAtLeast);
    EXPECT_TRUE(c.naive);
    EXPECT_TRUE(c.necessity.empty());
    EXPECT_EQ(c.cells, 3);
    EXPECT_EQ(c.shape, "###");
}

TEST_F(StageCriticTest, ArrowThatSavesSixStepsIsNecessary) {
    const Critique c = Critiqued("05-arrow.stage", ArrowNeeded()).critique;
    EXPECT_EQ(c.optimum, 3);
    EXPECT_FALSE(c.naive);
    EXPECT_EQ(c.plans, 1u);
    EXPECT_EQ(c.waysToUse.at("arrow"), 1);
    const KindNecessity* arrow = Necessity(c, "arrow");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->verdict, Verdict::Longer);
    EXPECT_EQ(arrow->optimum, 9);
    EXPECT_EQ(arrow->change, 6);
}

TEST_F(StageCriticTest, BurstInTheWayIsAHazard) {
    const Critique c = Critiqued("07-burst.stage", BurstHazard()).critique;
    EXPECT_EQ(c.optimum, 4);
    const KindNecessity* burst = Necessity(c, "burst");
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(burst->verdict, Verdict::Shorter);
    EXPECT_EQ(burst->optimum, 2);
    EXPECT_EQ(burst->change, -2);
    // Fire twice (RLRR), or fire then fix the mark by hand (RDRU, RDUR...):
    // two plans, and each uses the burst a different number of times.
    EXPECT_EQ(c.plans, 2u);
    EXPECT_EQ(c.waysToUse.at("burst"), 2);
}

TEST_F(StageCriticTest, OneWayWarpChainTrapsAtTheFourthMove) {
    const Critique c = Critiqued("08-chain.stage", OneWayWarps()).critique;
    EXPECT_EQ(c.optimum, 4);
    EXPECT_EQ(MovesText(c.solution), "RRRR");
    ASSERT_TRUE(c.graphComplete);
    // Start's part: S and the mark, mark at 1 or 2 (4 states). Beyond W3:
    // W1, its floor, W2, its floor with the mark at 1 (the goal clears),
    // and those and the goal with the mark at 2, all five dead.
    EXPECT_EQ(c.states, 13u);
    EXPECT_EQ(c.deadStates, 5u);
    EXPECT_EQ(c.trapDepth, 4);
    EXPECT_EQ(MovesText(c.trapMoves), "RLRR");
    EXPECT_FALSE(c.naive);
    const KindNecessity* warp = Necessity(c, "warp10");
    ASSERT_NE(warp, nullptr);
    EXPECT_EQ(warp->verdict, Verdict::Unsolvable);
}

TEST_F(StageCriticTest, EraserWithTooFewMarksIsATrapOnTheFirstMove) {
    const Critique c = Critiqued("10-eraser.stage", EraserTrap()).critique;
    EXPECT_EQ(c.optimum, 3);
    EXPECT_EQ(c.trapDepth, 1);
    EXPECT_EQ(MovesText(c.trapMoves), "U");
    EXPECT_GT(c.deadStates, 0u);
    const KindNecessity* eraser = Necessity(c, "eraser");
    ASSERT_NE(eraser, nullptr);
    EXPECT_EQ(eraser->verdict, Verdict::Equal);
    EXPECT_TRUE(c.naive);
}

TEST_F(StageCriticTest, ShapeIgnoresPlaceAndTiles) {
    const Critique a = Critiqued("a.stage", {"S2A", "-.-"}).critique;
    const Critique b = Critiqued("b.stage", {"", "", ".....-1S", ".....2.B"}).critique;
    EXPECT_EQ(a.shape, "###/#.#");
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_NE(a.shape, Critiqued("c.stage", {"S2A", "--."}).critique.shape);
}

TEST_F(StageCriticTest, MarksAboveTheLimitAreFrozen) {
    const Critique c = Critiqued("f.stage", {"S13A"}, 2).critique;
    EXPECT_EQ(c.frozenMarks, 1);
    EXPECT_EQ(c.optimum, -1);  // the 3 never becomes 1
    EXPECT_EQ(c.solveStatus, SolveStatus::NoSolution);
}

TEST_F(StageCriticTest, MoveListsAreCountedAndCapped) {
    // No marks: any shortest walk to the goal clears, one right and two
    // downs in any order.
    CritiqueLimits limits;
    const StageInput input = StageInputOfSource("o.stage", Source({"S-", "--", "-A"}));
    ASSERT_TRUE(input.ok);
    const Critique full = CritiqueStage(input.stage, limits);
    EXPECT_EQ(full.optimum, 3);
    EXPECT_EQ(full.moveLists, 3u);
    EXPECT_EQ(full.plans, 1u);
    limits.moveListCap = 1;
    const Critique capped = CritiqueStage(input.stage, limits);
    EXPECT_EQ(capped.moveLists, 1u);
    EXPECT_TRUE(capped.moveListsAtLeast);
}

TEST_F(StageCriticTest, TooSmallAMemoryBoundIsReported) {
    const StageInput input = StageInputOfSource("big.stage", Source({"S11111111111", "-----------A"}));
    ASSERT_TRUE(input.ok);
    CritiqueLimits limits;
    limits.memoryBytes = 64 << 10;
    const Critique c = CritiqueStage(input.stage, limits);
    EXPECT_FALSE(c.graphComplete);
    CritiquedStage stage;
    stage.file = "big.stage";
    stage.critique = c;
    const std::vector<RuleBreach> breaches = CheckDesignRules({stage});
    ASSERT_FALSE(breaches.empty());
    EXPECT_EQ(breaches[0].rule, 0);
    EXPECT_NE(breaches[0].Message().find("memory bound"), std::string::npos);
}

// The bound covers every table, the backward search's too: a graph either
// stays within it or is reported as over it, never complete and over.
TEST_F(StageCriticTest, ACompleteGraphStaysWithinItsMemoryBound) {
    const StageInput input = StageInputOfSource("big.stage", Source({"S11111111111", "-----------A"}));
    ASSERT_TRUE(input.ok);
    const StateGraph unbounded(input.stage, std::size_t{256} << 20);
    ASSERT_TRUE(unbounded.Complete());
    const std::size_t need = unbounded.PeakBytes();
    int complete = 0, over = 0;
    for (std::size_t bound = need / 4; bound <= need * 3; bound += need / 8) {
        const StateGraph graph(input.stage, bound);
        if (graph.Complete()) {
            ++complete;
            EXPECT_LE(graph.PeakBytes(), bound) << "bound " << bound;
        } else {
            ++over;
        }
    }
    EXPECT_GT(complete, 0);
    EXPECT_GT(over, 0);
}

TEST_F(StageCriticTest, JsonAndTableCarryTheFigures) {
    const CritiquedStage stage = Critiqued("08-chain.stage", OneWayWarps());
    const std::string json = CritiqueJson(stage);
    EXPECT_NE(json.find("\"optimum\":4"), std::string::npos);
    EXPECT_NE(json.find("\"trap_moves\":\"RLRR\""), std::string::npos);
    EXPECT_NE(json.find("\"dead_states\":5"), std::string::npos);
    EXPECT_EQ(json.find('\n'), std::string::npos);
    const std::string table = CritiqueTable({stage});
    EXPECT_NE(table.find("08-chain.stage"), std::string::npos);
    EXPECT_NE(table.find("warp10!"), std::string::npos);
}

}  // namespace

// The critique reads the stage's own solve off its complete graph instead of
// searching twice: every figure of it must be what the solver reports, on
// every shipped stage, on unsolvable ones and where only the solver fits.
TEST_F(StageCriticTest, TheSolveReadOffTheGraphIsTheSolversOwn) {
    auto expectSame = [](const StageData& stage, const CritiqueLimits& limits, const std::string& name) {
        SCOPED_TRACE(name);
        SolverLimits solverLimits;
        solverLimits.memoryBytes = limits.memoryBytes;
        const SolveResult solved = SolveStage(stage, solverLimits);
        const Critique critique = CritiqueStage(stage, limits);
        EXPECT_EQ(critique.solveStatus, solved.status);
        EXPECT_EQ(critique.positions, solved.states);
        EXPECT_EQ(critique.solution, solved.moves);
        EXPECT_EQ(critique.optimum, solved.status == SolveStatus::Solved ? solved.Steps() : -1);
        EXPECT_GE(critique.peakBytes, solved.peakBytes);
    };
    CritiqueLimits quick;
    quick.moveListCap = 1;
    int shipped = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/stages")) {
        if (entry.path().extension() != ".stage") continue;
        const StageInput input = ReadStageInput(entry.path().string());
        ASSERT_TRUE(input.ok) << entry.path();
        expectSame(input.stage, quick, entry.path().filename().string());
        ++shipped;
    }
    EXPECT_GE(shipped, 50);
    const StageInput frozen = StageInputOfSource("f.stage", Source({"S13A"}));
    const StageInput dead = StageInputOfSource("d.stage", Source({"S1W-W", "....1A"}));
    for (const StageInput* input : {&frozen, &dead}) {
        ASSERT_TRUE(input->ok);
        expectSame(input->stage, quick, input == &frozen ? "f.stage" : "d.stage");
    }
    // A bound the graph passes but the solver's store does not: the solver answers.
    const StageInput big = StageInputOfSource("big.stage", Source({"S11111111111", "-----------A"}));
    ASSERT_TRUE(big.ok);
    CritiqueLimits tight = quick;
    tight.memoryBytes = 256 << 10;
    ASSERT_FALSE(CritiqueStage(big.stage, tight).graphComplete);
    expectSame(big.stage, tight, "big.stage");
}
