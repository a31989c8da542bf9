// The browser engines, each from Debian's packages, behind the few page operations the checks use: open a page and wait for its load, run a function in it,
// size the viewport, click, take a screenshot, and hand over the page's script errors.
//
// Every engine sends whatever is not on 127.0.0.1 to `proxy`, the checks' own server, which
// refuses it: nothing of a test leaves the machine, and images on other hosts fail at once.

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const ENGINE_NAMES = ['chromium'];

export async function launch(name, { proxy, width, height }) {
  if (name === 'chromium') return chromium(proxy, width, height);
  throw new Error(`unknown engine ${name} (${ENGINE_NAMES.join(', ')})`);
}

// Debian's Chromium through Playwright.
async function chromium(proxy, width, height) {
  const { chromium: pw } = await import('playwright-core');
  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'lumdrift-chromium-'));
  const context = await pw.launchPersistentContext(userDataDir, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--proxy-server=${proxy}`],
    viewport: { width, height },
  });
  const page = context.pages()[0] ?? await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  return {
    name: 'chromium',
    version: context.browser()?.version() ?? '',
    goto: (url) => page.goto(url, { waitUntil: 'load' }),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    setViewport: (w, h) => page.setViewportSize({ width: w, height: h }),
    click: (selector) => page.click(selector),
    screenshot: (file, clip) => page.screenshot({ path: file, clip }),
    errors: () => errors.splice(0),
    close: async () => {
      await context.close();
      fs.rmSync(userDataDir, { recursive: true, force: true });
    },
  };
}
