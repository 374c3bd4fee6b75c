// The benchmark page's command line: each parameter of its address is one
// argument, e.g. vantrel-bench-page.html?--benchmark_filter=Showcase&--benchmark_min_time=2
Module['arguments'] = typeof location === 'undefined' ? [] :
  Array.from(new URLSearchParams(location.search), function(pair) {
    return pair[1] === '' ? pair[0] : pair[0] + '=' + pair[1];
  });

// The runner (web_page_bench.js) waits for this line: the benchmarks run in
// main without yielding, and the page stays open after it returns.
Module['postRun'] = (Module['postRun'] || []).concat(function() {
  // The program's output is buffered, and a page that stays open never
  // flushes it by exiting: the end of the report would stay behind.
  Module['_fflush'](0);
  console.log('vantrel-bench: done');
});
