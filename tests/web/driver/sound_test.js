// sound_test.js ROOT PAGE
// The page plays a known sound after a click: a 441 Hz sine at half of full
// scale, measured where the page hands it to the speakers.  The mixer at full
// volume leaves the level as it was: within 1 dB of 0.5.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');
const { pictureBox, toPage } = require('./canvas');
const { tapSpeakers, measureSpeakers, expectTone } = require('./speakers');

const [root, file] = process.argv.slice(2);

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await tapSpeakers(page);
    await page.goto(session.url(file));
    await log.waitFor(/sound: ready/);
    const before = await page.evaluate(() => document.body.innerText);
    assert.ok(/click|press/i.test(before) && /sound/i.test(before), `the page asks for a click for sound: ${before}`);

    const picture = await pictureBox(page, 320, 200);
    const at = toPage(picture, 160, 100);
    await page.mouse.click(at.x, at.y);
    await log.waitFor(/sound: playing/, { timeout: 5000 });
    // Long enough for the analyser's window to fill with the tone.
    await new Promise((resolve) => setTimeout(resolve, 1500));
    expectTone(await measureSpeakers(page), 441, 0.5, 'the tone');
  })
);
