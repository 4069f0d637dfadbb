// SPDX-License-Identifier: GPL-3.0-or-later
// Proposes stages: random boards from a seed and a recipe, each shaped by a
// hill climb towards a longer optimum, trimmed of the floor it can do
// without and judged by the stage critic; the
// boards that keep every design rule are ranked by depth (long optimum, few
// optimal plans, many states for few cells).
#pragma once

#include "critique.h"

#include <cstdint>
#include <string>
#include <vector>

struct StageRecipe {
    int boxColumns = 10;  // the board is drawn inside a box of this size,
    int boxRows = 7;      // placed in the playing area's top-left corner
    int minCells = 30;    // walkable cells, start and tiles included
    int maxCells = 50;
    int windingPercent = 90;  // how often the region grows from its newest cells (corridors)
    int markLimit = 2;
    int minMarks = 8;
    int maxMarks = 14;
    std::vector<int> markValues{1, 2};  // starting values, drawn evenly
    int goalValue = 1;                  // the goal clears on marks showing this
    int arrows = 2;
    int bursts = 0;
    int warpPairs = 0;  // pairs of 'W'
    bool eraser = false;
    int minOptimum = 12;  // shorter boards are not judged further
    int climbSteps = 400;  // changes tried on each board that keeps its tiles necessary
};

struct StageCandidate {
    std::string source;  // a ready stage source, its score in a comment
    Critique critique;
    std::uint64_t board = 0;  // which board of the run (0 = the first tried)
};

struct GeneratorRun {
    std::vector<StageCandidate> candidates;  // best first
    std::uint64_t boardsTried = 0;
    std::uint64_t boardsJudged = 0;  // solved with an optimum long enough
    std::uint64_t tileNotNecessary = 0;  // of those, a tile kind could go as drawn (not climbed)
    std::uint64_t tooShort = 0;          // climbed, but not to the recipe's optimum
    std::uint64_t breaksRules = 0;       // of the rest, some other rule breaks
    std::uint64_t shapeTaken = 0;        // a better-placed shape was already proposed
};

struct GeneratorBudget {
    std::uint64_t boards = 1000;  // boards to try
    double seconds = 0;           // stop earlier after this long (0: no time limit)
    std::size_t keep = 50;        // best candidates kept
    unsigned threads = 1;         // boards judged at once
    CritiqueLimits limits{std::size_t{256} << 20};
};

// The same seed, recipe and board budget give the same candidates, whatever
// the threads (a time limit may stop a run earlier).
GeneratorRun GenerateStages(const StageRecipe& recipe, std::uint64_t seed, const GeneratorBudget& budget);

// The score line written into a candidate's source:
// "# stagegen score: optimum 34, plans 1, move lists 12, states 5120, cells 41, dead 0.0 %"
std::string ScoreLine(const Critique& critique);
