// SPDX-License-Identifier: GPL-3.0-or-later
// The solver on every shipped stage: positions searched, time and peak
// memory per stage, then the totals.
//   bench_solver [stage folder] [benchmark flags]
// The folder defaults to the build's game/Stage.
#include "solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct StageTotals {
    std::uint64_t positions = 0;
    std::size_t peakBytes = 0;
    int solved = 0;
    int stages = 0;
};

StageTotals totals;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SolveOneStage(benchmark::State& state, const StageData& stage) {
    SolveResult result;
    for (auto _ : state) {
        result = SolveStage(stage);
        benchmark::DoNotOptimize(result.states);
    }
    state.counters["steps"] = result.status == SolveStatus::Solved ? result.Steps() : -1;
    state.counters["positions"] = static_cast<double>(result.states);
    state.counters["peak_MiB"] = static_cast<double>(result.peakBytes) / (1 << 20);
    state.counters["positions_per_s"] = benchmark::Counter(static_cast<double>(result.states), benchmark::Counter::kIsRate);
    totals.positions += result.states;
    totals.peakBytes = std::max(totals.peakBytes, result.peakBytes);
    totals.solved += result.status == SolveStatus::Solved;
    ++totals.stages;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder = VELTRIM_STAGE_DIR;
    if (argc > 1 && argv[1][0] != '-') {
        folder = argv[1];
        --argc;
        ++argv;
    }
    std::vector<StageData> stages;
    for (int number = 1;; ++number) {
        const std::filesystem::path path = folder / ("stage" + std::to_string(number) + ".map");
        if (!std::filesystem::exists(path)) break;
        const StageFileResult loaded = ParseStageFile(ReadFile(path));
        if (!loaded) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), DescribeStageFileError(loaded.error));
            return 1;
        }
        stages.push_back(loaded.stage);
    }
    if (stages.empty()) {
        std::fprintf(stderr, "no stage files in %s (build the game first)\n", folder.c_str());
        return 1;
    }
    for (std::size_t i = 0; i < stages.size(); ++i) {
        benchmark::RegisterBenchmark(("solve/stage" + std::to_string(i + 1)).c_str(), SolveOneStage, stages[i])
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    const auto started = std::chrono::steady_clock::now();
    benchmark::RunSpecifiedBenchmarks();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    benchmark::Shutdown();
    std::printf("\nTotal: %d of %d stages solved, %llu positions, %.2f s, largest peak %.1f MiB\n", totals.solved,
                totals.stages, static_cast<unsigned long long>(totals.positions), seconds,
                static_cast<double>(totals.peakBytes) / (1 << 20));
    return totals.solved == totals.stages ? 0 : 1;
}
