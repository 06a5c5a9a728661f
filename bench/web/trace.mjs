// Where the page's time goes from navigation to its first deal: Chromium's own trace of the page
// (through puppeteer), at full speed and with the processor slowed four times, split into phases;
// each figure the median of several loads, in milliseconds.
//   node trace.mjs PAGE [RUNS]
// The moments between the phases are read from the trace: the main thread's own events (reading the
// page, evaluating its scripts, style and layout, painting) and marks that a script run before the
// page's own puts where the page calls the browser (decoding, compiling and instantiating the module,
// the first deal's click, the picture's canvas, animation frames).
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../../tests/web/chromium.mjs';
import { load, median, writeFloor } from './floor.mjs';

const [pagePath, runs = '7'] = process.argv.slice(2);

// Put into the page before its scripts: a mark where each of these calls begins and ends.
function markCalls() {
  const mark = (name) => performance.mark(`velmora:${name}`);
  const wrap = (owner, key, name, construct) => {
    const original = owner[key];
    if (typeof original !== 'function') return;
    owner[key] = construct
      ? new Proxy(original, { construct(target, args) { mark(`${name} begins`); const made = Reflect.construct(target, args); mark(`${name} ends`); return made; } })
      : new Proxy(original, { apply(target, self, args) {
        mark(`${name} begins`);
        const result = Reflect.apply(target, self, args);
        if (result instanceof Promise) result.then(() => mark(`${name} ends`), () => {});
        else mark(`${name} ends`);
        return result;
      } });
  };
  wrap(Uint8Array, 'fromBase64', 'decode');
  wrap(window, 'atob', 'decode');
  wrap(window, 'DecompressionStream', 'decode', true);
  wrap(WebAssembly, 'Module', 'compile', true);
  wrap(WebAssembly, 'compile', 'compile');
  wrap(WebAssembly, 'compileStreaming', 'compile');
  wrap(WebAssembly, 'Instance', 'instantiate', true);
  wrap(HTMLCanvasElement.prototype, 'getContext', 'picture');
  addEventListener('click', () => mark('click'), true);
  const frame = requestAnimationFrame;
  window.requestAnimationFrame = (callback) => frame((time) => { mark('frame begins'); callback(time); mark('frame ends'); });
}

const categories = ['devtools.timeline', 'blink.user_timing', 'v8.execute', 'disabled-by-default-devtools.timeline'];

async function trace(browser, url, slowdown) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(markCalls);
  await page.tracing.start({ categories });
  const { dealt, paint } = await load(page, url, slowdown);
  const events = JSON.parse(new TextDecoder().decode(await page.tracing.stop())).traceEvents;

  // The marks in page time (ms since navigation); the trace's events brought to it by a mark's own
  // event in the trace.
  const marks = await page.evaluate(() => performance.getEntriesByType('mark')
    .filter((mark) => mark.name.startsWith('velmora:')).map((mark) => [mark.name.slice(8), mark.startTime]));
  await page.close();
  const [traced] = events.filter((event) => event.name === 'velmora:click');
  if (!traced) throw new Error('no click in the trace');
  const offset = traced.ts / 1000 - marks.find(([name]) => name === 'click')[1];
  const at = (ts) => ts / 1000 - offset;
  const main = events.filter((event) => event.pid === traced.pid && event.tid === traced.tid);
  const first = (wanted, after = -Infinity) => marks.find(([name, time]) => name === wanted && time >= after)?.[1];
  const clicks = marks.filter(([name, time]) => name === 'click' && time <= dealt).map(([, time]) => time);
  const dealClick = clicks[clicks.length - 1];
  // The main thread's time in events of these names before a moment (nested ones counted once).
  const busy = (names, until) => {
    let total = 0;
    let end = -Infinity;
    for (const event of main.filter((e) => names.includes(e.name) && e.ph === 'X').sort((x, y) => x.ts - y.ts)) {
      const [from, to] = [at(event.ts), Math.min(at(event.ts + (event.dur ?? 0)), until)];
      if (from >= until || to <= end) continue;
      total += to - Math.max(from, end);
      end = to;
    }
    return total;
  };
  const scripts = main.filter((event) => event.name === 'EvaluateScript' && event.ph === 'X' &&
    !String(event.args?.data?.url ?? '').startsWith('__puppeteer')).map((event) => at(event.ts));
  const compiled = first('compile ends');
  return {
    'reading the page (parsing HTML, before its last script)': busy(['ParseHTML'], scripts[scripts.length - 1] ?? dealt) -
      busy(['EvaluateScript'], scripts[scripts.length - 1] ?? dealt),
    'evaluating the scripts (top level, the runtime\'s included)': busy(['EvaluateScript'], dealt),
    'decoding and unpacking the module (beside the rest of the page being read)':
      (first('compile begins') ?? NaN) - (first('decode begins') ?? NaN),
    'compiling the module': compiled - first('compile begins'),
    'instantiating it': first('instantiate ends') - first('instantiate begins'),
    'the runtime\'s start and main, to the first deal': dealClick - first('instantiate ends'),
    'style and layout (fonts among them), before the first paint': busy(['UpdateLayoutTree', 'Layout'], paint),
    'the first deal': dealt - dealClick,
    'the picture (in the animation frame after the deal)': first('frame ends', first('picture begins')) - first('picture begins'),
    'navigation to first contentful paint': paint,
    'navigation to playable (the first deal done)': dealt,
  };
}

const browser = await launchChromium();
const scratch = mkdtempSync(join(tmpdir(), 'velmora-trace-'));
try {
  // The page and its floor (floor.mjs), A and B taking turns; the floor has no module, game or canvas.
  const urls = { page: pathToFileURL(pagePath).href };
  urls.floor = pathToFileURL(await writeFloor(browser, urls.page, scratch)).href;
  const columns = [];
  for (const slowdown of [1, 4]) {
    const samples = { page: [], floor: [] };
    for (let run = 0; run < Number(runs); run++) {
      for (const which of ['page', 'floor']) samples[which].push(await trace(browser, urls[which], slowdown));
    }
    for (const which of ['page', 'floor']) {
      columns.push([`${which}, processor ${slowdown}x`, Object.fromEntries(Object.keys(samples[which][0])
        .map((phase) => [phase, median(samples[which].map((sample) => sample[phase]))]))]);
    }
  }
  console.log(`| phase, ms (medians of ${runs} loads) | ${columns.map(([name]) => name).join(' | ')} |`);
  console.log(`| --- |${' ---: |'.repeat(columns.length)}`);
  const cell = (value) => (Number.isFinite(value) ? value.toFixed(1) : '-');
  for (const phase of Object.keys(columns[0][1])) {
    console.log(`| ${phase} | ${columns.map(([, column]) => cell(column[phase])).join(' | ')} |`);
  }
} finally {
  await browser.close();
  rmSync(scratch, { recursive: true });
}
