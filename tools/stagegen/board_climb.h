// SPDX-License-Identifier: GPL-3.0-or-later
// Shaping a drafted board by hill climbing: small random changes (a mark's
// value, a cell added or taken away, two cells swapped, an arrow turned) are
// kept when the board stays acceptable and its optimum does not get shorter.
#pragma once

#include "sketch.h"
#include "stage_generator.h"

#include <functional>
#include <vector>

// One random change within the recipe's bounds; false when the one drawn
// does not apply to this board (nothing changed).
bool MutateSketch(Random& random, const StageRecipe& recipe, Sketch& sketch);

struct ClimbPoint {
    Sketch sketch;
    int optimum = 0;
};

// A board's optimum when it is acceptable and at least the given length,
// otherwise -1 (the judge may stop early on a board that is too short).
using BoardJudge = std::function<int(const Sketch&, int atLeast)>;

// `judge` rates each changed board against the current optimum. The trail
// holds the start and then one board per longer optimum reached, the last
// board of each plateau; the deepest is last.
std::vector<ClimbPoint> ClimbBoard(Random& random, const StageRecipe& recipe, ClimbPoint start, int steps,
                                   const BoardJudge& judge, const std::function<bool()>& outOfTime);

// Takes away, one by one in reading order, the plain floor cells the board
// can do without (it stays connected and `judge` gives at least `optimum`),
// until none can go: the same depth on fewer cells.
ClimbPoint TrimBoard(const StageRecipe& recipe, ClimbPoint point, const BoardJudge& judge,
                     const std::function<bool()>& outOfTime);
