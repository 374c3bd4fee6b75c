// multimedia_test.js ROOT PAGE
// The page measures its multimedia calls itself (timer events, PlaySound,
// waveOut's notifications) and says "passed" or "failed"; a click in its
// canvas gives it the gesture that browsers start sound after.  What it
// measured is echoed.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');
const { canvasBox } = require('./canvas');

const [root, file] = process.argv.slice(2);

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await page.goto(session.url(file));
    await log.waitFor(/multimedia: ready for a click/, { timeout: 60000 });
    const box = await canvasBox(page);
    await page.mouse.click(box.left + box.width / 2, box.top + box.height / 2);
    const end = await log.waitFor(/multimedia: (passed|failed)/, { timeout: 60000 });
    for (const line of log.lines) if (line.startsWith('multimedia:')) console.log(line);
    assert.strictEqual(end.match[1], 'passed');
  })
);
