// input_test.js ROOT PAGE
// Keys and clicks sent through the DevTools protocol reach the game's window
// procedure (the page's console) as the right VK_* codes and game pixels,
// and a click in the letterbox reaches nothing.  Also prints the way from a
// key event to the game's WM_KEYDOWN, in milliseconds and display frames: a
// measurement for the record, not a check (timing on a shared machine).
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');
const { pictureBox, toPage } = require('./canvas');

const [root, file] = process.argv.slice(2);

// Browser key names and the virtual keys a Windows game receives for them.
const KEYS = [
  ['KeyA', 0x41],
  ['Digit7', 0x37],
  ['Space', 0x20],
  ['Enter', 0x0d],
  ['ArrowLeft', 0x25],
  ['ArrowDown', 0x28],
  ['ShiftLeft', 0x10],
  ['ControlLeft', 0x11],
  ['F2', 0x71],
  ['Escape', 0x1b],
];

// Game pixels clicked: the corners, and one inside.
const CLICKS = [
  [0, 0],
  [319, 199],
  [37, 150],
];

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    // The animation frames the page shows, counted from the first script.
    await page.evaluateOnNewDocument(() => {
      window.vantrelFrameTimes = [];
      const tick = (t) => {
        window.vantrelFrameTimes.push(t);
        requestAnimationFrame(tick);
      };
      requestAnimationFrame(tick);
      window.vantrelKeyTimes = [];
      window.addEventListener('keydown', (e) => window.vantrelKeyTimes.push(e.timeStamp), true);
    });
    await page.goto(session.url(file));
    const ready = await log.waitFor(/input: ready (\d+)x(\d+)/);
    const [width, height] = [Number(ready.match[1]), Number(ready.match[2])];
    assert.deepStrictEqual([width, height], [320, 200], 'the client area');
    const picture = await pictureBox(page, width, height);
    console.log(`picture at ${picture.left},${picture.top} scale ${picture.scale}`);

    // Each key, pressed and released; the game sees it down then up.
    for (const [code, vk] of KEYS) {
      const from = log.lines.length;
      await page.keyboard.press(code);
      const hex = vk.toString(16).toUpperCase().padStart(2, '0');
      await log.waitFor(new RegExp(`WM_KEYDOWN vk=0x${hex} `), { from, timeout: 5000 });
      await log.waitFor(new RegExp(`WM_KEYUP vk=0x${hex} `), { from, timeout: 5000 });
    }
    const typed = log.find(/WM_CHAR code=(\d+)/);
    assert.ok(typed && Number(typed.match[1]) === 'a'.charCodeAt(0), `KeyA gives WM_CHAR 'a': ${typed && typed.line}`);

    // Clicks at game pixels arrive at those pixels.
    for (const [x, y] of CLICKS) {
      const from = log.lines.length;
      const at = toPage(picture, x, y);
      await page.mouse.click(at.x, at.y);
      const down = await log.waitFor(/WM_LBUTTONDOWN x=(-?\d+) y=(-?\d+)/, { from, timeout: 5000 });
      assert.deepStrictEqual([Number(down.match[1]), Number(down.match[2])], [x, y], `a click at game pixel ${x},${y}`);
      await log.waitFor(/WM_LBUTTONUP/, { from, timeout: 5000 });
    }

    // A click in the letterbox (above the picture), then a key: the key
    // arrives and no button message comes before it.
    assert.ok(picture.top >= 20, `the page's 800x600 leaves letterbox above a 320x200 picture (top ${picture.top})`);
    const from = log.lines.length;
    await page.mouse.click(picture.left + picture.width / 2, picture.top / 2);
    await page.keyboard.press('KeyZ');
    const after = await log.waitFor(/WM_KEYDOWN vk=0x5A /, { from, timeout: 5000 });
    const stray = log.find(/WM_[LR]BUTTON/, from);
    assert.ok(!stray || stray.index > after.index, `a click in the letterbox reached the game: ${stray && stray.line}`);

    // The way from the browser's key event to the game: the event's time
    // stamp and the game's clock are both the page's performance.now().
    const keyTimes = await page.evaluate(() => window.vantrelKeyTimes);
    const frameTimes = await page.evaluate(() => window.vantrelFrameTimes);
    const seen = log.lines.filter((l) => /WM_KEYDOWN/.test(l)).map((l) => Number(/t=([\d.]+)/.exec(l)[1]));
    const frame = (frameTimes[frameTimes.length - 1] - frameTimes[0]) / (frameTimes.length - 1);
    const delays = seen.slice(0, keyTimes.length).map((t, i) => t - keyTimes[i]);
    const worst = Math.max(...delays);
    const mean = delays.reduce((a, b) => a + b, 0) / delays.length;
    console.log(`key to WM_KEYDOWN over ${delays.length} keys: mean ${mean.toFixed(2)} ms,` +
      ` worst ${worst.toFixed(2)} ms; a frame is ${frame.toFixed(2)} ms:` +
      ` mean ${(mean / frame).toFixed(2)}, worst ${(worst / frame).toFixed(2)} frames`);
  })
);
