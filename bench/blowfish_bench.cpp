// SPDX-License-Identifier: GPL-3.0-or-later
// Key schedule time and .bfg decryption throughput.
#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "resources/blowfish.h"

namespace {

void BM_KeySchedule(benchmark::State& state) {
    BlowfishState cipher;
    cipher.Allocate();
    uint8_t key[8] = {};
    AssembleBfgKey(key);
    for (auto _ : state) {
        cipher.SetKey(key);
        benchmark::DoNotOptimize(cipher.sBoxes[1023]);
    }
    cipher.Release();
}
BENCHMARK(BM_KeySchedule)->Unit(benchmark::kMicrosecond);

// 1 MiB decrypted into a second buffer and in place; the figure to read is
// bytes_per_second (target: at least 100 MB/s).
void BM_DecryptBuffer(benchmark::State& state) {
    const bool inPlace = state.range(0) != 0;
    BlowfishState cipher;
    KeyWithBfgKey(cipher);
    std::vector<uint8_t> source(1 << 20);
    std::iota(source.begin(), source.end(), uint8_t{0});
    std::vector<uint8_t> destination(source.size());
    for (auto _ : state) {
        uint8_t* out = inPlace ? source.data() : destination.data();
        cipher.DecryptBuffer(source.size(), out, source.data());
        benchmark::DoNotOptimize(out[0]);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(source.size()));
    state.SetLabel(inPlace ? "in place, 1 MiB" : "two buffers, 1 MiB");
    cipher.Release();
}
BENCHMARK(BM_DecryptBuffer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
