// cd_tracks_test.js ROOT PAGE
// The page's disc holds an Ogg Vorbis track (441 Hz at 44.1 kHz) and a FLAC
// track (600 Hz at 48 kHz), four seconds of a sine at half of full scale
// each.  Their lengths come from the files; each click plays the next track,
// whose pitch and level are measured where the page hands it to the
// speakers (the FLAC track resampled to the device's rate on the way).
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');
const { pictureBox, toPage } = require('./canvas');
const { tapSpeakers, measureSpeakers, expectTone } = require('./speakers');

const [root, file] = process.argv.slice(2);
const settle = () => new Promise((resolve) => setTimeout(resolve, 1500));

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await tapSpeakers(page);
    await page.goto(session.url(file));
    await log.waitFor(/cd: ready/);
    for (const line of [/cd: 2 tracks/, /cd: track 1 is 0:04\.00/, /cd: track 2 is 0:04\.00/])
      assert.ok(log.find(line), `the page said ${line}:\n${log.lines.join('\n')}`);

    const picture = await pictureBox(page, 320, 200);
    const at = toPage(picture, 160, 100);
    await page.mouse.click(at.x, at.y);
    await log.waitFor(/cd: playing track 1/, { timeout: 5000 });
    await settle();
    expectTone(await measureSpeakers(page), 441, 0.5, 'track 1 (Ogg Vorbis)');

    await page.mouse.click(at.x, at.y);
    await log.waitFor(/cd: playing track 2/, { timeout: 5000 });
    await settle();
    expectTone(await measureSpeakers(page), 600, 0.5, 'track 2 (FLAC)');
  })
);
