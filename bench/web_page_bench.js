// web_page_bench.js ROOT PAGE_WITH_OPTIONS
// Runs the benchmark page in headless chromium (the page takes the
// benchmark's options from its address) and writes what it printed, e.g.
//   NODE_PATH=build-web-bench/web-driver/node_modules node bench/web_page_bench.js \
//     build-web-bench 'bench/vantrel-bench-page.html?--benchmark_format=json'
'use strict';

const path = require('path');
const { withBrowser, main } = require(path.join(__dirname, '../tests/web/driver/browser'));

const [root, file] = process.argv.slice(2);

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await page.goto(session.url(file));
    const done = await log.waitFor(/^vantrel-bench: done$/, { timeout: 600000 });
    // The benchmark's own output: from its JSON's first line when it writes
    // JSON, so that the page's other messages stay out of it.
    const json = log.find(/^\{$/);
    process.stdout.write(log.lines.slice(json ? json.index : 0, done.index).join('\n') + '\n');
  })
);
