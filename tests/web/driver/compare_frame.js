// compare_frame.js ROOT PAGE NATIVE_FRAME.bmp [DONE_PATTERN] [TOLERANCE]
// The picture a page shows against the native run's frame of the same run:
// opens PAGE in ROOT (the page and the query that ask for the run, e.g.
// showcase.html?--auto&--frames=300),
// waits until the console matches DONE_PATTERN (default: the program's
// exit), screenshots the picture and takes the centre of each game pixel
// (the page scales by whole multiples, nearest neighbour), and compares it
// with the BMP the native headless run wrote for that frame.  Passes when
// no channel of any pixel differs by more than TOLERANCE (default 0).
'use strict';

const assert = require('assert');
const fs = require('fs');
const { withBrowser, main } = require('./browser');
const { pictureBox } = require('./canvas');
const { readBmp, readPng } = require('./images');

const [root, file, nativePath, donePattern = 'exit', tolerance = '0'] = process.argv.slice(2);

main(() =>
  withBrowser(root, async (session) => {
    const native = readBmp(fs.readFileSync(nativePath));
    const { page, log } = await session.open();
    await page.goto(session.url(file));
    await log.waitFor(new RegExp(donePattern), { timeout: 300000 });
    const picture = await pictureBox(page, native.width, native.height);
    assert.ok(Number.isInteger(picture.scale), `the picture is not at a whole multiple (${picture.scale})`);
    const shot = readPng(Buffer.from(await page.screenshot({ type: 'png', encoding: 'binary' })));

    let differing = 0;
    let worst = 0;
    for (let y = 0; y < native.height; ++y) {
      for (let x = 0; x < native.width; ++x) {
        const sx = Math.floor(picture.left + (x + 0.5) * picture.scale);
        const sy = Math.floor(picture.top + (y + 0.5) * picture.scale);
        const s = (sy * shot.width + sx) * 4;
        const n = (y * native.width + x) * 4;
        let d = 0;
        for (let c = 0; c < 3; ++c) d = Math.max(d, Math.abs(shot.pixels[s + c] - native.pixels[n + c]));
        if (d > Number(tolerance)) ++differing;
        worst = Math.max(worst, d);
      }
    }
    console.log(`${native.width}x${native.height} at scale ${picture.scale}: ${differing} pixels differ by more` +
      ` than ${tolerance}; the largest difference is ${worst}`);
    assert.strictEqual(differing, 0);
  })
);
