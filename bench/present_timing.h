// The yardstick of the present benchmarks: one memcpy of the frame, measured
// in the same run, and the counters every present row reports against it.
#ifndef VANTREL_BENCH_PRESENT_TIMING_H
#define VANTREL_BENCH_PRESENT_TIMING_H

#include "peer_compare.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

// Nanoseconds of one memcpy of `bytes`, the best of several rounds.
inline double memcpyNanoseconds(size_t bytes)
{
    std::vector<unsigned char> from(bytes, 0x5A), to(bytes);
    double best = 1e18;
    for (int round = 0; round < 20; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 50; ++i) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::ClobberMemory();
        }
        const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ns / 50);
    }
    return best;
}

// Runs `present` for the benchmark's iterations and reports, against one
// memcpy of `frameBytes`: wall time ("x_memcpy") and this thread's processor
// time ("cpu_x_memcpy"; the rest of the wall time is spent waiting, for the
// X server taking the picture and for the vertical blank).
template <typename Present>
void timePresents(benchmark::State& state, size_t frameBytes, Present present)
{
    const double peer = memcpyNanoseconds(frameBytes);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = threadSeconds();
    for (auto _ : state)
        benchmark::DoNotOptimize(present());
    const double cpu = (threadSeconds() - cpuStart) * 1e9;
    const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    const double n = static_cast<double>(state.iterations());
    state.counters["memcpy_us"] = peer / 1000;
    state.counters["x_memcpy"] = n > 0 ? ns / n / peer : 0;
    state.counters["cpu_x_memcpy"] = n > 0 ? cpu / n / peer : 0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(frameBytes));
}

} // namespace

#endif
