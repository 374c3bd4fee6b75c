// port_test.js ROOT NATIVE_PORT
// The Windows-form port (examples/win32_port) in a page, built from its
// unchanged source, plays to its end as the native program run headless
// does, with the same summary line.  On its way it reads and writes the
// registry, shows its start box (closed by the box's own timer), reads the
// keyboard through DirectInput, is paced by a periodic multimedia timer it
// waits for with MsgWaitForMultipleObjects, and plays its exit sound from
// its resources.
//
// The page has a player, so the library's configuration dialog (shown by
// the port's display setup) waits for a click there, as natively with a
// screen; VANTREL_CONFIG=ok answers it as the headless run does.
'use strict';

const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { withBrowser, main } = require('./browser');
const { readPng } = require('./images');

const [root, nativePort] = process.argv.slice(2);
const SUMMARY = /MAZERUN: (\d+) frames, exit (?:not )?reached/;
const KEPT_FRAME = 100;
// The maze's wall and floor colours (the port's packColor calls).
const WALL = [90, 60, 40];
const FLOOR = [20, 20, 40];

// The native program, headless, in a folder with the port's data and a
// Windows folder (its registry) of its own.
function runNative() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-port-'));
  const source = path.dirname(nativePort);
  fs.cpSync(path.join(source, 'data'), path.join(folder, 'data'), { recursive: true });
  fs.copyFileSync(path.join(source, 'port.ini'), path.join(folder, 'port.ini'));
  const env = { ...process.env, VANTREL_VIDEO: 'headless', VANTREL_AUDIO: 'headless',
    VANTREL_WINDOWS_DIR: path.join(folder, 'windows') };
  delete env.DISPLAY;
  delete env.WAYLAND_DISPLAY;
  const out = execFileSync(nativePort, [], {
    cwd: folder, env, encoding: 'utf8', timeout: 120000, stdio: ['ignore', 'pipe', 'pipe'],
  });
  fs.rmSync(folder, { recursive: true, force: true });
  return SUMMARY.exec(out)[0];
}

// How many of the picture's pixels show `colour` (within a 16-bit frame's
// rounding).
function countColour(picture, colour) {
  let n = 0;
  for (let i = 0; i < picture.pixels.length; i += 4)
    if (colour.every((v, c) => Math.abs(picture.pixels[i + c] - v) <= 8)) ++n;
  return n;
}

main(() =>
  withBrowser(root, async (session) => {
    const native = runNative();
    const { page, log } = await session.open();
    const address = session.url(`examples/win32_port/mazerun.html?VANTREL_CONFIG=ok&VANTREL_FRAMES=${KEPT_FRAME}` +
      '&VANTREL_TRACE=kernel');
    await page.goto(address);
    const first = await log.waitFor(SUMMARY, { timeout: 60000 });
    console.log(`native: ${native}\npage:   ${first.match[0]}`);
    assert.strictEqual(first.match[0], native);
    assert.ok(!log.find(/did not save|did not answer|gave back no/), 'the browser\'s storage failed');

    // Every frame reached the canvas, and it shows the maze.
    const shown = await page.evaluate(() => Module.vantrelFrames);
    assert.ok(shown >= Number(first.match[1]), `${shown} presents reached the canvas`);
    const image = await page.evaluate(() => Module.vantrelFrameImage);
    assert.ok(image, 'the page kept no frame');
    const frame = readPng(Buffer.from(image.split(',')[1], 'base64'));
    const area = frame.width * frame.height;
    const walls = countColour(frame, WALL), floor = countColour(frame, FLOOR);
    console.log(`frame ${KEPT_FRAME}: ${walls} wall and ${floor} floor pixels of ${area}`);
    assert.ok(walls > area / 20 && floor > area / 20, 'the canvas does not show the maze');

    // The registry is a file under the Windows folder, which the browser's
    // storage keeps: the next visit finds the run counted there.
    assert.ok(!log.find(/RegQueryValueExA\(.*"Runs"\) -> 0/), 'a fresh profile has a count of runs');
    await new Promise((resolve) => setTimeout(resolve, 500));
    await page.reload();
    const second = await log.waitFor(SUMMARY, { from: first.index + 1, timeout: 60000 });
    assert.strictEqual(second.match[0], native);
    assert.ok(log.find(/RegQueryValueExA\(.*"Runs"\) -> 0/, first.index + 1), 'the reloaded page has no count of runs');
  })
);
