// SPDX-License-Identifier: GPL-3.0-or-later
// The stage critic's measures of one stage, as a puzzle designer reads them:
// how long the best play is, how many different plans reach it, which tiles
// matter, where the player can get stuck for good, and the board's shape.
// Everything is measured with the game's own rules on the whole reachable
// state graph.
#pragma once

#include "mechanics.h"
#include "solver.h"

#include "play/stage_file.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <stop_token>
#include <string>
#include <vector>

struct CritiqueLimits {
    std::size_t memoryBytes = std::size_t{1024} << 20;  // for the state graph and for each solve
    std::uint64_t moveListCap = 10'000'000;             // optimal move lists are counted up to here
    std::size_t plansPerStateCap = 4096;                // plans kept per state while grouping
    // A stop request from another thread gives the critique up: the solves
    // and the state graph stop within a layer or a few thousand states.
    std::stop_token stop;
    // Threads for the tile kinds' solves, beside the stage's own measures.
    // The build's tools judge many stages at once and keep 1.
    int threads = 1;
};

// The optimum of the stage with one tile kind made plain floor.
struct KindNecessity {
    enum class Verdict { Unsolvable, Longer, Equal, Shorter, Unknown };
    std::string kind;  // "arrow", "burst", "warp10", "warp11", "eraser", "goal5".."goal8"
    Verdict verdict = Verdict::Unknown;
    int optimum = -1;  // without the kind, when solved
    int change = 0;    // optimum without minus optimum with
};

struct Critique {
    // The solver's figures.
    SolveStatus solveStatus = SolveStatus::NoSolution;
    int optimum = -1;  // fewest steps, -1 when not solved
    std::uint64_t positions = 0;
    std::vector<StepDirection> solution;

    // The whole state graph; the figures below it only when complete.
    bool graphComplete = false;
    std::uint64_t states = 0;
    std::uint64_t deadStates = 0;
    int trapDepth = -1;  // fewest moves to a dead state, -1 when none
    std::vector<StepDirection> trapMoves;

    // Optimal solutions: distinct plans (tile events as a multiset) and move lists.
    std::uint64_t plans = 0;
    bool plansAtLeast = false;
    std::uint64_t moveLists = 0;
    bool moveListsAtLeast = false;
    bool naive = false;  // some optimal plan lands on each wrong mark its fewest times and uses no tile
    // Per tile kind, the different ways the optimal plans use it (0: never used).
    std::map<std::string, int> waysToUse;
    // The mechanics every optimal solution uses (the stage relies on them to
    // reach its optimum), and those some optimal solution uses.
    MechanicSet reliesOn = 0;
    MechanicSet meets = 0;

    std::vector<KindNecessity> necessity;  // each tile kind on the board

    int frozenMarks = 0;  // marks above the mark limit
    int cells = 0;        // walkable cells
    std::string shape;    // walkable cells, rows of '#' and '.' joined by '/', trimmed to their box

    double seconds = 0;
    std::size_t peakBytes = 0;
    bool cancelled = false;  // given up on request: the figures are partial

    double DeadShare() const { return states ? static_cast<double>(deadStates) / static_cast<double>(states) : 0; }
};

Critique CritiqueStage(const StageData& stage, const CritiqueLimits& limits = {});

// The tile kinds on a board, in a fixed order; goals only when several goal
// codes are present.
std::vector<std::string> TileKindsOn(const Board& board);
// The board with every cell of a kind made plain floor.
Board WithoutKind(const Board& board, const std::string& kind);

const char* VerdictName(KindNecessity::Verdict verdict);
