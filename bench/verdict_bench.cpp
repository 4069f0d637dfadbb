// SPDX-License-Identifier: GPL-3.0-or-later
// The stage editor's live verdict (critic and design rules, as the editor
// runs them) on the shipped stage with the most reachable positions: the
// latency an author waits after an edit, in real and processor time, and
// the time a newer edit waits for an outdated search to give up.
//   bench_verdict [stage source folder] [benchmark flags]
#include "stage_document.h"
#include "verdict.h"
#include "verdict_worker.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

namespace {

struct Largest {
    std::string name;
    StageData stage;
    StageDesign design;
    std::uint64_t states = 0;
};

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

Largest FindLargest(const std::filesystem::path& folder) {
    Largest largest;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".stage") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        StageDocument::Opened opened = StageDocument::FromSourceText(text);
        if (!opened.document) continue;
        CritiqueLimits quick;
        quick.moveListCap = 1;
        const Critique critique = CritiqueStage(opened.document->StageForPlay(), quick);
        if (critique.states > largest.states) {
            largest = {entry.path().filename().string(), opened.document->StageForPlay(), opened.document->Stage().design,
                       critique.states};
        }
    }
    return largest;
}

Largest largest;

void Verdict_LargestStage(benchmark::State& state) {
    VerdictSubject subject;
    subject.stage = largest.stage;
    subject.design = largest.design;
    subject.file = largest.name;
    subject.number = StageNumberOfSourceName(largest.name);
    double processSeconds = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        const Verdict verdict = JudgeStage(subject);
        processSeconds += ProcessCpuSeconds() - before;
        benchmark::DoNotOptimize(verdict.optimum);
    }
    state.counters["states"] = static_cast<double>(largest.states);
    // Every thread's processor time: what the verdict costs on an idle machine.
    state.counters["process_cpu_ms"] = 1000 * processSeconds / static_cast<double>(state.iterations());
}

// From an edit that overtakes a search under way to the worker's verdict on the edit.
void Verdict_OvertakenSearch(benchmark::State& state) {
    std::mutex mutex;
    std::condition_variable done;
    std::uint64_t delivered = 0;
    VerdictWorker worker([&](const Verdict&, std::uint64_t request) {
        std::lock_guard lock(mutex);
        delivered = request;
        done.notify_all();
    });
    VerdictSubject big;
    big.stage = largest.stage;
    VerdictSubject small;
    small.stage = StageDocument().StageForPlay();
    for (auto _ : state) {
        worker.Request(big);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto edited = std::chrono::steady_clock::now();
        const std::uint64_t latest = worker.Request(small);
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return delivered == latest; });
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - edited).count());
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder = VELTRIM_STAGE_SOURCES;
    if (argc > 1 && argv[1][0] != '-') {
        folder = argv[1];
        --argc;
        ++argv;
    }
    largest = FindLargest(folder);
    std::printf("largest stage by reachable positions: %s (%llu positions)\n", largest.name.c_str(),
                static_cast<unsigned long long>(largest.states));
    benchmark::RegisterBenchmark("Verdict/LargestStage", Verdict_LargestStage)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("Verdict/OvertakenSearch", Verdict_OvertakenSearch)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
