// sound_test.js ROOT PAGE
// The page plays a known sound after a click: a 441 Hz sine at half of full
// scale.  Every node the page connects to the speakers is also connected to
// an analyser, which gives the mixed output as the player hears it; its pitch
// is measured from the zero crossings, its level as the peak.  The mixer at
// full volume leaves the level as it was: within 1 dB of 0.5.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');
const { pictureBox, toPage } = require('./canvas');

const [root, file] = process.argv.slice(2);

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await page.evaluateOnNewDocument(() => {
      const connect = AudioNode.prototype.connect;
      window.vantrelAnalysers = [];
      AudioNode.prototype.connect = function (target, ...rest) {
        if (target instanceof AudioDestinationNode) {
          const analyser = target.context.createAnalyser();
          analyser.fftSize = 32768;
          connect.call(this, analyser);
          window.vantrelAnalysers.push(analyser);
        }
        return connect.call(this, target, ...rest);
      };
    });
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

    const heard = await page.evaluate(() =>
      window.vantrelAnalysers.map((a) => {
        const samples = new Float32Array(a.fftSize);
        a.getFloatTimeDomainData(samples);
        return { rate: a.context.sampleRate, state: a.context.state, samples: Array.from(samples) };
      })
    );
    assert.ok(heard.length > 0, 'the page connected nothing to the speakers');
    const playing = heard.filter((h) => Math.max(...h.samples.map(Math.abs)) > 0.01);
    assert.strictEqual(playing.length, 1, `one output carries the sound (of ${heard.length})`);
    const { rate, state, samples } = playing[0];
    assert.strictEqual(state, 'running');

    // Upward zero crossings, placed between samples, over whole periods.
    const crossings = [];
    for (let i = 1; i < samples.length; ++i)
      if (samples[i - 1] < 0 && samples[i] >= 0)
        crossings.push(i - 1 + -samples[i - 1] / (samples[i] - samples[i - 1]));
    const periods = crossings.length - 1;
    const pitch = (periods * rate) / (crossings[crossings.length - 1] - crossings[0]);
    const peak = Math.max(...samples.map(Math.abs));
    const db = 20 * Math.log10(peak / 0.5);
    console.log(`output at ${rate} Hz: pitch ${pitch.toFixed(2)} Hz over ${periods} periods,` +
      ` peak ${peak.toFixed(4)} (${db.toFixed(2)} dB from 0.5)`);
    assert.ok(Math.abs(pitch - 441) < 441 * 0.005, `pitch ${pitch} Hz, expected 441 Hz within 0.5 %`);
    assert.ok(Math.abs(db) < 1, `peak ${peak}, expected 0.5 within 1 dB`);
  })
);
