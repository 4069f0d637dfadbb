// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_generator.h"

#include "board_climb.h"
#include "design_rules.h"
#include "sketch.h"
#include "stage_input.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace {

// Grows a connected region cell by cell; mostly from the newest cells, so
// corridors and rooms both appear.
std::vector<Cell> GrowRegion(Random& random, const StageRecipe& recipe, int cells) {
    std::vector<Cell> region{{random.Below(recipe.boxColumns), random.Below(recipe.boxRows)}};
    Sketch taken(recipe.boxColumns, recipe.boxRows);
    taken.Put(region[0], '-');
    for (int tries = 0; static_cast<int>(region.size()) < cells && tries < cells * 200; ++tries) {
        const int recent = std::min<int>(3, static_cast<int>(region.size()));
        const Cell from = random.Below(100) < recipe.windingPercent ? region[region.size() - 1 - static_cast<std::size_t>(random.Below(recent))]
                                          : region[static_cast<std::size_t>(random.Below(static_cast<int>(region.size())))];
        const int d = random.Below(4);
        const Cell to{from.column + kDeltaColumn[d], from.row + kDeltaRow[d]};
        if (!taken.Inside(to) || taken.At(to) != '.') continue;
        taken.Put(to, '-');
        region.push_back(to);
    }
    return region;
}

// Takes a free floor cell of the region that satisfies `fits`, or none.
template <typename F>
bool Place(Random& random, Sketch& sketch, const std::vector<Cell>& region, char what, F&& fits) {
    std::vector<Cell> free;
    for (const Cell& c : region) {
        if (sketch.At(c) == '-' && fits(c)) free.push_back(c);
    }
    if (free.empty()) return false;
    sketch.Put(free[static_cast<std::size_t>(random.Below(static_cast<int>(free.size())))], what);
    return true;
}

std::string DesignOf(const StageRecipe& recipe) {
    std::vector<std::string> kinds;
    if (recipe.arrows > 0) kinds.push_back("arrow");
    if (recipe.bursts > 0) kinds.push_back("burst");
    if (recipe.warpPairs > 0) kinds.push_back("warp10");
    if (recipe.eraser) kinds.push_back("eraser");
    std::string line = "features:";
    for (const std::string& kind : kinds) line += " " + kind;
    return kinds.empty() ? "" : line + "\n";
}

// One random board, or none when the recipe cannot be placed on it.
std::optional<Sketch> RandomBoard(Random& random, const StageRecipe& recipe) {
    const int cells = random.Between(recipe.minCells, recipe.maxCells);
    const std::vector<Cell> region = GrowRegion(random, recipe, cells);
    Sketch sketch(recipe.boxColumns, recipe.boxRows);
    for (const Cell& c : region) sketch.Put(c, '-');
    auto anywhere = [](Cell) { return true; };
    const char goal = static_cast<char>('A' + recipe.goalValue - 1);
    if (!Place(random, sketch, region, 'S', anywhere) || !Place(random, sketch, region, goal, anywhere)) return {};
    const int marks = random.Between(recipe.minMarks, recipe.maxMarks);
    int placed = 0;
    auto randomValue = [&] {
        return static_cast<char>(
            '0' + recipe.markValues[static_cast<std::size_t>(random.Below(static_cast<int>(recipe.markValues.size())))]);
    };
    // Tiles come with marks to work on: an arrow with a line of marks in
    // front of it, a burst with marks around it.
    for (int i = 0; i < recipe.arrows; ++i) {
        const int d = random.Below(4);
        auto lineLength = [&](Cell c) {
            int length = 0;
            for (Cell at{c.column + kDeltaColumn[d], c.row + kDeltaRow[d]}; sketch.At(at) == '-' || IsMarkChar(sketch.At(at));
                 at = {at.column + kDeltaColumn[d], at.row + kDeltaRow[d]}) {
                ++length;
            }
            return length;
        };
        std::vector<Cell> starts;
        for (const Cell& c : region) {
            if (sketch.At(c) == '-' && lineLength(c) >= 2) starts.push_back(c);
        }
        if (starts.empty()) return {};
        const Cell at = starts[static_cast<std::size_t>(random.Below(static_cast<int>(starts.size())))];
        sketch.Put(at, kArrowOfDirection[d]);
        const int length = random.Between(2, std::min(5, lineLength(at)));
        Cell mark = at;
        for (int k = 0; k < length; ++k) {
            mark = {mark.column + kDeltaColumn[d], mark.row + kDeltaRow[d]};
            if (sketch.At(mark) == '-') {
                sketch.Put(mark, randomValue());
                ++placed;
            }
        }
    }
    for (int i = 0; i < recipe.bursts; ++i) {
        std::vector<Cell> around;
        auto roomAround = [&](Cell c) {
            around.clear();
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    const Cell n{c.column + dc, c.row + dr};
                    if ((dr || dc) && (sketch.At(n) == '-' || IsMarkChar(sketch.At(n)))) around.push_back(n);
                }
            }
            return around.size() >= 3;
        };
        if (!Place(random, sketch, region, '*', roomAround)) return {};
        for (const Cell& c : region) {
            if (sketch.At(c) != '*' || !roomAround(c)) continue;
            for (const Cell& n : around) {
                if (sketch.At(n) == '-' && random.Below(3) > 0) {
                    sketch.Put(n, randomValue());
                    ++placed;
                }
            }
        }
    }
    for (; placed < marks; ++placed) {
        if (!Place(random, sketch, region, randomValue(), anywhere)) return {};
    }
    for (int i = 0; i < recipe.warpPairs * 2; ++i) {
        if (!Place(random, sketch, region, 'W', anywhere)) return {};
    }
    if (recipe.eraser && !Place(random, sketch, region, 'E', anywhere)) return {};
    return sketch;
}

// A board as a stage source without its score.
std::string SourceOf(const StageRecipe& recipe, const Sketch& sketch) {
    return "limit: " + std::to_string(recipe.markLimit) + "\nbackground: bg1.bfg\n" + DesignOf(recipe) +
           "map:\n" + sketch.Map();
}

// Depth first: long optimum, then few plans, then many states per cell.
bool Deeper(const StageCandidate& a, const StageCandidate& b) {
    const Critique& x = a.critique;
    const Critique& y = b.critique;
    if (x.optimum != y.optimum) return x.optimum > y.optimum;
    if (x.plans != y.plans) return x.plans < y.plans;
    const double densityX = static_cast<double>(x.states) / std::max(1, x.cells);
    const double densityY = static_cast<double>(y.states) / std::max(1, y.cells);
    if (densityX != densityY) return densityX > densityY;
    return a.board < b.board;
}

// Every featured kind is needed; cheaper than the whole critique, so it
// runs first.
bool FeaturesAreNecessary(const StageData& stage, int optimum, const CritiqueLimits& limits) {
    SolverLimits solverLimits;
    solverLimits.memoryBytes = limits.memoryBytes;
    for (const std::string& kind : TileKindsOn(stage.board)) {
        StageData without = stage;
        without.board = WithoutKind(stage.board, kind);
        const SolveResult result = SolveStage(without, solverLimits);
        if (result.status == SolveStatus::OutOfMemory) return false;
        if (result.status != SolveStatus::Solved) continue;
        if (result.Steps() < kNecessaryLonger * optimum || result.Steps() - optimum < kNecessaryMinSteps) return false;
    }
    return true;
}

}  // namespace

std::string ScoreLine(const Critique& c) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "# stagegen score: optimum %d, plans %llu, move lists %llu, states %llu, cells %d, dead %.1f %%",
                  c.optimum, static_cast<unsigned long long>(c.plans), static_cast<unsigned long long>(c.moveLists),
                  static_cast<unsigned long long>(c.states), c.cells, 100 * c.DeadShare());
    return line;
}

namespace {

// Each board of a run draws from its own stream, so a board is the same
// whichever thread takes it.
std::uint64_t BoardSeed(std::uint64_t seed, std::uint64_t board) {
    Random mix(seed * 0x2545F4914F6CDD1Dull ^ board);
    return mix.Next();
}

// What one board of the run came to.
struct BoardOutcome {
    enum class Verdict { Unplaced, Unsolved, TileNotNecessary, TooShort, BreaksRules, Passed } verdict = Verdict::Unplaced;
    StageCandidate candidate;
};

// Draws board `board`, climbs from it and judges the deepest boards of the
// climb with the whole critique, deepest first, until one keeps every rule.
BoardOutcome TryBoard(const StageRecipe& recipe, std::uint64_t seed, std::uint64_t board,
                      const GeneratorBudget& budget, const std::function<bool()>& outOfTime) {
    BoardOutcome outcome;
    outcome.candidate.board = board;
    Random random(BoardSeed(seed, board));
    const std::optional<Sketch> drawn = RandomBoard(random, recipe);
    if (!drawn) return outcome;
    SolverLimits solverLimits;
    solverLimits.memoryBytes = budget.limits.memoryBytes;
    // The board's optimum; -1 when unsolved or shorter than `atLeast` (its
    // tiles then go untested), -2 when a tile kind could go.
    auto judge = [&](const Sketch& sketch, int atLeast) {
        const StageInput input = StageInputOfSource("candidate", SourceOf(recipe, sketch));
        if (!input.ok) return -1;
        const SolveResult solved = SolveStage(input.stage, solverLimits);
        if (solved.status != SolveStatus::Solved || solved.Steps() < atLeast) return -1;
        return FeaturesAreNecessary(input.stage, solved.Steps(), budget.limits) ? solved.Steps() : -2;
    };
    const int optimum = judge(*drawn, 0);
    if (optimum < 0) {
        outcome.verdict = optimum == -1 ? BoardOutcome::Verdict::Unsolved : BoardOutcome::Verdict::TileNotNecessary;
        return outcome;
    }
    auto acceptable = [&](const Sketch& sketch, int atLeast) { return std::max(-1, judge(sketch, atLeast)); };
    std::vector<ClimbPoint> trail =
        ClimbBoard(random, recipe, {*drawn, optimum}, recipe.climbSteps, acceptable, outOfTime);
    trail.back() = TrimBoard(recipe, trail.back(), acceptable, outOfTime);
    outcome.verdict = BoardOutcome::Verdict::TooShort;
    constexpr std::size_t kTriedFromTheTop = 3;
    for (std::size_t k = 0; k < std::min(kTriedFromTheTop, trail.size()); ++k) {
        const ClimbPoint& point = trail[trail.size() - 1 - k];
        if (point.optimum < recipe.minOptimum) break;
        const std::string source = SourceOf(recipe, point.sketch);
        const StageInput input = StageInputOfSource("candidate", source);
        CritiquedStage judged;
        judged.file = "candidate";
        judged.number = 99;  // judged as a late stage: no naive plan
        judged.design = input.design;
        judged.critique = CritiqueStage(input.stage, budget.limits);
        // Judged alone, a stage has no earlier stages to teach what it
        // relies on: that is settled once it joins a set.
        const std::vector<RuleBreach> breaches = CheckDesignRules({judged});
        if (std::any_of(breaches.begin(), breaches.end(),
                        [](const RuleBreach& b) { return b.rule != kMechanicsTaughtRule; })) {
            outcome.verdict = BoardOutcome::Verdict::BreaksRules;
            continue;
        }
        outcome.verdict = BoardOutcome::Verdict::Passed;
        outcome.candidate.critique = judged.critique;
        outcome.candidate.source = ScoreLine(judged.critique) + "\n# stagegen seed " + std::to_string(seed) +
                                   ", board " + std::to_string(board) + "\ntitle: Proposal " + std::to_string(seed) +
                                   "-" + std::to_string(board) + "\n" + source;
        break;
    }
    return outcome;
}

}  // namespace

GeneratorRun GenerateStages(const StageRecipe& recipe, std::uint64_t seed, const GeneratorBudget& budget) {
    const auto started = std::chrono::steady_clock::now();
    auto outOfTime = [&] {
        return budget.seconds > 0 &&
               std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() > budget.seconds;
    };
    std::atomic<std::uint64_t> nextBoard{0};
    std::mutex guard;
    std::vector<BoardOutcome> outcomes;
    std::uint64_t boardsTried = 0;
    auto work = [&] {
        for (;;) {
            const std::uint64_t board = nextBoard.fetch_add(1);
            if (board >= budget.boards || outOfTime()) return;
            BoardOutcome outcome = TryBoard(recipe, seed, board, budget, outOfTime);
            const std::lock_guard<std::mutex> lock(guard);
            ++boardsTried;
            if (outcome.verdict != BoardOutcome::Verdict::Unplaced) outcomes.push_back(std::move(outcome));
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < std::max(1u, budget.threads); ++i) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();

    // Counted and taken in board order, so threads do not change the result.
    std::sort(outcomes.begin(), outcomes.end(),
              [](const BoardOutcome& a, const BoardOutcome& b) { return a.candidate.board < b.candidate.board; });
    GeneratorRun run;
    run.boardsTried = boardsTried;
    std::set<std::string> shapes;
    for (BoardOutcome& outcome : outcomes) {
        using Verdict = BoardOutcome::Verdict;
        if (outcome.verdict == Verdict::Unsolved) continue;
        ++run.boardsJudged;
        if (outcome.verdict == Verdict::TileNotNecessary) ++run.tileNotNecessary;
        if (outcome.verdict == Verdict::TooShort) ++run.tooShort;
        if (outcome.verdict == Verdict::BreaksRules) ++run.breaksRules;
        if (outcome.verdict != Verdict::Passed) continue;
        if (!shapes.insert(outcome.candidate.critique.shape).second) {  // one stage per shape
            ++run.shapeTaken;
            continue;
        }
        run.candidates.push_back(std::move(outcome.candidate));
    }
    std::sort(run.candidates.begin(), run.candidates.end(), Deeper);
    if (run.candidates.size() > budget.keep) run.candidates.resize(budget.keep);
    return run;
}
