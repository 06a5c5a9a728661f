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
