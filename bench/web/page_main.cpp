// The benchmark page's main.  Google Benchmark's own main returns, and the
// page's runner would take that for the end; but in a page the showcase's
// first present gives the browser a turn (ASYNCIFY), which returns from main
// to the browser long before the benchmarks end.  So this main says when it
// is really done, after its report, on the program's standard output, which
// the runner (web_page_bench.js) reads.
#include <benchmark/benchmark.h>

#include <cstdio>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(stdout);
    std::puts("vantrel-bench: done");
    std::fflush(stdout);
    return 0;
}
