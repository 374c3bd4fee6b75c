// What a page sends to the speakers, as the player hears it.  Every node the
// page connects to the speakers is also connected to an analyser; a
// measurement takes the one output that carries sound and gives its pitch,
// from the upward zero crossings over whole periods, and its peak.
'use strict';

const assert = require('assert');

// Before the page loads: tap every connection to the speakers.
async function tapSpeakers(page) {
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
}

// The last 32768 samples sent to the speakers:
// { rate, pitch, peak, periods, dropouts }.
async function measureSpeakers(page) {
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

  const crossings = [];
  for (let i = 1; i < samples.length; ++i)
    if (samples[i - 1] < 0 && samples[i] >= 0)
      crossings.push(i - 1 + -samples[i - 1] / (samples[i] - samples[i - 1]));
  // Headless chromium's output without a sound device now and then loses a
  // render quantum (128 frames) on a busy machine, seen once in about a
  // dozen runs: a period that far from the usual is a dropout, not the
  // sound's pitch.  The pitch is measured over the regular periods; the
  // dropouts are counted.
  const spans = [];
  for (let i = 1; i < crossings.length; ++i) spans.push(crossings[i] - crossings[i - 1]);
  const usual = [...spans].sort((a, b) => a - b)[spans.length >> 1];
  const regular = spans.filter((span) => Math.abs(span - usual) < usual * 0.05);
  const periods = regular.length;
  const pitch = (periods * rate) / regular.reduce((sum, span) => sum + span, 0);
  const peak = Math.max(...samples.map(Math.abs));
  return { rate, pitch, peak, periods, dropouts: spans.length - periods };
}

// Asserts a sine of `pitch` Hz within 0.5 % at a peak of `level` within 1 dB,
// with at most one dropout.
function expectTone(heard, pitch, level, what) {
  const db = 20 * Math.log10(heard.peak / level);
  console.log(`${what}: output at ${heard.rate} Hz, pitch ${heard.pitch.toFixed(2)} Hz over ` +
    `${heard.periods} periods, peak ${heard.peak.toFixed(4)} (${db.toFixed(2)} dB from ${level}), ` +
    `${heard.dropouts} dropouts`);
  assert.ok(heard.dropouts <= 1, `${what}: ${heard.dropouts} dropouts in ${heard.periods} periods`);
  assert.ok(Math.abs(heard.pitch - pitch) < pitch * 0.005,
    `${what}: pitch ${heard.pitch} Hz, expected ${pitch} Hz within 0.5 %`);
  assert.ok(Math.abs(db) < 1, `${what}: peak ${heard.peak}, expected ${level} within 1 dB`);
}

module.exports = { tapSpeakers, measureSpeakers, expectTone };
