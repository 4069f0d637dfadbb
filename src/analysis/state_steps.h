// SPDX-License-Identifier: GPL-3.0-or-later
// The four steps from a packed state, played with the game's own rule code
// (PlayMove): the one expansion the solver, the state graph and the
// position searches share.
#pragma once

#include "state_codec.h"
#include "state_store.h"

#include "play/tile_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The order steps are tried in; it decides which of several optimal plans
// every search names, so they all name the same one.
inline constexpr StepDirection kStepOrder[] = {StepDirection::Left, StepDirection::Up, StepDirection::Right,
                                               StepDirection::Down};

// Room for the four states one expansion reaches.
struct StepScratch {
    explicit StepScratch(int words) : words(static_cast<std::size_t>(words)), packed(4 * this->words) {}
    std::size_t words;
    std::vector<std::uint64_t> packed;
    std::array<std::uint64_t, 4> hashes{};
    std::array<MoveOutcome, 4> outcomes{};
};

// Calls visit(direction, outcome, next, hash) for each of the four steps
// from `state`, in kStepOrder; `next` is the packed state reached and `hash`
// its hash for store.Add, meaningful only when the step neither walks on
// the spot nor clears. Stops early when visit returns false.
// All four steps are played before the first visit and the store's slots
// for them are fetched from memory together: waiting on the hash table is
// most of a search's time, and four waits at once cost about one. So
// `state` is read before the first visit, and visit may add to the store.
template <typename Visit>
void ForEachStep(const StateCodec& codec, const StateStore& store, const std::uint64_t* state, StepScratch& scratch,
                 Visit&& visit) {
    RuleState from;
    BoardCell cell;
    codec.Unpack(state, from, cell);
    for (std::size_t i = 0; i < 4; ++i) {
        RuleState next = from;
        RulePlayer player;
        player.cell = cell;
        scratch.outcomes[i] = PlayMove(next, player, kStepOrder[i]);
        if (scratch.outcomes[i].blocked || scratch.outcomes[i].cleared) continue;
        std::uint64_t* packed = &scratch.packed[i * scratch.words];
        codec.Pack(next, player.cell, packed);
        scratch.hashes[i] = store.Hash(packed);
        store.Prefetch(scratch.hashes[i]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint64_t* packed = &scratch.packed[i * scratch.words];
        if (!visit(kStepOrder[i], scratch.outcomes[i], packed, scratch.hashes[i])) return;
    }
}
