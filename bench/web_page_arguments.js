// The benchmark page's command line: each parameter of its address is one
// argument, e.g. vantrel-bench-page.html?--benchmark_filter=Showcase&--benchmark_min_time=2
// The page's main (web/page_main.cpp) prints "vantrel-bench: done" when the
// benchmarks end, which is what web_page_bench.js waits for.
Module['arguments'] = typeof location === 'undefined' ? [] :
  Array.from(new URLSearchParams(location.search), function(pair) {
    return pair[1] === '' ? pair[0] : pair[0] + '=' + pair[1];
  });
