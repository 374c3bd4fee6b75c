// Timing this library and its peers on the same work in the same loop, so
// that a ratio does not depend on what else the machine does between two
// benchmarks.  items_per_second is this library's rate; for each peer P the
// row adds P_px/s (its rate) and vs_P (its time over ours: above 1 means
// this library is faster).  Benchmarks using it run with UseManualTime().
#ifndef VANTREL_BENCH_PEER_COMPARE_H
#define VANTREL_BENCH_PEER_COMPARE_H

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Peer {
    std::string name;
    std::function<void()> draw;
};

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

inline void compare(benchmark::State& state, double pixelsPerFrame, const std::function<void()>& ours,
             const std::vector<Peer>& peers)
{
    std::vector<double> peerTime(peers.size(), 0.0);
    double ourTime = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ours();
        const auto t1 = Clock::now();
        state.SetIterationTime(seconds(t0, t1));
        ourTime += seconds(t0, t1);
        for (size_t i = 0; i < peers.size(); ++i) {
            const auto p0 = Clock::now();
            peers[i].draw();
            peerTime[i] += seconds(p0, Clock::now());
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
