// Debian's chromium, headless, driven through the DevTools protocol by
// puppeteer-core (which downloads no browser of its own), opening pages of the
// web build from a static server on 127.0.0.1.
//
// The server is the test stage's when VANTREL_WEB_URL names it (one server for
// every test); otherwise each test starts its own on a free port, so a test
// also runs alone from ctest.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.VANTREL_CHROMIUM || '/usr/bin/chromium';

// Without a GPU, WebGL needs chromium's software rasteriser, which it no
// longer falls back to unasked; the rest keeps a fresh profile quiet.
const CHROMIUM_FLAGS = [
  '--no-sandbox',
  '--disable-gpu',
  '--enable-unsafe-swiftshader',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
];

// Serves `root` with python's http.server on a port it picks; resolves to
// the base URL and a function that stops it.
function serve(root) {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root], {
      stdio: ['ignore', 'pipe', 'pipe'],
    });
    let said = '';
    const onData = (chunk) => {
      said += chunk;
      const m = /port (\d+)/.exec(said);
      if (m) {
        server.stdout.off('data', onData);
        server.stdout.resume();
        server.stderr.resume();
        resolve({ base: `http://127.0.0.1:${m[1]}/`, stop: () => server.kill() });
      }
    };
    server.stdout.on('data', onData);
    server.on('error', reject);
    server.on('exit', (code) => reject(new Error(`the static server ended (${code}): ${said}`)));
  });
}

// A page's console, kept as lines, with waits for a line that matches.
class ConsoleLog {
  constructor(page) {
    this.lines = [];
    this.waiters = [];
    page.on('console', (message) => this.add(message.text()));
    page.on('pageerror', (error) => this.add(`pageerror: ${error.message}`));
  }

  add(text) {
    for (const line of text.split('\n')) {
      this.lines.push(line);
      if (process.env.VANTREL_WEB_VERBOSE) console.log(`  page: ${line}`);
    }
    this.waiters = this.waiters.filter((w) => !w.check());
  }

  // The first line from `from` on that matches, or null.
  find(pattern, from = 0) {
    for (let i = from; i < this.lines.length; ++i) {
      const m = pattern.exec(this.lines[i]);
      if (m) return { index: i, match: m, line: this.lines[i] };
    }
    return null;
  }

  // Resolves to find(pattern, from) once a line matches; rejects after
  // `timeout` ms with the log so far.
  waitFor(pattern, { from = 0, timeout = 30000 } = {}) {
    return new Promise((resolve, reject) => {
      const waiter = {
        check: () => {
          const found = this.find(pattern, from);
          if (!found) return false;
          clearTimeout(waiter.timer);
          resolve(found);
          return true;
        },
      };
      if (waiter.check()) return;
      waiter.timer = setTimeout(() => {
        this.waiters = this.waiters.filter((w) => w !== waiter);
        const said = this.lines.join('\n');
        reject(new Error(`no console line matched ${pattern} within ${timeout} ms; the log:\n${said}`));
      }, timeout);
      this.waiters.push(waiter);
    });
  }
}

// Starts the browser (and a server when the stage gives none) for the web
// build in `root`; `run(session)` gets { browser, url(pathInRoot), open() }.
async function withBrowser(root, run) {
  const server = process.env.VANTREL_WEB_URL ? null : await serve(root);
  const base = process.env.VANTREL_WEB_URL || server.base;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [...CHROMIUM_FLAGS, `--user-data-dir=${profile}`],
    defaultViewport: { width: 800, height: 600 },
  });
  try {
    const session = {
      browser,
      url: (file) => new URL(file, base).href,
      // A new tab whose console is recorded from its first line.
      open: async () => {
        const page = await browser.newPage();
        return { page, log: new ConsoleLog(page) };
      },
    };
    return await run(session);
  } finally {
    await browser.close();
    if (server) server.stop();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

// Runs a test's main: its failure (an exception) ends node with status 1
// and the message.
function main(body) {
  body().then(
    () => process.exit(0),
    (error) => {
      console.error(error && error.stack ? error.stack : error);
      process.exit(1);
    }
  );
}

module.exports = { withBrowser, main };
