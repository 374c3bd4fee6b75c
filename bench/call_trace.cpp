// What the call trace costs a game that has not switched it on: a hot call
// (PeekMessage on an empty queue, as a game's main loop makes thousands of
// times a second), and an empty function with and without its trace line.
//   VANTREL_VIDEO=headless build/bench/vantrel-bench --benchmark_filter='Trace'
#include <vantrel/win32/window.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/kernel/trace.h"

namespace {

__attribute__((noinline)) int untraced(int value)
{
    benchmark::DoNotOptimize(value);
    return value + 1;
}

__attribute__((noinline)) int traced(int value)
{
    VTL_TRACE(user, "traced", value);
    benchmark::DoNotOptimize(value);
    return vtlTraceCall_.result(value + 1);
}

void TraceOffEmptyCall(benchmark::State& state)
{
    int v = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(v = state.range(0) ? traced(v) : untraced(v));
    state.SetLabel(state.range(0) ? "with a trace line" : "without");
}
BENCHMARK(TraceOffEmptyCall)->Arg(0)->Arg(1);

void TraceOffPeekMessageEmptyQueue(benchmark::State& state)
{
    if (std::getenv("VANTREL_TRACE"))
        state.SkipWithError("VANTREL_TRACE is set: this row measures the trace switched off");
    setenv("VANTREL_VIDEO", "headless", 0);
    MSG msg;
    for (auto _ : state)
        benchmark::DoNotOptimize(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}
BENCHMARK(TraceOffPeekMessageEmptyQueue);

} // namespace
