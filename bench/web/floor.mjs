// The floor the page is held against, and how a page is loaded and timed, for page.mjs and trace.mjs.
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

// Runs in each page before its own scripts: clicks "Neues Spiel" every millisecond from the start and
// keeps the moment the first digit is put into its box (window.dealtAt), as soon as the handler that
// put it there returns.
export function pokeUntilDealt() {
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
}

// Loads url in page (processor slowed by slowdown) with the pokes, and returns the milliseconds from
// navigation to first contentful paint and to the first deal, and the digits dealt.
export async function load(page, url, slowdown = 1) {
  const client = await page.createCDPSession();
  await client.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
  await page.evaluateOnNewDocument(pokeUntilDealt);
  await page.goto(url);
  const [dealt, paint, digits] = await page.evaluate(() => new Promise((resolve) => {
    const wait = () => {
      const first = performance.getEntriesByName('first-contentful-paint')[0];
      const boxes = ['Label1', 'Label2', 'Label3'].map((id) => document.getElementById(id).textContent);
      if (window.dealtAt !== undefined && first) resolve([window.dealtAt, first.startTime, boxes.join(' ')]);
      else setTimeout(wait, 5);
    };
    wait();
  }));
  await client.detach();
  return { dealt, paint, digits };
}

// Writes the floor into folder as index.html and returns its path: a plain page with the same controls
// and a few hand-written lines that deal the same first game and, on a win, show the coin picture as
// an inline image: the picture the page itself draws on its first win, taken from its canvas.
export async function writeFloor(browser, pageUrl, folder) {
  const page = await browser.newPage();
  await load(page, pageUrl);
  const picture = await page.$eval('#Image1', (canvas) => canvas.toDataURL('image/png'));
  await page.close();
  const deal = readFileSync(new URL('plain_deal.js', import.meta.url), 'utf8');
  const floor = join(folder, 'index.html');
  writeFileSync(floor, readFileSync(new URL('plain_page.html', import.meta.url), 'utf8')
    .replace('@PICTURE@', () => picture).replace('@DEAL@', () => `<script>\n${deal}</script>`));
  return floor;
}

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
