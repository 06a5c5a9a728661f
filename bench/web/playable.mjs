// Navigation to the first click that deals, for the page against a plain page with the same controls
// and a few hand-written lines that deal, in one headless Chromium, A and B taking turns; then, with
// the processor slowed down four times (a mid-range phone), the time from first paint to playable.
// From the start, the page is clicked on "Neues Spiel" every millisecond; the moment the first digit
// is put into its box is the moment it became playable.
//   node playable.mjs PAGE [RUNS]
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../../tests/web/chromium.mjs';

const [page_path, runs = '21'] = process.argv.slice(2);
// The floor: the plain page with the hand-written lines that deal inside it.
const plain_path = join(mkdtempSync(join(tmpdir(), 'velmora-playable-')), 'plain_page.html');
writeFileSync(plain_path, readFileSync(new URL('plain_page.html', import.meta.url), 'utf8')
  .replace('</body>', () => `<script>\n${readFileSync(new URL('plain_deal.js', import.meta.url), 'utf8')}</script>\n</body>`));
const plain_url = pathToFileURL(plain_path).href;

const browser = await launchChromium();
async function playable(url, slowdown = 1) {
  const page = await browser.newPage();
  const client = await page.createCDPSession();
  await client.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
  await page.evaluateOnNewDocument(() => {
    // The moment the first digit is in its box, taken as soon as the handler that put it there returns.
    new MutationObserver((changes, observer) => {
      if (!document.getElementById('Label1')?.textContent) return;
      window.dealtAt = performance.now();
      observer.disconnect();
    }).observe(document, { subtree: true, childList: true, characterData: true });
    const poke = () => {
      if (window.dealtAt !== undefined) return;
      document.getElementById('Command1')?.click();
      setTimeout(poke, 1);
    };
    poke();
  });
  await page.goto(url);
  const [dealt, paint] = await page.evaluate(() => new Promise((resolve) => {
    const wait = () => {
      const paint = performance.getEntriesByName('first-contentful-paint')[0];
      if (window.dealtAt !== undefined && paint) resolve([window.dealtAt, paint.startTime]);
      else setTimeout(wait, 5);
    };
    wait();
  }));
  await page.close();
  return { dealt, paint };
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const a = [];
const b = [];
for (let run = 0; run < Number(runs); run++) {
  a.push((await playable(pathToFileURL(page_path).href)).dealt);
  b.push((await playable(plain_url)).dealt);
}
console.log(`navigation to the first deal, ms: page ${median(a).toFixed(1)}, plain ${median(b).toFixed(1)}, ` +
  `A / B ${(median(a) / median(b)).toFixed(3)} (medians of ${runs} runs, alternating A B)`);
const slow = [];
for (let run = 0; run < Math.min(Number(runs), 7); run++) {
  const { dealt, paint } = await playable(pathToFileURL(page_path).href, 4);
  slow.push(dealt - paint);
}
console.log(`first paint to playable, processor slowed 4 times: ${median(slow).toFixed(1)} ms (median of ${slow.length})`);
await browser.close();
rmSync(dirname(plain_path), { recursive: true });
