// SPDX-License-Identifier: GPL-3.0-or-later
#include "position_search.h"

#include "solver.h"
#include "state_steps.h"

#include <algorithm>

namespace {

bool InPlayArea(BoardCell cell) {
    return cell.column >= Board::kFirstPlayColumn && cell.column <= Board::kLastPlayColumn &&
           cell.row >= Board::kFirstPlayRow && cell.row <= Board::kLastPlayRow;
}

}  // namespace

std::vector<PlayPosition> PositionsAlong(const StageData& stage, std::span<const StepDirection> moves) {
    std::vector<PlayPosition> line{{StartingRuleState(stage), stage.start}};
    line.reserve(moves.size() + 1);
    for (StepDirection move : moves) {
        PlayPosition next = line.back();
        RulePlayer player;
        player.cell = next.cell;
        PlayMove(next.rules, player, move);
        next.cell = player.cell;
        line.push_back(next);
    }
    return line;
}

PositionVerdict SearchVerdict(const StageData& stage, const PlayPosition& position, std::size_t memoryBytes,
                              std::stop_token stop, std::vector<StepDirection>* plan) {
    PositionVerdict verdict;
    if (position.rules.playState != kPlayStatePlaying || !InPlayArea(position.cell)) return verdict;
    SolverLimits limits;
    limits.memoryBytes = memoryBytes;
    limits.maxSteps = StateGraph::kNoClear - 1;  // the graph's own bound on a distance
    limits.stop = std::move(stop);
    const SolveResult solved = SolveFrom(stage, position.rules, position.cell, limits);
    switch (solved.status) {
        case SolveStatus::Solved:
            verdict.kind = PositionVerdict::Kind::Live;
            verdict.toClear = solved.Steps();
            verdict.next = solved.moves.front();
            if (plan) *plan = solved.moves;
            break;
        case SolveStatus::NoSolution: verdict.kind = PositionVerdict::Kind::Lost; break;
        case SolveStatus::TooManySteps:
        case SolveStatus::OutOfMemory:
        case SolveStatus::Cancelled: break;
    }
    return verdict;
}

LiveSearch::LiveSearch(const StageData& stage, std::size_t memoryBytes, std::stop_token stop)
    : codec_(stage), memoryBytes_(memoryBytes), stop_(std::move(stop)) {}

PositionVerdict::Kind LiveSearch::Judge(const PlayPosition& position) {
    using Kind = PositionVerdict::Kind;
    if (position.rules.playState != kPlayStatePlaying || !InPlayArea(position.cell)) return Kind::Unknown;
    if (!lost_ || !onlyLost_) {
        // The open list holds at most one index per state: an eighth of the
        // bound covers it beside the store's own tables.
        lost_ = std::make_unique<StateStore>(codec_.Words(), memoryBytes_ - memoryBytes_ / 8);
        onlyLost_ = true;
    }
    std::vector<std::uint64_t> packed(static_cast<std::size_t>(codec_.Words()));
    codec_.Pack(position.rules, position.cell, packed.data());
    std::uint32_t start = 0;
    const auto first = lost_->Add(packed.data(), StateStore::kNone, 0, &start);
    if (first == StateStore::Insert::Known) return Kind::Lost;  // reached by a lost position searched before
    onlyLost_ = false;  // until the search below runs out
    if (first == StateStore::Insert::OutOfMemory) return Kind::Unknown;
    // Depth first: a live position usually meets a clear long before a
    // breadth-first search would have looked at everything nearer.
    open_.assign(1, start);
    StepScratch scratch(codec_.Words());
    bool cleared = false;
    bool full = false;
    for (std::size_t expanded = 0; !open_.empty() && !cleared && !full; ++expanded) {
        if (expanded % 1024 == 0 && stop_.stop_requested()) return Kind::Unknown;
        const std::uint32_t index = open_.back();
        open_.pop_back();
        ForEachStep(codec_, *lost_, lost_->State(index), scratch,
                    [&](StepDirection direction, const MoveOutcome& outcome, const std::uint64_t* reached,
                        std::uint64_t hash) {
                        if (outcome.blocked) return true;
                        if (outcome.cleared) return !(cleared = true);
                        std::uint32_t to = 0;
                        const auto added = lost_->Add(reached, hash, index, static_cast<std::uint8_t>(direction), &to);
                        if (added == StateStore::Insert::OutOfMemory) return !(full = true);
                        if (added == StateStore::Insert::Added) open_.push_back(to);
                        return true;
                    });
    }
    peakBytes_ = std::max(peakBytes_, lost_->PeakBytes() + open_.capacity() * sizeof(std::uint32_t));
    if (cleared) return Kind::Live;
    if (full) return Kind::Unknown;
    onlyLost_ = true;  // everything reached is lost
    return Kind::Lost;
}

int LiveSearch::StepsBackToLive(std::span<const PlayPosition> line) {
    return CountBackToLive(line, [this](const PlayPosition& position) { return Judge(position); });
}
