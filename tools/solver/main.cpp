// SPDX-License-Identifier: GPL-3.0-or-later
// solver: finds the fewest counted steps that clear a stage file.
//   solver [--memory-mb N] [--max-steps N] stage.map...
// Prints, per stage, the result, the moves (L U R D) and the search's size.
// Exit status 0 when every stage was solved, 1 otherwise, 2 on bad usage.
#include "solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool ReadFile(const char* path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool SolveFile(const char* path, const SolverLimits& limits) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFile(path, bytes)) {
        std::fprintf(stderr, "%s: cannot read the file\n", path);
        return false;
    }
    const StageFileResult loaded = ParseStageFile(bytes);
    if (!loaded) {
        std::fprintf(stderr, "%s: not a stage the game can load: %s\n", path, DescribeStageFileError(loaded.error));
        return false;
    }
    const auto started = std::chrono::steady_clock::now();
    const SolveResult result = SolveStage(loaded.stage, limits);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (result.status == SolveStatus::Solved) {
        std::printf("%s: solved in %d steps (par in the file: %d)\n", path, result.Steps(), loaded.stage.par);
        std::printf("  moves: %s\n", MovesText(result.moves).c_str());
    } else if (result.status == SolveStatus::TooManySteps) {
        std::printf("%s: no solution within %d steps\n", path, limits.maxSteps);
    } else if (result.status == SolveStatus::OutOfMemory) {
        std::printf("%s: too large to search within %zu MiB (after %llu positions, %d steps deep)\n", path,
                    limits.memoryBytes >> 20, static_cast<unsigned long long>(result.states), result.depth);
    } else {
        std::printf("%s: no solution (all %llu reachable positions tried)\n", path,
                    static_cast<unsigned long long>(result.states));
    }
    std::printf("  positions: %llu, peak memory: %.1f MiB, time: %.3f s\n",
                static_cast<unsigned long long>(result.states), result.peakBytes / 1048576.0, seconds);
    return result.status == SolveStatus::Solved;
}

int Usage() {
    std::fprintf(stderr, "usage: solver [--memory-mb N] [--max-steps N] stage.map...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    SolverLimits limits;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--memory-mb" || arg == "--max-steps") && i + 1 < argc) {
            const long value = std::strtol(argv[++i], nullptr, 10);
            if (value <= 0) return Usage();
            if (arg == "--memory-mb") limits.memoryBytes = static_cast<std::size_t>(value) << 20;
            else limits.maxSteps = static_cast<int>(std::min(value, 254L));
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) return Usage();
    bool all = true;
    for (const char* file : files) all = SolveFile(file, limits) && all;
    return all ? 0 : 1;
}
