// SPDX-License-Identifier: GPL-3.0-or-later
// The mechanics a stage's optimal play can rely on. They are finer than tile
// kinds: an arrow that advances one mark asks less of the player than one
// that advances a whole run, and a warp that leads back less than one that
// leads on. Each step of play is sorted into the mechanics it uses, from the
// position before it; the critic gathers them over the optimal solutions.
#pragma once

#include "play/tile_rules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class Mechanic : std::uint8_t {
    Mark,        // a mark landed on advances
    GoalChoice,  // the stage clears on a goal while a goal of another value stands
    ArrowOne,    // an arrow advances exactly one mark
    ArrowRun,    // an arrow advances a run of two or more marks
    BurstFew,    // a burst advances one or two marks
    BurstWide,   // a burst advances three or more marks
    WarpPair,    // a warp carries the player to a partner that leads back
    WarpChain,   // a warp carries the player to a partner that leads elsewhere
    Eraser,      // the eraser fires: the next five marks stepped on become holes
};
constexpr int kMechanicCount = 9;

// A set of mechanics, one bit each.
using MechanicSet = std::uint16_t;
constexpr MechanicSet kAllMechanics = (1u << kMechanicCount) - 1;
constexpr MechanicSet MechanicBit(Mechanic m) { return static_cast<MechanicSet>(1u << static_cast<int>(m)); }

// "mark", "goal-choice", "arrow-one", "arrow-run", "burst-few", "burst-wide",
// "warp-pair", "warp-chain", "eraser".
const char* MechanicName(Mechanic m);
std::optional<Mechanic> MechanicNamed(std::string_view name);
// What a player is told the mechanic is, for messages.
const char* MechanicMeaning(Mechanic m);
// The names of a set, in the order above, separated by blanks; "-" when empty.
std::string MechanicNames(MechanicSet set);

// The mechanics a `teaches:` name can teach: a mechanic's own name teaches
// that mechanic; a tile kind teaches those of its mechanics that the stage
// relies on ("arrow": arrow-one and arrow-run, "warp10" and "warp11":
// warp-pair and warp-chain, "goal5".."goal8": goal-choice, "mark": mark); "frozen" none.
MechanicSet MechanicsOfTeachName(std::string_view teachName);
// What a stage that teaches `teachName` and relies on `reliesOn` teaches,
// with what the mechanics taught show besides themselves: a run of marks
// turned by one arrow shows what an arrow does to one mark, a burst turning
// three or more marks what it does to one or two.
MechanicSet MechanicsTaught(std::string_view teachName, MechanicSet reliesOn);

// The mechanics one step uses, told from the state before it, the cell the
// player stepped from, the direction and what the step did.
MechanicSet MechanicsOfStep(const RuleState& before, BoardCell from, StepDirection direction,
                            const MoveOutcome& outcome);
