// SPDX-License-Identifier: GPL-3.0-or-later
// The stage critic on every shipped stage source, whole state graphs
// included: time, states and peak memory per stage, then the totals and the
// process's peak resident memory.
//   bench_stagecrit [stage source folder] [benchmark flags]
// The folder defaults to content/stages.
#include "critique.h"
#include "stage_input.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Totals {
    std::uint64_t states = 0;
    std::size_t peakBytes = 0;
    int complete = 0;
    int stages = 0;
};

Totals totals;

void CritiqueOneStage(benchmark::State& state, const StageData& stage) {
    Critique critique;
    for (auto _ : state) {
        critique = CritiqueStage(stage);
        benchmark::DoNotOptimize(critique.states);
    }
    state.counters["optimum"] = critique.optimum;
    state.counters["states"] = static_cast<double>(critique.states);
    state.counters["complete"] = critique.graphComplete;
    state.counters["dead_pct"] = 100 * critique.DeadShare();
    state.counters["peak_MiB"] = static_cast<double>(critique.peakBytes) / (1 << 20);
    totals.states += critique.states;
    totals.peakBytes = std::max(totals.peakBytes, critique.peakBytes);
    totals.complete += critique.graphComplete;
    ++totals.stages;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder = VELTRIM_STAGE_SOURCES;
    if (argc > 1 && argv[1][0] != '-') {
        folder = argv[1];
        --argc;
        ++argv;
    }
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".stage") paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    if (paths.empty()) {
        std::fprintf(stderr, "no stage sources in %s\n", folder.c_str());
        return 1;
    }
    std::vector<StageData> stages;
    for (const auto& path : paths) {
        const StageInput input = ReadStageInput(path.string());
        if (!input.ok) {
            std::fprintf(stderr, "%s\n", input.error.c_str());
            return 1;
        }
        stages.push_back(input.stage);
    }
    for (std::size_t i = 0; i < stages.size(); ++i) {
        benchmark::RegisterBenchmark(("critique/" + paths[i].stem().string()).c_str(), CritiqueOneStage, stages[i])
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    const auto started = std::chrono::steady_clock::now();
    benchmark::RunSpecifiedBenchmarks();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\nTotal: %d stages, %d whole graphs, %llu states, %.2f s, largest peak %.1f MiB, "
                "process peak resident %.1f MiB\n",
                totals.stages, totals.complete, static_cast<unsigned long long>(totals.states), seconds,
                static_cast<double>(totals.peakBytes) / (1 << 20), static_cast<double>(usage.ru_maxrss) / 1024);
    return 0;
}
