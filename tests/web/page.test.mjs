// The page as a player meets it, in Debian's Chromium: opened from disk, played by keys and clicks,
// read from its elements, its pixels, its canvas and the tones it starts.
//   VELMORA_PAGE=/path/to/velmora.html node --test

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './chromium.mjs';
import { PNG } from 'pngjs';

const page_url = pathToFileURL(process.env.VELMORA_PAGE).href;
let browser;

before(async () => {
  browser = await launchChromium(['--autoplay-policy=no-user-gesture-required']);
});
after(async () => browser?.close());

// A fresh page at a pixel ratio; counts the tones started and keeps every console error.
async function open(ratio = 1) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('console', (message) => { if (message.type() === 'error') page.errors.push(message.text()); });
  page.on('pageerror', (error) => page.errors.push(String(error)));
  await page.evaluateOnNewDocument(() => {
    window.tones = 0;
    const start = OscillatorNode.prototype.start;
    OscillatorNode.prototype.start = function (...args) { window.tones += 1; return start.apply(this, args); };
  });
  await page.setViewport({ width: 800, height: 500, deviceScaleFactor: ratio });
  await page.goto(page_url);
  // The form is in the page from the start; the game is ready once it has put the focus on Neues Spiel.
  await page.waitForFunction(() => document.activeElement?.id === 'Command1');
  return page;
}

// The run's generator, as the game's own: a 24-bit congruential generator from a fixed state.
function dealt(games) {
  let state = 0x50000;
  const next = () => { state = Number((BigInt(state) * 0x43FD43FDn + 0xC39EC3n) & 0xFFFFFFn); return state / 16777216; };
  return Array.from({ length: games }, () => [next(), next(), next()].map((r) => String(Math.floor(r * 10))));
}

const digits = (page) => page.evaluate(() => ['Label1', 'Label2', 'Label3'].map((id) => document.getElementById(id).textContent));
const pictureShown = (page) => page.$eval('#Image1', (canvas) => !canvas.hidden);

// Pixels of the picture's canvas that are gold, counted in the page.
const goldPixels = (page) => page.$eval('#Image1', (canvas) => {
  const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
  let gold = 0;
  for (let i = 0; i < data.length; i += 4) gold += data[i] > 220 && data[i + 1] > 130 && data[i + 1] < 185 && data[i + 2] < 60;
  return gold;
});

test('starts as the window is described: layout, fonts, focus, title, language', async () => {
  const page = await open();
  const boxes = await page.$$eval('#Form1 > [id]', (elements) => elements.map((element) => {
    const box = element.getBoundingClientRect();
    return [element.id, element.tagName, box.x, box.y, box.width, box.height];
  }));
  assert.deepEqual(boxes, [
    ['Command2', 'BUTTON', 24, 120, 105, 33],
    ['Command1', 'BUTTON', 24, 32, 105, 33],
    ['Image1', 'CANVAS', 0, 0, 0, 0], // hidden
    ['Label4', 'DIV', 24, 192, 121, 105],
    ['Label2', 'DIV', 320, 32, 137, 105],
    ['Label3', 'DIV', 480, 32, 137, 105],
    ['Label1', 'DIV', 160, 32, 137, 105],
  ]);
  assert.equal(await page.title(), 'Form1');
  assert.equal(await page.$eval('html', (html) => html.lang), 'de');
  assert.match(await page.$eval('link[rel=icon]', (link) => link.href), /^data:image\/svg\+xml,/);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Command1');
  assert.deepEqual(await digits(page), ['', '', '']);
  assert.equal(await pictureShown(page), false);

  // From the screen's pixels: the digit boxes' black borders and the purple title.
  const png = PNG.sync.read(await page.screenshot());
  const pixel = (x, y) => Array.from(png.data.subarray((y * png.width + x) * 4, (y * png.width + x) * 4 + 3));
  for (const [x, y] of [[160, 80], [296, 80], [200, 32], [200, 136], [320, 80], [616, 80]]) {
    assert.deepEqual(pixel(x, y), [0, 0, 0], `border at ${x},${y}`);
  }
  let purple = 0;
  for (let y = 192; y < 297; y++) for (let x = 24; x < 145; x++) {
    const [r, g, b] = pixel(x, y);
    purple += r > 90 && b > 90 && g < 60;
  }
  assert.ok(purple > 150, `${purple} purple pixels in the title`);

  // The described faces are missing here; their metric-compatible stand-ins are used.
  await page.keyboard.press('Space'); // 7 5 5: a win, and the picture fills its box
  assert.deepEqual(await page.$eval('#Image1', (canvas) => Object.values(canvas.getBoundingClientRect().toJSON()).slice(0, 4)),
    [192, 160, 425, 185]);
  const client = await page.createCDPSession();
  await client.send('DOM.enable');
  await client.send('CSS.enable');
  const { root } = await client.send('DOM.getDocument');
  for (const [selector, family] of [['#Label1', 'Liberation Serif'], ['#Label4', 'Liberation Sans']]) {
    const { nodeId } = await client.send('DOM.querySelector', { nodeId: root.nodeId, selector });
    const { fonts } = await client.send('CSS.getPlatformFontsForNode', { nodeId });
    assert.equal(fonts[0]?.familyName, family, selector);
  }
  assert.equal(await page.$eval('#Label1', (label) => getComputedStyle(label).fontSize), '32px');
  assert.equal(await page.$eval('#Label4', (label) => getComputedStyle(label).fontSize), '27px');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('twenty games by Space deal as the generator does, with the picture and one tone for each win', async () => {
  const page = await open();
  let wins = 0;
  for (const game of dealt(20)) {
    await page.keyboard.press('Space');
    const win = game.includes('7');
    wins += win;
    assert.deepEqual(await digits(page), game);
    assert.equal(await pictureShown(page), win);
    if (win) assert.ok(await goldPixels(page) > 2000);
    assert.equal(await page.evaluate(() => window.tones), wins);
    assert.equal(await page.$eval('[aria-live]', (region) => region.textContent), win ? 'Gewonnen! Ein Haufen Goldmünzen.' : '');
  }
  assert.equal(await page.$eval('#Label1', (label) => label.getAttribute('aria-label')), `Erste Ziffer: ${dealt(20)[19][0]}`);
  assert.equal(await page.$eval('#Image1', (canvas) => [canvas.getAttribute('role'), canvas.getAttribute('aria-label')].join()),
    'img,Goldmünzen');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Return and a click deal; Tab moves between the two buttons only', async () => {
  const page = await open();
  await page.keyboard.press('Enter');
  assert.deepEqual(await digits(page), dealt(1)[0]);
  await page.click('#Command1');
  assert.deepEqual(await digits(page), dealt(2)[1]);
  const focusAfter = async (key) => { await page.keyboard.press(key); return page.evaluate(() => document.activeElement.id); };
  assert.equal(await focusAfter('Tab'), 'Command2');
  assert.equal(await focusAfter('Tab'), 'Command1');
  await page.keyboard.down('Shift');
  assert.equal(await focusAfter('Tab'), 'Command2');
  await page.keyboard.up('Shift');
  await page.close();
});

test('the picture is drawn at the pixel ratio, sharper than enlarged, and again when the ratio changes', async () => {
  const page = await open(1);
  await page.keyboard.press('Space'); // 7 5 5: a win
  const sharpness = `(canvas, width, height) => {
    const scratch = document.createElement('canvas');
    scratch.width = width; scratch.height = height;
    const context = scratch.getContext('2d');
    context.imageSmoothingQuality = 'high';
    context.drawImage(canvas, 0, 0, width, height);
    const { data } = context.getImageData(0, 0, width, height);
    const grey = (x, y) => { const i = (y * width + x) * 4; return (data[i] + data[i + 1] + data[i + 2]) / 3 * data[i + 3] / 255; };
    let energy = 0;
    for (let y = 0; y + 1 < height; y++) for (let x = 0; x + 1 < width; x++)
      energy += (grey(x + 1, y) - grey(x, y)) ** 2 + (grey(x, y + 1) - grey(x, y)) ** 2;
    return energy / (width * height);
  }`;
  const measure = (p) => p.$eval('#Image1', (canvas, f) => eval(f)(canvas, 850, 370), sharpness);
  assert.deepEqual(await page.$eval('#Image1', (canvas) => [canvas.width, canvas.height]), [425, 185]);
  const enlarged = await measure(page);

  // Headless Chromium changes the ratio without the events a zoom brings: the resize is sent here.
  await page.setViewport({ width: 800, height: 500, deviceScaleFactor: 2 });
  await page.evaluate(() => window.dispatchEvent(new Event('resize')));
  await page.waitForFunction(() => document.getElementById('Image1').width === 850);
  assert.deepEqual(await page.$eval('#Image1', (canvas) => [canvas.width, canvas.height]), [850, 370]);
  const sharp = await measure(page);
  assert.ok(sharp > 1.3 * enlarged, `ratio 2: ${sharp}, ratio 1 enlarged: ${enlarged}`);
  await page.close();
});

test("the canvas picture has the Qt player's silhouette", async (t) => {
  // picture_silhouette.png is the Qt front end's render of the same picture (its test keeps it so).
  const theirs = PNG.sync.read(readFileSync(new URL('picture_silhouette.png', import.meta.url)));
  const page = await open(1);
  await page.keyboard.press('Space'); // 7 5 5: a win
  const alpha = await page.$eval('#Image1', (canvas) =>
    Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.filter((_, i) => i % 4 === 3)));
  assert.equal(alpha.length, theirs.width * theirs.height);
  let both = 0;
  let either = 0;
  alpha.forEach((a, i) => {
    const ours = a > 127;
    const qt = theirs.data[i * 4] < 128;
    both += ours && qt;
    either += ours || qt;
  });
  t.diagnostic(`intersection over union ${(both / either).toFixed(4)}`);
  assert.ok(both / either >= 0.97, `intersection over union ${both / either}`);
  await page.close();
});

test('Beenden ends the game in place: no more games, both buttons off, one German line', async () => {
  const page = await open();
  await page.keyboard.press('Space');
  await page.click('#Command2');
  assert.deepEqual(await page.$$eval('button', (buttons) => buttons.map((button) => button.disabled)), [true, true]);
  assert.match(await page.$eval('#ended', (line) => line.textContent), /Das Spiel ist beendet\. .*neu/);
  await page.keyboard.press('Space');
  await page.$eval('#Command1', (button) => button.click());
  assert.deepEqual(await digits(page), dealt(1)[0]);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('an untrapped error is shown in a German dialog, and the game ends', async () => {
  const page = await open();
  // Label2 shows a word, whatever the game writes into it: reading it back as a number fails.
  await page.$eval('#Label2', (label) => Object.defineProperty(label, 'textContent', { get: () => 'sieben', set: () => {} }));
  await page.keyboard.press('Space');
  assert.equal(await page.$eval('dialog', (dialog) => [dialog.open, dialog.querySelector('p').textContent].join('|')),
    "true|Laufzeitfehler '13':\n\nTypen unverträglich");
  assert.deepEqual(await page.$$eval('#Form1 button', (buttons) => buttons.map((button) => button.disabled)), [true, true]);
  assert.ok(await page.$('#ended'));
  await page.close();
});
