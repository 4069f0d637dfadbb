// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_advisor.h"

#include "state_steps.h"

StageAdvisor::StageAdvisor(const StageData& stage, std::size_t memoryBytes, std::stop_token stop)
    : graph_(stage, memoryBytes, stop) {
    switch (graph_.status()) {
        case StateGraph::Status::Complete: status_ = Status::Ready; break;
        case StateGraph::Status::OutOfMemory: status_ = Status::TooLarge; return;
        case StateGraph::Status::Cancelled: status_ = Status::Cancelled; return;
    }
    const PositionVerdict start = Judge(StartingRuleState(stage), stage.start);
    if (start.Live()) optimum_ = start.toClear;
}

PositionVerdict StageAdvisor::Judge(const RuleState& rules, BoardCell cell) const {
    PositionVerdict verdict;
    if (status_ != Status::Ready || rules.playState != kPlayStatePlaying) return verdict;
    const std::uint32_t index = graph_.IndexOf(rules, cell);
    if (index == StateGraph::kUnknown) return verdict;
    if (graph_.Dead(index)) {
        verdict.kind = PositionVerdict::Kind::Lost;
        return verdict;
    }
    verdict.kind = PositionVerdict::Kind::Live;
    verdict.toClear = graph_.ToClear(index);
    for (StepDirection direction : kStepOrder) {
        const std::uint32_t to = graph_.Next(index, direction);
        const bool onPlan = to == StateGraph::kClears
                                ? verdict.toClear == 1
                                : to != StateGraph::kBlocked && !graph_.Dead(to) &&
                                      graph_.ToClear(to) + 1 == verdict.toClear;
        if (onPlan) {
            verdict.next = direction;
            break;
        }
    }
    return verdict;
}

int StageAdvisor::StepsBackToLive(std::span<const PlayPosition> line) const {
    return CountBackToLive(line, [this](const PlayPosition& position) { return Judge(position.rules, position.cell).kind; });
}

int StageAdvisor::FirstCostlyStep(const StageData& stage, std::span<const StepDirection> moves) const {
    if (optimum_ < 0) return 0;
    RuleState rules = StartingRuleState(stage);
    RulePlayer player = StartingPlayer(stage);
    for (std::size_t taken = 1; taken <= moves.size(); ++taken) {
        const MoveOutcome outcome = PlayMove(rules, player, moves[taken - 1]);
        if (outcome.cleared) return static_cast<int>(taken) > optimum_ ? static_cast<int>(taken) : 0;
        const PositionVerdict verdict = Judge(rules, player.cell);
        if (verdict.kind == PositionVerdict::Kind::Unknown) return 0;
        if (!verdict.Live() || static_cast<int>(taken) + verdict.toClear > optimum_) return static_cast<int>(taken);
    }
    return 0;
}
