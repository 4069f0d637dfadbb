// SPDX-License-Identifier: GPL-3.0-or-later
// Answers about one position found by searching from it, for the time
// before the stage's whole graph is built: the hint by the exact solver
// started from the position, the dead-end test by a search that stops at the
// first clear it meets. Both are exact like the graph's answers; a search
// that would outgrow its memory bound answers Unknown instead of guessing.
#pragma once

#include "stage_advisor.h"
#include "state_codec.h"
#include "state_store.h"

#include <cstddef>
#include <memory>
#include <span>
#include <stop_token>
#include <vector>

// The positions a line of moves passes through from the start of a stage,
// the start first: the undo line a player walking it would have.
std::vector<PlayPosition> PositionsAlong(const StageData& stage, std::span<const StepDirection> moves);

// Bound on one position search's tables: beside the graph being built, the
// game stays within its memory target.
inline constexpr std::size_t kPositionSearchBytes = std::size_t{24} << 20;

// The judgement of a position with the next step of the optimal plan the
// graph would name (the fewest steps, first in the order left, up, right,
// down). Unknown when the search outgrows `memoryBytes` or is stopped.
// `plan`, when given, receives that whole plan when the position is live:
// each of its later positions has the rest of it as its own plan.
PositionVerdict SearchVerdict(const StageData& stage, const PlayPosition& position,
                              std::size_t memoryBytes = kPositionSearchBytes, std::stop_token stop = {},
                              std::vector<StepDirection>* plan = nullptr);

// Whether a clear can still be reached, along one line of positions (the
// player's undo history). Positions found lost stay known, so judging an
// earlier position of the same line skips all they reach: counting back
// costs about one search of the oldest position judged.
class LiveSearch {
public:
    LiveSearch(const StageData& stage, std::size_t memoryBytes = kPositionSearchBytes, std::stop_token stop = {});

    // Live (toClear and next not set), Lost, or Unknown.
    PositionVerdict::Kind Judge(const PlayPosition& position);

    // As StageAdvisor::StepsBackToLive: 0 when the newest position is live,
    // the steps back to the nearest live one, -1 when none is or one cannot
    // be judged.
    int StepsBackToLive(std::span<const PlayPosition> line);

    std::size_t PeakBytes() const { return peakBytes_; }

private:
    StateCodec codec_;
    std::size_t memoryBytes_;
    std::stop_token stop_;
    // Every state in the store is lost, unless the last answer was not Lost.
    std::unique_ptr<StateStore> lost_;
    bool onlyLost_ = true;
    std::vector<std::uint32_t> open_;  // found, not yet expanded
    std::size_t peakBytes_ = 0;
};
