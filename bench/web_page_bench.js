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
    // The program's standard output only (console.log): what it writes to
    // standard error (console.warn and console.error) is not part of the
    // benchmark's report, and would break its JSON.
    const output = [];
    page.on('console', (message) => {
      if (message.type() === 'log') output.push(...message.text().split('\n'));
    });
    await page.goto(session.url(file));
    await log.waitFor(/^vantrel-bench: done$/, { timeout: 600000 });
    const done = output.lastIndexOf('vantrel-bench: done');
    // From the JSON's first line when it writes JSON, so that the page's
    // other messages stay out of it.
    const json = output.indexOf('{');
    process.stdout.write(output.slice(json >= 0 ? json : 0, done).join('\n') + '\n');
  })
);
