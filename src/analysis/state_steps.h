// The four steps from a packed state, played with the game's own rule code
// (PlayMove): the one expansion the solver, the state graph and the
// position searches share.
#pragma once

#include "state_codec.h"

#include "play/tile_rules.h"

#include <cstdint>

// The order steps are tried in; it decides which of several optimal plans
// every search names, so they all name the same one.
inline constexpr StepDirection kStepOrder[] = {StepDirection::Left, StepDirection::Up, StepDirection::Right,
                                               StepDirection::Down};

// Calls visit(direction, outcome, next) for each of the four steps from
// `state`, in kStepOrder; `next` (in `scratch`, codec.Words() long) is the
// packed state reached, meaningful only when the step neither walks on the
// spot nor clears. Stops early when visit returns false. `state` is read
// before the first visit, so visit may add to the store that holds it.
template <typename Visit>
void ForEachStep(const StateCodec& codec, const std::uint64_t* state, std::uint64_t* scratch, Visit&& visit) {
    RuleState from;
    BoardCell cell;
    codec.Unpack(state, from, cell);
    for (StepDirection direction : kStepOrder) {
        RuleState next = from;
        RulePlayer player;
        player.cell = cell;
        const MoveOutcome outcome = PlayMove(next, player, direction);
        if (!outcome.blocked && !outcome.cleared) codec.Pack(next, player.cell, scratch);
        if (!visit(direction, outcome, static_cast<const std::uint64_t*>(scratch))) return;
    }
}
