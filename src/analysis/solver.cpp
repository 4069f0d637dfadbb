// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver.h"

#include "state_codec.h"
#include "state_steps.h"
#include "state_store.h"

#include <algorithm>

namespace {

std::vector<StepDirection> PathTo(const StateStore& store, std::uint32_t index, StepDirection last) {
    std::vector<StepDirection> moves{last};
    for (; store.Parent(index) != StateStore::kNone; index = store.Parent(index)) {
        moves.push_back(static_cast<StepDirection>(store.Move(index)));
    }
    std::reverse(moves.begin(), moves.end());
    return moves;
}

// Searches one layer: every state of [begin, end) tries its four steps.
// Returns true when the search is over (solved, out of memory or stopped).
bool ExpandLayer(const StateCodec& codec, StateStore& store, std::size_t begin, std::size_t end, SolveResult& result,
                 const std::stop_token& stop) {
    StepScratch scratch(codec.Words());
    bool over = false;
    for (std::size_t index = begin; index < end && !over; ++index) {
        // A layer can take tens of milliseconds: a stop is looked at within it.
        if ((index - begin) % 1024 == 1023 && stop.stop_requested()) {
            result.status = SolveStatus::Cancelled;
            return true;
        }
        ++result.expanded;
        ForEachStep(codec, store, store.State(index), scratch,
                    [&](StepDirection direction, const MoveOutcome& outcome, const std::uint64_t* next,
                        std::uint64_t hash) {
                        if (outcome.blocked) return true;
                        if (outcome.cleared) {
                            result.status = SolveStatus::Solved;
                            result.moves = PathTo(store, static_cast<std::uint32_t>(index), direction);
                            over = true;
                            return false;
                        }
                        const auto added = store.Add(next, hash, static_cast<std::uint32_t>(index),
                                                     static_cast<std::uint8_t>(direction));
                        if (added == StateStore::Insert::OutOfMemory) {
                            result.status = SolveStatus::OutOfMemory;
                            over = true;
                        }
                        return !over;
                    });
    }
    return over;
}

}  // namespace

SolveResult SolveStage(const StageData& stage, const SolverLimits& limits) {
    return SolveFrom(stage, StartingRuleState(stage), stage.start, limits);
}

SolveResult SolveFrom(const StageData& stage, const RuleState& rules, BoardCell player, const SolverLimits& limits) {
    SolveResult result;
    const StateCodec codec(stage);
    StateStore store(codec.Words(), limits.memoryBytes);
    std::vector<std::uint64_t> packed(static_cast<std::size_t>(codec.Words()));
    codec.Pack(rules, player, packed.data());
    if (store.Add(packed.data(), StateStore::kNone, 0) == StateStore::Insert::OutOfMemory) {
        result.status = SolveStatus::OutOfMemory;
        return result;
    }
    std::size_t begin = 0;
    std::size_t end = store.Size();
    result.status = SolveStatus::NoSolution;
    while (begin < end) {
        if (limits.stop.stop_requested()) {
            result.status = SolveStatus::Cancelled;
            break;
        }
        if (result.depth >= limits.maxSteps) {
            result.status = SolveStatus::TooManySteps;
            break;
        }
        ++result.depth;
        if (ExpandLayer(codec, store, begin, end, result, limits.stop)) break;
        begin = end;
        end = store.Size();
    }
    result.states = store.Size();
    result.peakBytes = store.PeakBytes();
    return result;
}

std::string MovesText(const std::vector<StepDirection>& moves) {
    std::string text;
    for (StepDirection move : moves) {
        switch (move) {
            case StepDirection::Left: text += 'L'; break;
            case StepDirection::Up: text += 'U'; break;
            case StepDirection::Right: text += 'R'; break;
            case StepDirection::Down: text += 'D'; break;
        }
    }
    return text;
}

const char* DescribeSolveStatus(SolveStatus status) {
    switch (status) {
        case SolveStatus::Solved: return "solved";
        case SolveStatus::NoSolution: return "no solution: every reachable position was tried";
        case SolveStatus::TooManySteps: return "no solution within the step limit";
        case SolveStatus::OutOfMemory: return "too large to search within the memory bound";
        case SolveStatus::Cancelled: return "given up on request";
    }
    return "unknown";
}

bool ReplayClears(const StageData& stage, const std::vector<StepDirection>& moves, int* steps) {
    RuleState state = StartingRuleState(stage);
    RulePlayer player = StartingPlayer(stage);
    bool cleared = false;
    for (StepDirection move : moves) {
        if (cleared) return false;  // moves left after the clear
        cleared = PlayMove(state, player, move).cleared;
    }
    if (steps) *steps = state.steps;
    return cleared;
}
