// The page against its floor (floor.mjs) in one headless Chromium, A and B taking turns: the sizes,
// and from navigation to first contentful paint and to playable (the first click on "Neues Spiel"
// that deals), at full speed and with the processor slowed four times (a mid-range phone), for the
// one-file page from disk and for the site from a local host, at a first visit and at a repeat visit
// (served by its worker; the floor's by the browser's cache).
//   node page.mjs PAGE SITE_DIR [RUNS]
import { mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launchChromium } from '../../tests/web/chromium.mjs';
import { host } from '../../tests/web/host.mjs';
import { load, median, writeFloor } from './floor.mjs';

const [pagePath, site, runs = '15'] = process.argv.slice(2);
const kib = (bytes) => `${bytes} bytes (${(bytes / 1024).toFixed(1)} KiB)`;
const sizes = (files) => {
  const contents = files.map((file) => readFileSync(file));
  return [contents.reduce((sum, bytes) => sum + bytes.length, 0),
    contents.reduce((sum, bytes) => sum + gzipSync(bytes, { level: 9 }).length, 0)];
};
const [pageBytes, pageGzipped] = sizes([pagePath]);
console.log(`page size: ${kib(pageBytes)}, gzipped ${kib(pageGzipped)}; goals 64 KiB and 32 KiB: ` +
  `${(pageBytes / 65536).toFixed(2)} and ${(pageGzipped / 32768).toFixed(2)}`);
const siteFiles = readdirSync(site).filter((name) => !name.endsWith('.png')).map((name) => join(site, name));
const [siteBytes, siteGzipped] = sizes(siteFiles);
console.log(`site's files but the icons: ${kib(siteBytes)}, each gzipped ${kib(siteGzipped)}`);


const browser = await launchChromium();
const scratch = mkdtempSync(join(tmpdir(), 'velmora-bench-'));
const servers = [];
try {
  const pageUrl = pathToFileURL(pagePath).href;
  const floorUrl = pathToFileURL(await writeFloor(browser, pageUrl, scratch)).href;
  servers.push(await host(site), await host(scratch));
  const [siteUrl, floorSiteUrl] = servers.map((server) => server.url);

  // One visit in a fresh browser profile; a repeat visit comes after a first one that the site's worker
  // has taken over (the floor's after a first one that filled the cache).
  async function visit(url, slowdown, repeat) {
    const context = await browser.createBrowserContext();
    try {
      if (repeat) {
        const first = await context.newPage();
        await load(first, url);
        if (url === siteUrl) {
          await first.evaluate(() => new Promise((resolve) => {
            const check = () => (navigator.serviceWorker.controller ? resolve() : setTimeout(check, 20));
            check();
          }));
        }
        await first.close();
      }
      return await load(await context.newPage(), url, slowdown);
    } finally {
      await context.close();
    }
  }

  const rows = [
    ['the one file, from disk', pageUrl, floorUrl, false],
    ['the site, first visit', siteUrl, floorSiteUrl, false],
    ['the site, repeat visit', siteUrl, floorSiteUrl, true],
  ];
  console.log(`medians of ${runs} runs, A (the page) and B (the floor) alternating; ms`);
  for (const slowdown of [1, 4]) {
    for (const [name, a, b, repeat] of rows) {
      const timings = { a: [], b: [] };
      for (let run = 0; run < Number(runs); run++) {
        timings.a.push(await visit(a, slowdown, repeat));
        timings.b.push(await visit(b, slowdown, repeat));
      }
      const dealt = [...new Set([...timings.a, ...timings.b].map((timing) => timing.digits))];
      if (dealt.length !== 1) throw new Error(`the page and its floor dealt different first games: ${dealt.join(', ')}`);
      for (const measure of ['paint', 'dealt']) {
        const [ma, mb] = [median(timings.a.map((t) => t[measure])), median(timings.b.map((t) => t[measure]))];
        console.log(`${name}, processor ${slowdown}x, ${measure === 'paint' ? 'first contentful paint' : 'playable'}: ` +
          `page ${ma.toFixed(1)}, floor ${mb.toFixed(1)}, A / B ${(ma / mb).toFixed(3)} ` +
          `(goal ${measure === 'paint' ? '1.05' : '1.2'})`);
      }
    }
  }
} finally {
  for (const server of servers) server.end();
  await browser.close();
  rmSync(scratch, { recursive: true });
}
