// The browsers the page's tests and its benchmark start: Debian's Chromium and Firefox ESR, headless,
// never a downloaded browser. Chromium is driven over CDP, Firefox over WebDriver BiDi.
import puppeteer from 'puppeteer-core';

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
