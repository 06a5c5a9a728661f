// The page's size, and navigation to first contentful paint against a plain page with the same
// controls and no script, in one headless Chromium, A and B taking turns.
//   node first_paint.mjs PAGE [RUNS]
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../../tests/web/chromium.mjs';

const [page_path, runs = '41'] = process.argv.slice(2);
const plain_path = new URL('plain_page.html', import.meta.url);

const contents = readFileSync(page_path);
const bytes = contents.length;
const gzipped = gzipSync(contents, { level: 9 }).length;
console.log(`page size: ${bytes} bytes (${(bytes / 1024).toFixed(1)} KiB), ` +
  `gzipped ${gzipped} bytes (${(gzipped / 1024).toFixed(1)} KiB)`);

const browser = await launchChromium();
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
