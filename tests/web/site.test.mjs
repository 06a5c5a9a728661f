// The page as hosts serve it, in Debian's Chromium: the one file asks for nothing after it has come,
// and the site, served from 127.0.0.1, plays under a strict Content-Security-Policy, can be
// installed, plays again with its host gone, and takes a new version.
//   VELMORA_PAGE=/path/to/velmora.html VELMORA_SITE=/path/to/site node --test site.test.mjs

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launchChromium, until } from './chromium.mjs';
import { host } from './host.mjs';

const strict = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self' data:";

let browser;
before(async () => { browser = await launchChromium(); });
after(async () => browser?.close());

// A page that keeps every console error and warning and every request it makes.
async function watched() {
  const page = await browser.newPage();
  page.said = [];
  page.requests = [];
  page.on('console', (message) => { if (['error', 'warn'].includes(message.type())) page.said.push(message.text()); });
  page.on('pageerror', (error) => page.said.push(String(error)));
  page.on('request', (request) => page.requests.push(request.url()));
  return page;
}

// Runs a test on a watched page with a site hosted (with the policy, if any), and ends both.
async function onSite(policy, body, folder = process.env.VELMORA_SITE) {
  const server = await host(folder, policy);
  const page = await watched();
  try {
    await body(page, server.url, server);
  } finally {
    await page.close();
    server.end();
  }
}

const ready = (page) => until(page, () => document.documentElement.dataset.game === 'ready');
const digits = (page) => page.evaluate(() => ['Label1', 'Label2', 'Label3'].map((id) => document.getElementById(id).textContent));

// What a player downloads, in bytes as it lies and as a host sends it gzipped: the one file, and each
// of the site's files but its icons (which the browser asks for only to install it).
test('the one file and each of the site\'s files stay within 64 KiB, and 32 KiB gzipped', () => {
  const site = readdirSync(process.env.VELMORA_SITE).filter((name) => !name.endsWith('.png'))
    .map((name) => join(process.env.VELMORA_SITE, name));
  for (const file of [process.env.VELMORA_PAGE, ...site]) {
    const bytes = readFileSync(file);
    assert.ok(bytes.length <= 64 * 1024, `${file}: ${bytes.length} bytes`);
    assert.ok(gzipSync(bytes, { level: 9 }).length <= 32 * 1024, `${file}: ${gzipSync(bytes, { level: 9 }).length} bytes gzipped`);
  }
});

test('the one file plays under its own policy and asks for nothing after it has come', async () => {
  const page = await watched();
  await page.goto(pathToFileURL(process.env.VELMORA_PAGE).href);
  await ready(page);
  await page.keyboard.press(' ');
  assert.deepEqual(await digits(page), ['7', '5', '5']);
  assert.equal(page.requests.length, 1, page.requests.join('\n')); // the page itself
  assert.deepEqual(page.said, []);
  assert.match(await page.$eval('meta[http-equiv=Content-Security-Policy]', (meta) => meta.content), /^default-src 'none'/);
  await page.close();
});

test('the site plays under a strict policy, is installable, downloads its module once, and plays offline with its host gone',
  () => onSite(strict, async (page, url, server) => {
    await page.goto(url);
    await ready(page);
    await page.keyboard.press(' ');
    assert.deepEqual(await digits(page), ['7', '5', '5']);
    await until(page, () => navigator.serviceWorker.controller !== null);
    const client = await page.createCDPSession();
    const { installabilityErrors } = await client.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const { url: manifest } = await client.send('Page.getAppManifest');
    assert.match(manifest, /manifest\.webmanifest$/);
    assert.equal(server.asked['/velmora.wasm'], 1, 'module downloads on the first visit');

    server.end();
    await page.reload();
    await ready(page);
    await page.keyboard.press(' ');
    assert.deepEqual(await digits(page), ['7', '5', '5']);
    assert.deepEqual(page.said, []);
  }));

test('a new version of the site takes over once the page is reloaded, with no tab closed, and plays offline', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'velmora-site-'));
  cpSync(process.env.VELMORA_SITE, folder, { recursive: true });
  try {
    await onSite(undefined, async (page, url, server) => {
      await page.goto(url);
      await ready(page);
      await until(page, () => navigator.serviceWorker.controller !== null);
      // The next version, as the build would write it: a page that says so, and a worker of its own name.
      const edit = (name, change) => writeFileSync(join(folder, name), change(readFileSync(join(folder, name), 'utf8')));
      edit('index.html', (text) => text.replace('<main>', '<main data-version="2">'));
      edit('sw.js', (text) => text.replace(/const version = '[^']*'/, "const version = 'velmora-2'"));
      await page.reload();
      await ready(page);
      await until(page, async () => (await caches.keys()).join() === 'velmora-2');
      await page.reload();
      await ready(page);
      // The new version was installed with no module handed over by the page: it keeps every file
      // itself, so the site still plays with its host gone.
      server.end();
      await page.reload();
      await ready(page);
      assert.equal(await page.$eval('main', (main) => main.dataset.version), '2');
      await page.keyboard.press(' ');
      assert.deepEqual(await digits(page), ['7', '5', '5']);
      assert.deepEqual(page.said, []);
    }, folder);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

test('on the site, presses before the module has come are played in their order once it has: one deal, then the end', () => onSite(undefined, async (page, url) => {
  let letGo;
  const held = new Promise((resolve) => { letGo = resolve; });
  await page.setRequestInterception(true);
  page.on('request', (request) => (request.url().endsWith('.wasm') ? held.then(() => request.continue()) : request.continue()));
  await page.goto(url);
  await page.click('#Command1');
  await page.keyboard.press(' ');
  await page.click('#Command1');
  await page.click('#Command2');
  assert.deepEqual(await digits(page), ['', '', '']);
  letGo();
  await ready(page);
  assert.deepEqual(await digits(page), ['7', '5', '5']);
  assert.equal(await page.$eval('#ended', (line) => line.hidden), false); // the tab has a history: it stays
  assert.deepEqual(page.said, ['Scripts may close only the windows that were opened by them.']); // Chromium's, as it keeps it
}));
