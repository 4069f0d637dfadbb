// SPDX-License-Identifier: GPL-3.0-or-later
// Finds a shortest solution of a stage: the fewest counted steps from the
// start to a stage clear. Breadth-first over packed states, playing every
// step with the game's own rule code (PlayMove), so the solver and the game
// cannot disagree. Steps on the spot are never part of a solution (they
// change nothing and count nothing); a warp is part of the step onto it.
#pragma once

#include "play/stage_file.h"
#include "play/tile_rules.h"

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

struct SolverLimits {
    std::size_t memoryBytes = std::size_t{1536} << 20;  // bound on the search's own tables
    int maxSteps = 254;  // 255 is the step counter's "no record" value
    // A stop request from another thread gives the search up (looked at every
    // thousand states or so).
    std::stop_token stop;
};

enum class SolveStatus {
    Solved,
    NoSolution,    // every reachable state was searched
    TooManySteps,  // no solution within maxSteps (states remain beyond)
    OutOfMemory,   // the search would outgrow its memory bound
    Cancelled,     // given up on request
};

struct SolveResult {
    SolveStatus status = SolveStatus::NoSolution;
    std::vector<StepDirection> moves;  // the solution when solved
    std::uint64_t states = 0;          // distinct states reached
    std::uint64_t expanded = 0;        // states whose four steps were tried
    int depth = 0;                     // steps searched to
    std::size_t peakBytes = 0;         // most memory the search held at once
    int Steps() const { return static_cast<int>(moves.size()); }
};

SolveResult SolveStage(const StageData& stage, const SolverLimits& limits = {});
// The same search from any position in play (`rules` not yet cleared, the
// player on `player`): the moves are the fewest that clear from there, and
// among those the first in the order left, up, right, down.
SolveResult SolveFrom(const StageData& stage, const RuleState& rules, BoardCell player, const SolverLimits& limits = {});

// One letter per move: L, U, R, D.
std::string MovesText(const std::vector<StepDirection>& moves);
const char* DescribeSolveStatus(SolveStatus status);

// Plays moves from the start of a stage; true when the last one clears it
// and no earlier one did. `steps` receives the counted steps.
bool ReplayClears(const StageData& stage, const std::vector<StepDirection>& moves, int* steps = nullptr);
