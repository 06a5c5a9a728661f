// The browsers the page's tests and its benchmark start: Debian's Chromium and Firefox ESR, headless,
// never a downloaded browser. Chromium is driven over CDP, Firefox over WebDriver BiDi.
import puppeteer from 'puppeteer-core';
import { BrowsingContext } from 'puppeteer-core/internal/bidi/core/BrowsingContext.js';

// Firefox ESR before 141 has no emulation.setScreenOrientationOverride, which puppeteer asks for with
// every viewport: its absence is tolerated, as puppeteer itself tolerates a missing touch override.
const orientation = BrowsingContext.prototype.setScreenOrientationOverride;
BrowsingContext.prototype.setScreenOrientationOverride = function setScreenOrientationOverride(...args) {
  return orientation.apply(this, args).catch((error) => {
    if (!String(error?.message).includes('unknown command')) throw error;
  });
};

export function launchChromium(extraArgs = []) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', ...extraArgs],
  });
}

// prefs: Firefox settings for this run, as about:config names them.
export function launchFirefox(prefs = {}) {
  return puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    extraPrefsFirefox: { 'media.autoplay.default': 0, ...prefs },
  });
}

// Waits until the function, run in the page with the arguments, returns something true: asked every
// 50 ms for up to 30 s (puppeteer's own waiting needs WebDriver BiDi features that Firefox ESR before
// 141 lacks). A page that is between two documents answers nothing.
export async function until(page, condition, ...args) {
  const deadline = Date.now() + 30000;
  while (!(await page.evaluate(condition, ...args).catch(() => false))) {
    if (Date.now() > deadline) throw new Error(`waited 30 s for ${condition}`);
    await new Promise((resolve) => { setTimeout(resolve, 50); });
  }
}
