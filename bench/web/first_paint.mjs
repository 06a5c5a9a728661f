// The page's size, and navigation to first contentful paint against a plain page with the same
// controls and no script, in one headless Chromium, A and B taking turns.
//   node first_paint.mjs PAGE [RUNS]
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const require = createRequire(new URL('../../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const [page_path, runs = '41'] = process.argv.slice(2);
const plain_path = new URL('plain_page.html', import.meta.url);

const bytes = readFileSync(page_path);
console.log(`page size: ${bytes.length} bytes (${(bytes.length / 1024).toFixed(1)} KiB), ` +
  `gzipped ${gzipSync(bytes, { level: 9 }).length} bytes (${(gzipSync(bytes, { level: 9 }).length / 1024).toFixed(1)} KiB)`);

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-dev-shm-usage', '--disable-gpu', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
async function firstPaint(url) {
  const page = await browser.newPage();
  await page.goto(url);
  const ms = await page.evaluate(() => new Promise((resolve) => {
    const found = () => performance.getEntriesByName('first-contentful-paint')[0];
    if (found()) return resolve(found().startTime);
    new PerformanceObserver(() => found() && resolve(found().startTime)).observe({ type: 'paint', buffered: true });
  }));
  await page.close();
  return ms;
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const a = [];
const b = [];
for (let run = 0; run < Number(runs); run++) {
  a.push(await firstPaint(pathToFileURL(page_path).href));
  b.push(await firstPaint(plain_path.href));
}
await browser.close();
console.log(`first contentful paint, ms: page ${median(a).toFixed(1)}, plain ${median(b).toFixed(1)}, ` +
  `A / B ${(median(a) / median(b)).toFixed(3)} (medians of ${runs} runs, alternating A B)`);
