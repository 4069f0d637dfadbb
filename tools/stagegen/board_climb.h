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

// `judge` gives a board's optimum, or -1 when it is not acceptable. The trail
// holds the start and then one board per longer optimum reached, the last
// board of each plateau; the deepest is last.
std::vector<ClimbPoint> ClimbBoard(Random& random, const StageRecipe& recipe, ClimbPoint start, int steps,
                                   const std::function<int(const Sketch&)>& judge,
                                   const std::function<bool()>& outOfTime);
