// demo_frame_test.js ROOT NATIVE_DEMO FRAMES
// The demo's automatic run in a page against the same run natively: the
// native program (NATIVE_DEMO, run headless) writes its frame FRAMES with
// --screenshot, the page keeps its canvas as that frame reaches it
// (VANTREL_FRAMES), and the two must show the same picture and end with the
// same summary line (hero, shots, hits, music source).
//
// Both run the display full screen at 16 bits.  The page's first present is
// the display's clear, before the game's first frame, so the game's frame N
// is the page's present N + 1.  The screenshot widens each 16-bit colour by
// shifting it (0x1F -> 0xF8), the present by repeating its top bits
// (0x1F -> 0xFF): each canvas pixel must be exactly the native pixel's 16-bit
// colour widened the present's way.  The one part left out is the number of
// frames per second the status line shows, which each run measures for
// itself (two native runs differ there too): the line's first 320 pixels.
'use strict';

const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { withBrowser, main } = require('./browser');
const { readBmp, readPng } = require('./images');

const [root, nativeDemo, framesText] = process.argv.slice(2);
const frames = Number(framesText);
const MEASURED = { left: 0, top: 26, right: 320, bottom: 42 }; // "NN fps  16-bit  music: ..."

// The colour a 16-bit pixel shows once the present widens it, from the
// screenshot's shifted 8 bits.
function widened(r, g, b) {
  const r5 = r >> 3, g6 = g >> 2, b5 = b >> 3;
  return [(r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2)];
}

function runNative() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-demo-frame-'));
  const shot = path.join(folder, 'frame.bmp');
  const env = { ...process.env, VANTREL_VIDEO: 'headless' };
  delete env.DISPLAY;
  delete env.WAYLAND_DISPLAY;
  const out = execFileSync(nativeDemo, ['--frames', String(frames), '--screenshot', shot], {
    cwd: folder, env, encoding: 'utf8', timeout: 120000,
  });
  const picture = readBmp(fs.readFileSync(shot));
  fs.rmSync(folder, { recursive: true, force: true });
  return { picture, summary: /vantrel-demo: .*/.exec(out)[0] };
}

main(() =>
  withBrowser(root, async (session) => {
    const native = runNative();
    const { page, log } = await session.open();
    await page.goto(session.url(`examples/showcase/vantrel-demo.html?VANTREL_CONFIG=ok&arg=--frames&arg=${frames}` +
      `&VANTREL_FRAMES=${frames + 1}`));
    const summary = (await log.waitFor(/vantrel-demo: \d+ frames.*/, { timeout: 120000 })).match[0];
    const image = await page.evaluate(() => Module.vantrelFrameImage);
    assert.ok(image, 'the page kept no frame');
    const shot = readPng(Buffer.from(image.split(',')[1], 'base64'));
    console.log(`native: ${native.summary}\npage:   ${summary}`);
    assert.strictEqual(summary, native.summary);

    // The picture in the canvas: at whole multiples when they fit, centred.
    const { width, height } = native.picture;
    const fit = Math.min(shot.width / width, shot.height / height);
    const scale = fit >= 1 ? Math.floor(fit) : fit;
    const left = (shot.width - width * scale) / 2;
    const top = (shot.height - height * scale) / 2;
    let differing = 0;
    let compared = 0;
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        if (x >= MEASURED.left && x < MEASURED.right && y >= MEASURED.top && y < MEASURED.bottom) continue;
        const sx = Math.floor(left + (x + 0.5) * scale);
        const sy = Math.floor(top + (y + 0.5) * scale);
        const s = (sy * shot.width + sx) * 4;
        const n = (y * width + x) * 4;
        const want = widened(native.picture.pixels[n], native.picture.pixels[n + 1], native.picture.pixels[n + 2]);
        ++compared;
        if (want.some((v, c) => v !== shot.pixels[s + c])) ++differing;
      }
    }
    console.log(`frame ${frames}, ${width}x${height} at scale ${scale} in a ${shot.width}x${shot.height} canvas: ` +
      `${differing} of ${compared} pixels differ`);
    assert.strictEqual(differing, 0);
  })
);
