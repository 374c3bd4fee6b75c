// settings_test.js ROOT PAGE
// A settings file the game writes is there on the next visit: the page
// counts its visits in an INI file (WritePrivateProfileStringA), and the
// browser's storage keeps it across a reload and across a new tab.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');

const [root, file] = process.argv.slice(2);
const VISIT = /settings: read (\d+), wrote (\d+) \((\w+)\)/;

main(() =>
  withBrowser(root, async (session) => {
    const { page, log } = await session.open();
    await page.goto(session.url(file));
    const first = await log.waitFor(VISIT);
    assert.deepStrictEqual(first.match.slice(1), ['0', '1', 'done'], 'a fresh profile has no settings');

    // The page saves after the write, while the program ends; a reload a
    // little later finds it saved.
    await new Promise((resolve) => setTimeout(resolve, 500));
    await page.reload();
    const second = await log.waitFor(VISIT, { from: first.index + 1 });
    assert.deepStrictEqual(second.match.slice(1), ['1', '2', 'done'], 'the reloaded page reads what it wrote');

    await new Promise((resolve) => setTimeout(resolve, 500));
    const other = await session.open();
    await other.page.goto(session.url(file));
    const third = await other.log.waitFor(VISIT);
    assert.deepStrictEqual(third.match.slice(1), ['2', '3', 'done'], 'a new tab reads the same storage');
  })
);
