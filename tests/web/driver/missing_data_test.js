// missing_data_test.js ROOT PAGE CODE TEXT...
// A game whose data are missing takes its own error path in a page: the
// game ends with exit code CODE, the page shows each TEXT (what the library
// and the game said on standard error), and nothing hangs.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');

const [root, file, codeText, ...texts] = process.argv.slice(2);

main(() =>
  withBrowser(root, async (session) => {
    const { page } = await session.open();
    await page.goto(session.url(file));
    await page.waitForFunction(() => Module.vantrelExitCode !== undefined, { timeout: 60000 });
    const code = await page.evaluate(() => Module.vantrelExitCode);
    const shown = await page.$eval('#failure', (e) => e.innerText);
    console.log(`exit code ${code}; the page says: "${shown}"`);
    assert.strictEqual(code, Number(codeText), 'the exit code the game returned');
    for (const text of texts) assert.ok(shown.includes(text), `the page does not say "${text}"`);
  })
);
