// SPDX-License-Identifier: GPL-3.0-or-later
// The advisor on small made-up stages: its verdicts agree with the solver,
// the way back counts along a line, and the first costly step of a walk.
#include <gtest/gtest.h>

#include "play/kept_solutions.h"
#include "solver.h"
#include "stage_advisor.h"

namespace {

// A row: start, a mark of 1, floor (floor above it), a goal for 2. The
// optimum is R R R; the floor above is a detour.
StageData SmallStage() {
    StageData stage;
    stage.markLimit = 2;
    stage.board.Set(5, 6, CELL_FLOOR);
    stage.board.Set(6, 6, CELL_MARK_1);
    stage.board.Set(7, 6, CELL_FLOOR);
    stage.board.Set(7, 5, CELL_FLOOR);
    stage.board.Set(8, 6, CELL_GOAL_2);
    stage.start = {5, 6};
    return stage;
}

std::vector<StepDirection> Moves(const std::string& letters) { return MovesFromText(letters); }

// The positions a line of moves passes through, the start first.
std::vector<PlayPosition> Line(const StageData& stage, const std::string& letters) {
    std::vector<PlayPosition> line{{StartingRuleState(stage), stage.start}};
    RuleState rules = line.front().rules;
    RulePlayer player = StartingPlayer(stage);
    for (StepDirection move : Moves(letters)) {
        PlayMove(rules, player, move);
        line.push_back({rules, player.cell});
    }
    return line;
}

}  // namespace

TEST(StageAdvisor, JudgesLikeTheSolverAndPointsAlongAnOptimalPlan) {
    const StageData stage = SmallStage();
    const StageAdvisor advisor(stage);
    ASSERT_EQ(advisor.status(), StageAdvisor::Status::Ready);
    EXPECT_EQ(advisor.Optimum(), SolveStage(stage).Steps());
    const PositionVerdict start = advisor.Judge(StartingRuleState(stage), stage.start);
    ASSERT_TRUE(start.Live());
    EXPECT_EQ(start.toClear, 3);
    EXPECT_EQ(start.next, StepDirection::Right);
    // On the floor beside the goal after the detour up: down, then right.
    const PlayPosition up = Line(stage, "RRU").back();
    const PositionVerdict verdict = advisor.Judge(up.rules, up.cell);
    EXPECT_EQ(verdict.toClear, 2);
    EXPECT_EQ(verdict.next, StepDirection::Down);
}

// An eraser beside the start: stepping onto it loses the stage, since the
// only mark would be erased with erasures to spare and the erase mode would
// never end. The way round above clears in U R R R D R.
StageData EraserTrapStage() {
    StageData stage;
    stage.markLimit = 2;
    stage.board.Set(5, 6, CELL_FLOOR);
    stage.board.Set(6, 6, CELL_ERASER);
    stage.board.Set(7, 6, CELL_MARK_1);
    stage.board.Set(8, 6, CELL_FLOOR);
    stage.board.Set(9, 6, CELL_GOAL_1);
    for (int column = 5; column <= 8; ++column) stage.board.Set(column, 5, CELL_FLOOR);
    stage.start = {5, 6};
    return stage;
}

TEST(StageAdvisor, CallsATrapLostAndCountsBackToTheLastLivePositionOfALine) {
    const StageData stage = EraserTrapStage();
    const StageAdvisor advisor(stage);
    ASSERT_EQ(advisor.status(), StageAdvisor::Status::Ready);
    EXPECT_EQ(advisor.Optimum(), 6);
    const PlayPosition onEraser = Line(stage, "R").back();
    EXPECT_TRUE(advisor.Judge(onEraser.rules, onEraser.cell).Lost());
    EXPECT_EQ(advisor.StepsBackToLive(Line(stage, "UR")), 0);
    EXPECT_EQ(advisor.StepsBackToLive(Line(stage, "UDR")), 1);
    EXPECT_EQ(advisor.StepsBackToLive(Line(stage, "RLU")), 3);
    // Lost from the start of the line on: no way back along it.
    std::vector<PlayPosition> lostOnly = Line(stage, "RL");
    lostOnly.erase(lostOnly.begin());
    EXPECT_EQ(advisor.StepsBackToLive(lostOnly), -1);
    // A position the graph never holds (the mark emptied without the eraser) cannot be judged.
    PlayPosition foreign = Line(stage, "").back();
    foreign.rules.board.Set(7, 6, CELL_EMPTY);
    EXPECT_EQ(advisor.Judge(foreign.rules, foreign.cell).kind, PositionVerdict::Kind::Unknown);
}

TEST(StageAdvisor, FindsTheFirstStepThatLostGround) {
    const StageData stage = SmallStage();
    const StageAdvisor advisor(stage);
    EXPECT_EQ(advisor.FirstCostlyStep(stage, Moves("RRR")), 0);
    EXPECT_EQ(advisor.FirstCostlyStep(stage, Moves("RRUDR")), 3);
    const StageData trap = EraserTrapStage();
    const StageAdvisor trapAdvisor(trap);
    EXPECT_EQ(trapAdvisor.FirstCostlyStep(trap, Moves("URRRDR")), 0);
    EXPECT_EQ(trapAdvisor.FirstCostlyStep(trap, Moves("UDURRRDR")), 2);
}

TEST(StageAdvisor, AStageBeyondItsMemoryBoundIsCalledTooLargeNeverLostOrLive) {
    const StageData stage = EraserTrapStage();
    const StageAdvisor advisor(stage, 1024);
    EXPECT_EQ(advisor.status(), StageAdvisor::Status::TooLarge);
    EXPECT_EQ(advisor.Optimum(), -1);
    EXPECT_EQ(advisor.Judge(StartingRuleState(stage), stage.start).kind, PositionVerdict::Kind::Unknown);
    EXPECT_EQ(advisor.StepsBackToLive(Line(stage, "R")), -1);
}

TEST(StageAdvisor, AStopRequestCancelsTheAnalysis) {
    std::stop_source stop;
    stop.request_stop();
    const StageAdvisor advisor(EraserTrapStage(), StageAdvisor::kDefaultMemoryBytes, stop.get_token());
    EXPECT_EQ(advisor.status(), StageAdvisor::Status::Cancelled);
}
