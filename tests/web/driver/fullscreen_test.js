// fullscreen_test.js ROOT PAGE
// A game's full-screen display mode in a page: letterboxed in the page
// until the player's first key press, which gives it the browser's full
// screen; leaving the mode leaves the browser's full screen, and taking it
// again asks on the next gesture (here a click).
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');

const [root, file] = process.argv.slice(2);

const inFullscreen = (page) => page.evaluate(() => document.fullscreenElement === document.documentElement);

async function becomes(page, wanted, what) {
  try {
    await page.waitForFunction((w) => (document.fullscreenElement === document.documentElement) === w,
      { timeout: 5000 }, wanted);
  } catch (e) {
    throw new Error(`${what}: the browser's full screen is ${wanted ? 'off' : 'still on'}`);
  }
}

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await page.goto(session.url(file));
    await log.waitFor(/fullscreen: mode set/);
    // Frames go on without a gesture: the page letterboxes the mode.
    await page.waitForFunction(() => (Module.vantrelFrames || 0) >= 10, { timeout: 20000 });
    assert.strictEqual(await inFullscreen(page), false, 'full screen taken without a gesture');
    const box = await page.evaluate(() => {
      const r = Module.canvas.getBoundingClientRect();
      return { width: r.width, height: r.height, pageWidth: innerWidth, pageHeight: innerHeight };
    });
    assert.ok(Math.abs(box.width / box.height - 320 / 240) < 0.01, `the picture's aspect: ${JSON.stringify(box)}`);
    assert.ok(box.width <= box.pageWidth && box.height <= box.pageHeight, `the picture fits: ${JSON.stringify(box)}`);

    // The first key press asks for the browser's full screen; the game
    // gets the key too.
    await page.keyboard.press('KeyA');
    await log.waitFor(/fullscreen: key vk=0x41/);
    await becomes(page, true, 'after the first key');

    // The game leaves the mode: so does the page.
    await page.keyboard.press('F2');
    await log.waitFor(/fullscreen: windowed/);
    await becomes(page, false, 'after the mode ended');

    // The mode again: asked on the next gesture, not at once.
    await page.keyboard.press('F2');
    await log.waitFor(/fullscreen: full screen/);
    assert.strictEqual(await inFullscreen(page), false, 'full screen taken again without a gesture');
    await page.mouse.click(box.pageWidth / 2, box.pageHeight / 2);
    await log.waitFor(/fullscreen: click/);
    await becomes(page, true, 'after a click');
    console.log('fullscreen: letterboxed, then the browser\'s full screen on a key and on a click');
  })
);
