// demo_button_test.js ROOT
// An image button in a page is pressed where the page shows it: the demo's
// menu button (the round image of 40x40 game pixels at 592,8), clicked at
// its centre through the DevTools protocol, opens the menu; Resume closes
// it; Escape ends the game, whose summary counts one opening of the menu.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');
const { pictureBox, toPage } = require('./canvas');

const [root] = process.argv.slice(2);

const framesShown = (page) => page.evaluate(() => Module.vantrelFrames || 0);

async function framesLater(page, count) {
  const from = await framesShown(page);
  await page.waitForFunction((n) => (Module.vantrelFrames || 0) >= n, { timeout: 30000 }, from + count);
}

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await page.goto(session.url('examples/showcase/vantrel-demo.html?VANTREL_CONFIG=ok&arg=--window'));
    // Past the title (two and a half seconds at the demo's 50 frames a second).
    await page.waitForFunction(() => (Module.vantrelFrames || 0) >= 150, { timeout: 60000 });
    const picture = await pictureBox(page, 640, 480);
    const click = async (x, y) => {
      const at = toPage(picture, x, y);
      await page.mouse.click(at.x, at.y);
      await framesLater(page, 30);
    };
    await click(612, 28); // the menu button
    await click(250, 150); // Resume, the menu's first button
    let summary = null;
    for (let i = 0; i < 5 && !summary; ++i) {
      await page.keyboard.press('Escape');
      summary = await log.waitFor(/vantrel-demo: \d+ frames.*/, { timeout: 3000 }).catch(() => null);
    }
    assert.ok(summary, 'the demo did not end on Escape');
    console.log(summary.match[0]);
    assert.match(summary.match[0], /menu opened 1 times/);
  })
);
