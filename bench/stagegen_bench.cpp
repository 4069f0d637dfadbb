// SPDX-License-Identifier: GPL-3.0-or-later
// The stage generator's yield in a fixed time: candidates that keep every
// design rule, and how many of them are deep (30+ steps on 50 cells or
// fewer), with the default recipe.
//   bench_stagegen [seconds, default 600] [seed, default 1] [benchmark flags]
#include "stage_generator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

double runSeconds = 600;
std::uint64_t runSeed = 1;

void GenerateForAWhile(benchmark::State& state) {
    GeneratorRun run;
    for (auto _ : state) {
        GeneratorBudget budget;
        budget.boards = ~std::uint64_t{0};
        budget.seconds = runSeconds;
        budget.keep = 1000;
        budget.threads = std::max(1u, std::thread::hardware_concurrency());
        run = GenerateStages(StageRecipe{}, runSeed, budget);
    }
    int deep = 0;
    for (const StageCandidate& candidate : run.candidates) {
        deep += candidate.critique.optimum >= 30 && candidate.critique.cells <= 50;
    }
    state.counters["boards"] = static_cast<double>(run.boardsTried);
    state.counters["judged"] = static_cast<double>(run.boardsJudged);
    state.counters["candidates"] = static_cast<double>(run.candidates.size());
    state.counters["deep"] = deep;
    state.counters["best_optimum"] = run.candidates.empty() ? 0 : run.candidates.front().critique.optimum;
    state.counters["threads"] = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%s\n", run.candidates.empty() ? "no candidates" : run.candidates.front().source.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '-') {
        runSeconds = std::atof(argv[1]);
        --argc;
        ++argv;
    }
    if (argc > 1 && argv[1][0] != '-') {
        runSeed = std::strtoull(argv[1], nullptr, 10);
        --argc;
        ++argv;
    }
    benchmark::RegisterBenchmark("generate", GenerateForAWhile)->Iterations(1)->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
