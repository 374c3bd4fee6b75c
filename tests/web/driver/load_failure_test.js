// load_failure_test.js ROOT PAGE TWIN_PAGE
// A page whose WebAssembly or data cannot load says so on the page, and
// does not hang: each of the page's .wasm and .data requests is refused in
// turn, and the page must show a message naming the failure.  A browser
// without WebAssembly SIMD (one whose WebAssembly.validate refuses SIMD) is
// told so, without fetching the .wasm it cannot compile.  TWIN_PAGE, made
// with vantrel_add_web_page, has a plain twin: such a browser runs that one
// instead, and a browser with SIMD the SIMD one, each fetching only its own.
'use strict';

const assert = require('assert');
const { withBrowser, main } = require('./browser');

const [root, file, twinFile] = process.argv.slice(2);

async function refused(session, suffix) {
  const { page } = await session.open();
  await page.setRequestInterception(true);
  let refusedOne = false;
  page.on('request', (request) => {
    if (new URL(request.url()).pathname.endsWith(suffix)) {
      refusedOne = true;
      request.respond({ status: 404, contentType: 'text/plain', body: 'not here' });
    } else {
      request.continue();
    }
  });
  await page.goto(session.url(file));
  await page.waitForFunction(
    () => {
      const failure = document.getElementById('failure');
      return failure && failure.innerText.trim().length > 0;
    },
    { timeout: 20000 }
  );
  const text = await page.$eval('#failure', (e) => e.innerText);
  assert.ok(refusedOne, `the page asked for no ${suffix} file`);
  console.log(`${suffix} refused: "${text}"`);
  await page.close();
}

async function withoutSimd(session) {
  const { page } = await session.open();
  await page.evaluateOnNewDocument(() => {
    const validate = WebAssembly.validate;
    // A SIMD instruction starts with the prefix byte 0xFD.
    WebAssembly.validate = (bytes) => !new Uint8Array(bytes).includes(0xfd) && validate(bytes);
  });
  let wasmFetched = false;
  page.on('request', (request) => {
    if (new URL(request.url()).pathname.endsWith('.wasm')) wasmFetched = true;
  });
  await page.goto(session.url(file));
  await page.waitForFunction(() => document.getElementById('failure').innerText.trim().length > 0, {
    timeout: 20000,
  });
  const text = await page.$eval('#failure', (e) => e.innerText);
  assert.match(text, /no WebAssembly SIMD/);
  assert.ok(!wasmFetched, 'the page fetched the .wasm it cannot compile');
  console.log(`without SIMD: "${text}"`);
  await page.close();
}

// The twin page runs to its "ready" line on the program the browser can
// compile: which scripts and modules it fetched, and the path it chose.
async function twinChosen(session, simd) {
  const { page, log } = await session.open();
  if (!simd)
    await page.evaluateOnNewDocument(() => {
      const validate = WebAssembly.validate;
      WebAssembly.validate = (bytes) => !new Uint8Array(bytes).includes(0xfd) && validate(bytes);
    });
  const fetched = [];
  page.on('request', (request) => {
    const name = new URL(request.url()).pathname.split('/').pop();
    if (/\.(js|wasm|data)$/.test(name)) fetched.push(name);
  });
  await page.goto(session.url(twinFile));
  await log.waitFor(/: ready/);
  const path = await page.evaluate(() => Module.vantrelCodePath);
  const base = twinFile.split('/').pop().replace(/\.html$/, '');
  const program = simd ? base : `${base}-plain`;
  console.log(`${simd ? 'with' : 'without'} SIMD: ${path} path, fetched ${fetched.join(', ')}`);
  assert.strictEqual(path, simd ? 'simd128' : 'plain');
  assert.deepStrictEqual([...fetched].sort(), [`${program}.data`, `${program}.js`, `${program}.wasm`]);
  await page.close();
}

main(() =>
  withBrowser(root, async (session) => {
    await refused(session, '.wasm');
    await refused(session, '.data');
    await withoutSimd(session);
    if (twinFile) {
      await twinChosen(session, true);
      await twinChosen(session, false);
    }
  })
);
