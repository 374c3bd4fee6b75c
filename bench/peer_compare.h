// Timing this library and its peers on the same work in the same loop, so
// that a ratio does not depend on what else the machine does between two
// benchmarks.  items_per_second is this library's rate; for each peer P the
// row adds P_px/s (its rate) and vs_P (its time over ours: above 1 means
// this library is faster).  Benchmarks using it run with UseManualTime().
//
// The time is the thread's processor time, not the wall clock: on a shared
// machine a frame preempted half-way would otherwise count another
// program's work against whichever side it fell on.
#ifndef VANTREL_BENCH_PEER_COMPARE_H
#define VANTREL_BENCH_PEER_COMPARE_H

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Peer {
    std::string name;
    std::function<void()> draw;
};

// Seconds of processor time this thread has used; where the system keeps no
// such clock (WebAssembly), seconds of the monotonic clock, which on a page's
// one thread is nearly the same.
inline double threadSeconds()
{
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
        clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline void compare(benchmark::State& state, double pixelsPerFrame, const std::function<void()>& ours,
                    const std::vector<Peer>& peers)
{
    std::vector<double> peerTime(peers.size(), 0.0);
    double ourTime = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        ours();
        const double t1 = threadSeconds();
        state.SetIterationTime(t1 - t0);
        ourTime += t1 - t0;
        for (size_t i = 0; i < peers.size(); ++i) {
            const double p0 = threadSeconds();
            peers[i].draw();
            peerTime[i] += threadSeconds() - p0;
        }
    }
    const double pixels = pixelsPerFrame * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(pixels));
    for (size_t i = 0; i < peers.size(); ++i) {
        if (peerTime[i] <= 0 || ourTime <= 0)
            continue;
        state.counters[peers[i].name + "_px/s"] = pixels / peerTime[i];
        state.counters["vs_" + peers[i].name] = peerTime[i] / ourTime;
    }
}

} // namespace

#endif
