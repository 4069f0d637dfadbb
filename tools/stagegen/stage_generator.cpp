#include "stage_generator.h"

#include "design_rules.h"
#include "stage_input.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>

namespace {

// A small deterministic generator (splitmix64), so runs repeat everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }

private:
    std::uint64_t state_;
};

struct Cell {
    int column = 0;
    int row = 0;
    bool operator==(const Cell& other) const { return column == other.column && row == other.row; }
};

constexpr int kDeltaColumn[] = {-1, 0, 1, 0};
constexpr int kDeltaRow[] = {0, -1, 0, 1};
constexpr char kArrowOfDirection[] = {'<', '^', '>', 'v'};

// A board in source characters, rows of the box.
class Sketch {
public:
    Sketch(int columns, int rows) : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows), '.') {}
    bool Inside(Cell c) const { return c.column >= 0 && c.row >= 0 && c.column < columns_ && c.row < rows_; }
    // Reads give '.' outside the box; writes must be inside it.
    char At(Cell c) const { return Inside(c) ? cells_[static_cast<std::size_t>(c.row * columns_ + c.column)] : '.'; }
    void Put(Cell c, char what) { cells_[static_cast<std::size_t>(c.row * columns_ + c.column)] = what; }
    std::string Map() const {
        std::string map;
        for (int row = 0; row < 10; ++row) {
            for (int column = 0; column < 16; ++column) map += At({column, row});
            map += '\n';
        }
        return map;
    }

private:
    int columns_, rows_;
    std::vector<char> cells_;
};

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

bool IsMarkChar(char c) { return c >= '1' && c <= '4'; }

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

// One random board as a source without its score, or empty when the recipe
// cannot be placed on it.
std::string RandomBoard(Random& random, const StageRecipe& recipe) {
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

GeneratorRun GenerateStages(const StageRecipe& recipe, std::uint64_t seed, const GeneratorBudget& budget) {
    GeneratorRun run;
    Random random(seed);
    const auto started = std::chrono::steady_clock::now();
    std::set<std::string> shapes;
    SolverLimits solverLimits;
    solverLimits.memoryBytes = budget.limits.memoryBytes;
    for (; run.boardsTried < budget.boards; ++run.boardsTried) {
        if (budget.seconds > 0 &&
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() > budget.seconds) {
            break;
        }
        const std::string board = RandomBoard(random, recipe);
        if (board.empty()) continue;
        const StageInput input = StageInputOfSource("candidate", board);
        if (!input.ok) continue;
        const SolveResult solved = SolveStage(input.stage, solverLimits);
        if (solved.status != SolveStatus::Solved || solved.Steps() < recipe.minOptimum) continue;
        ++run.boardsJudged;
        if (!FeaturesAreNecessary(input.stage, solved.Steps(), budget.limits)) {
            ++run.tileNotNecessary;
            continue;
        }
        CritiquedStage judged;
        judged.file = "candidate";
        judged.number = 99;  // judged as a late stage: no naive plan
        judged.design = input.design;
        judged.critique = CritiqueStage(input.stage, budget.limits);
        if (!CheckDesignRules({judged}).empty()) {
            ++run.breaksRules;
            continue;
        }
        if (!shapes.insert(judged.critique.shape).second) {  // one stage per shape
            ++run.shapeTaken;
            continue;
        }
        StageCandidate candidate;
        candidate.board = run.boardsTried;
        candidate.critique = judged.critique;
        candidate.source = ScoreLine(judged.critique) + "\n# stagegen seed " + std::to_string(seed) + ", board " +
                           std::to_string(run.boardsTried) + "\ntitle: Proposal " + std::to_string(seed) + "-" +
                           std::to_string(run.boardsTried) + "\n" + board;
        run.candidates.push_back(std::move(candidate));
    }
    std::sort(run.candidates.begin(), run.candidates.end(), Deeper);
    if (run.candidates.size() > budget.keep) run.candidates.resize(budget.keep);
    return run;
}
