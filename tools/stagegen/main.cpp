// SPDX-License-Identifier: GPL-3.0-or-later
// stagegen: proposes stages that keep every design rule.
//   stagegen --seed N [--boards N] [--seconds S] [--keep N] [--out DIR] [recipe...]
// Recipe: --box CxR, --cells MIN-MAX, --winding PERCENT, --limit L, --marks MIN-MAX,
// --values 1,2, --goal V, --arrows N, --bursts N, --warps N (pairs),
// --eraser, --min-optimum N, --climb N (changes tried per board). --threads N
// judges N boards at once (default: one per core). Writes the best
// candidates, deepest first, as DIR/proposal-<seed>-<board>.stage with their
// score in a comment, and prints one line per candidate and a summary.
#include "stage_generator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

struct Options {
    std::uint64_t seed = 1;
    GeneratorBudget budget;
    StageRecipe recipe;
    std::string out;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: stagegen --seed N [--boards N] [--seconds S] [--keep N] [--out DIR] [--box CxR] "
                 "[--cells MIN-MAX] [--winding PERCENT] [--limit L] [--marks MIN-MAX] [--values 1,2] [--goal V] [--arrows N] "
                 "[--bursts N] [--warps N] [--eraser] [--min-optimum N] [--climb N] [--threads N]\n");
    return 2;
}

bool Number(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= low && value <= high;
}

// "A-B" or "AxB" into two numbers.
bool Pair(const char* text, char separator, long low, long high, int& first, int& second) {
    const std::string s = text;
    const std::size_t at = s.find(separator);
    long a = 0, b = 0;
    if (at == std::string::npos || !Number(s.substr(0, at).c_str(), low, high, a) ||
        !Number(s.substr(at + 1).c_str(), low, high, b)) {
        return false;
    }
    first = static_cast<int>(a);
    second = static_cast<int>(b);
    return true;
}

bool ParseArguments(int argc, char** argv, Options& o) {
    StageRecipe& r = o.recipe;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long n = 0;
        bool ok = value != nullptr;
        if (arg == "--eraser") {
            r.eraser = true;
            continue;
        } else if (!ok) {
            return false;
        } else if (arg == "--seed") {
            ok = Number(value, 0, 0x7FFFFFFF, n);
            o.seed = static_cast<std::uint64_t>(n);
        } else if (arg == "--boards") {
            ok = Number(value, 1, 1'000'000'000, n);
            o.budget.boards = static_cast<std::uint64_t>(n);
        } else if (arg == "--seconds") {
            ok = Number(value, 1, 86400, n);
            o.budget.seconds = static_cast<double>(n);
        } else if (arg == "--threads") {
            ok = Number(value, 1, 64, n);
            o.budget.threads = static_cast<unsigned>(n);
        } else if (arg == "--climb") {
            ok = Number(value, 0, 1'000'000, n);
            r.climbSteps = static_cast<int>(n);
        } else if (arg == "--keep") {
            ok = Number(value, 1, 10000, n);
            o.budget.keep = static_cast<std::size_t>(n);
        } else if (arg == "--out") {
            o.out = value;
        } else if (arg == "--box") {
            ok = Pair(value, 'x', 1, 16, r.boxColumns, r.boxRows) && r.boxRows <= 10;
        } else if (arg == "--cells") {
            ok = Pair(value, '-', 3, 160, r.minCells, r.maxCells) && r.minCells <= r.maxCells;
        } else if (arg == "--marks") {
            ok = Pair(value, '-', 0, 100, r.minMarks, r.maxMarks) && r.minMarks <= r.maxMarks;
        } else if (arg == "--winding") {
            ok = Number(value, 0, 100, n);
            r.windingPercent = static_cast<int>(n);
        } else if (arg == "--limit") {
            ok = Number(value, 1, 4, n);
            r.markLimit = static_cast<int>(n);
        } else if (arg == "--goal") {
            ok = Number(value, 1, 4, n);
            r.goalValue = static_cast<int>(n);
        } else if (arg == "--values") {
            r.markValues.clear();
            for (const char* c = value; *c; ++c) {
                if (*c >= '1' && *c <= '4') r.markValues.push_back(*c - '0');
                else if (*c != ',') ok = false;
            }
            ok = ok && !r.markValues.empty();
        } else if (arg == "--arrows" || arg == "--bursts" || arg == "--warps" || arg == "--min-optimum") {
            ok = Number(value, 0, 254, n);
            int& field = arg == "--arrows" ? r.arrows : arg == "--bursts" ? r.bursts : arg == "--warps" ? r.warpPairs : r.minOptimum;
            field = static_cast<int>(n);
        } else {
            return false;
        }
        if (!ok) return false;
        ++i;
    }
    return r.boxColumns * r.boxRows >= r.maxCells;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    options.budget.threads = std::max(1u, std::thread::hardware_concurrency());
    if (!ParseArguments(argc, argv, options)) return Usage();
    const GeneratorRun run = GenerateStages(options.recipe, options.seed, options.budget);
    if (!options.out.empty()) std::filesystem::create_directories(options.out);
    int deep = 0;
    for (const StageCandidate& candidate : run.candidates) {
        const Critique& c = candidate.critique;
        deep += c.optimum >= 30 && c.cells <= 50;
        const std::string name = "proposal-" + std::to_string(options.seed) + "-" + std::to_string(candidate.board) + ".stage";
        std::printf("%s  %s\n", name.c_str(), candidate.source.substr(2, candidate.source.find('\n') - 2).c_str());
        if (options.out.empty()) continue;
        std::ofstream file(std::filesystem::path(options.out) / name, std::ios::binary);
        file << candidate.source;
        if (!file) {
            std::fprintf(stderr, "%s: cannot write\n", name.c_str());
            return 1;
        }
    }
    std::printf("%llu boards tried, %llu judged (%llu with a tile not needed, %llu climbed short of the optimum asked, "
                "%llu breaking another rule, %llu on a shape already proposed), %zu candidates keep every rule, %d of them 30+ steps on 50 cells or fewer\n",
                static_cast<unsigned long long>(run.boardsTried), static_cast<unsigned long long>(run.boardsJudged),
                static_cast<unsigned long long>(run.tileNotNecessary), static_cast<unsigned long long>(run.tooShort),
                static_cast<unsigned long long>(run.breaksRules),
                static_cast<unsigned long long>(run.shapeTaken), run.candidates.size(), deep);
    return 0;
}
