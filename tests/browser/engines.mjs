// The three engines that shoppers' browsers are built on, each from Debian's packages, behind the
// few page operations the checks use: open a page and wait for its load, run a function in it,
// size the viewport, click, take a screenshot, and hand over the page's script errors.
//
// Every engine sends whatever is not on 127.0.0.1 to `proxy`, the checks' own server, which
// refuses it: nothing of a test leaves the machine, and images on other hosts fail at once.

import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

export const ENGINE_NAMES = ['chromium', 'firefox', 'webkit'];

export async function launch(name, { proxy, width, height }) {
  if (name === 'chromium') return chromium(proxy, width, height);
  if (name === 'firefox') return firefox(proxy, width, height);
  if (name === 'webkit') return webkit(proxy, width, height);
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

// Debian's Firefox ESR through WebDriver BiDi (Puppeteer starts it with its own profile).
async function firefox(proxy, width, height) {
  const { default: puppeteer } = await import('puppeteer-core');
  const { hostname, port } = new URL(proxy);
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    defaultViewport: null,
    extraPrefsFirefox: {
      'network.proxy.type': 1,
      'network.proxy.http': hostname,
      'network.proxy.http_port': Number(port),
      'network.proxy.ssl': hostname,
      'network.proxy.ssl_port': Number(port),
      'network.proxy.no_proxies_on': '',
      'network.proxy.allow_hijacking_localhost': false,
      'network.dns.disablePrefetch': true,
      'network.prefetch-next': false,
    },
  });
  const page = (await browser.pages())[0] ?? await browser.newPage();
  // Puppeteer's setViewport also overrides the screen orientation, a command that the Firefox
  // ESRs Debian has given (140 among them) do not know. The checks need the viewport alone, which
  // WebDriver BiDi has set since long before.
  const setViewport = (w, h) =>
    page.mainFrame().browsingContext.setViewport({ viewport: { width: w, height: h } });
  await setViewport(width, height);
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  return {
    name: 'firefox',
    version: await browser.version(),
    goto: (url) => page.goto(url, { waitUntil: 'load' }),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    setViewport,
    click: (selector) => page.click(selector),
    screenshot: (file, clip) => page.screenshot({ path: file, clip }),
    errors: () => errors.splice(0),
    close: () => browser.close(),
  };
}

function freePort() {
  return new Promise((resolve, reject) => {
    const s = net.createServer();
    s.on('error', reject);
    s.listen(0, '127.0.0.1', () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });
}

function miniBrowser() {
  for (const dir of fs.readdirSync('/usr/lib')) {
    const file = path.join('/usr/lib', dir, 'webkit2gtk-4.1/MiniBrowser');
    if (fs.existsSync(file)) return file;
  }
  throw new Error('MiniBrowser of WebKitGTK not found under /usr/lib/*/webkit2gtk-4.1/');
}

// Debian's WebKitGTK: its MiniBrowser driven by WebKitWebDriver over classic WebDriver. It needs
// a display (xvfb-run). WebDriver reports no script errors; the preview's own list shows them.
async function webkit(proxy, width, height) {
  const { Builder, By } = await import('selenium-webdriver');
  if (!process.env.DISPLAY) throw new Error('WebKitGTK needs a display: run the check under xvfb-run');
  const port = await freePort();
  const driverProcess = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`], { stdio: ['ignore', 'ignore', 'inherit'] });
  const server = `http://127.0.0.1:${port}`;
  let driver;
  try {
    for (let i = 0; ; i++) {
      try {
        if ((await fetch(`${server}/status`)).ok) break;
      } catch (e) {
        if (i > 100) throw new Error(`WebKitWebDriver did not answer: ${e.message}`);
      }
      await new Promise((r) => setTimeout(r, 100));
    }
    // MiniBrowser takes the proxy from its command line; WebDriver's proxy capability does not reach it.
    driver = await new Builder().usingServer(server).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: miniBrowser(), args: ['--automation', `--proxy=${proxy}`, '--ignore-host=127.0.0.1'] },
    }).build();
  } catch (e) {
    driverProcess.kill();
    throw e;
  }
  const evaluate = (fn, arg) => driver.executeScript(`return (${fn}).apply(null, arguments);`, ...(arg === undefined ? [] : [arg]));
  // The window's size includes what MiniBrowser draws around the page.
  const setViewport = async (w, h) => {
    let inner = { w: 0, h: 0 };
    let rect = { width: w, height: h };
    for (let i = 0; i < 20 && (inner.w !== w || inner.h !== h); i++) {
      await driver.manage().window().setRect(rect);
      await new Promise((r) => setTimeout(r, 50));
      inner = await evaluate(() => ({ w: window.innerWidth, h: window.innerHeight }));
      rect = { width: rect.width + w - inner.w, height: rect.height + h - inner.h };
    }
    if (inner.w !== w || inner.h !== h) throw new Error(`WebKit viewport ${inner.w} x ${inner.h} instead of ${w} x ${h}`);
  };
  await setViewport(width, height);
  const caps = await driver.getCapabilities();
  return {
    name: 'webkit',
    version: `${caps.get('browserName')} ${caps.get('browserVersion')}`,
    goto: (url) => driver.get(url),
    evaluate,
    setViewport,
    click: async (selector) => (await driver.findElement(By.css(selector))).click(),
    screenshot: null,
    errors: () => [],
    close: async () => {
      try {
        await driver.quit();
      } finally {
        driverProcess.kill();
      }
    },
  };
}
