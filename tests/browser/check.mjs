#!/usr/bin/env node
// Browser checks of the full-screen templates.
//
//   node tests/browser/check.mjs --generate PATH_TO_lumdrift-generate --site templates/site --out DIR
//        [--chromium /usr/bin/chromium] [--only TEXT]
//
// For each edition, module width and viewport width, the real generator turns a test design
// into full-screen code and a preview page (yl.htm) with the real templates; headless Chromium
// opens the page and the module is measured in the DOM. One line per case, then
// "N passed, M failed"; the exit status is non-zero on any failure.

import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const EPS = 0.05; // Chromium lays out in 1/64 px; anything beyond that is a real offset.
const HEIGHT_A = 500;
const HEIGHT_B = 320;
const MODULE_WIDTHS = [1200, 1920, 2560];
const VIEWPORTS = [1366, 1440, 1920, 2560];
const VIEWPORT_HEIGHT = 1000;
const BORROWED = '.footer-more-trigger,.most-footer,.sn-simple-logo';
const PLACEHOLDERS = ['宽度', '高度', '偏移', '距顶', 'Corvandel386412957'];

const EDITIONS = [
  { id: 0, name: 'professional', template: 'gjx/kestry/jsb.txt', classes: ['footer-more-trigger', 'most-footer'],
    bodyClass: 'ed-pro', area: 950, column: 950, shift: 0 },
  { id: 1, name: 'basic', template: 'gjx/kestry/jsb.txt', classes: ['footer-more-trigger', 'most-footer'],
    bodyClass: 'ed-basic', area: 950, column: 750, shift: 100 },
  { id: 2, name: 'tmall', template: 'gjx/kestry/tmb.txt', classes: ['sn-simple-logo'],
    bodyClass: 'ed-tmall', area: 990, column: 990, shift: 0 },
];

// ---------------------------------------------------------------- arguments

function parseArgs(argv) {
  const opts = { chromium: '/usr/bin/chromium', only: '' };
  for (let i = 0; i < argv.length; i += 2) {
    const key = argv[i].replace(/^--/, '');
    if (!['generate', 'site', 'out', 'chromium', 'only'].includes(key) || i + 1 >= argv.length) {
      throw new Error(`unknown or incomplete argument ${argv[i]}`);
    }
    opts[key] = argv[i + 1];
  }
  for (const key of ['generate', 'site', 'out']) {
    if (!opts[key]) throw new Error(`--${key} is required`);
  }
  opts.generate = path.resolve(opts.generate);
  opts.site = path.resolve(opts.site);
  opts.out = path.resolve(opts.out);
  return opts;
}

// ---------------------------------------------------------------- results

let passed = 0;
let failed = 0;

function report(name, failures) {
  if (failures.length === 0) {
    passed++;
    console.log(`PASS ${name}`);
  } else {
    failed++;
    console.log(`FAIL ${name}\n       ${failures.join('\n       ')}`);
  }
}

function near(f, what, actual, expected) {
  if (typeof actual !== 'number' || Number.isNaN(actual) || Math.abs(actual - expected) > EPS) {
    f.push(`${what}: ${actual} instead of ${expected}`);
  }
}

function expect(f, what, ok) {
  if (!ok) f.push(what);
}

// ---------------------------------------------------------------- files

const gbk = new TextDecoder('gbk', { fatal: true });
const siteFile = (opts, rel) => path.join(opts.site, 'derereravo/365687', rel);

function countCaseless(text, what) {
  return text.toLowerCase().split(what.toLowerCase()).length - 1;
}

function readGbk(file, f) {
  try {
    return gbk.decode(fs.readFileSync(file));
  } catch (e) {
    f.push(`${file}: ${e.code === 'ENOENT' ? 'missing' : 'not valid GBK'}`);
    return null;
  }
}

function checkCodeTemplate(opts, rel, borrowedClass) {
  const f = [];
  const text = readGbk(siteFile(opts, rel), f);
  if (text !== null) {
    const limits = [['宽度', 1, 3], ['高度', 1, 5], ['偏移', 1, 2], ['距顶', 1, 1], ['Corvandel386412957', 1, 1]];
    for (const [word, min, max] of limits) {
      const n = countCaseless(text, word);
      expect(f, `"${word}" occurs ${n} times, allowed ${min}..${max}`, n >= min && n <= max);
    }
    expect(f, 'carries <style>, <script> or <link>, which shop modules drop', !/<(style|script|link)\b/i.test(text));
    expect(f, 'carries an id attribute, which shop modules drop', !/\sid\s*=/i.test(text));
    expect(f, `does not use the class ${borrowedClass}`, text.includes(`"${borrowedClass}"`));
  }
  report(`template ${rel}`, f);
}

function checkPreviewTemplate(opts) {
  const f = [];
  const file = siteFile(opts, 'yl/jsb.txt');
  const text = readGbk(file, f);
  if (text !== null) {
    const n = text.split('386412957').length - 1;
    expect(f, `the preview marker occurs ${n} times instead of once`, n === 1);
    const head = fs.readFileSync(file).subarray(0, 1024).toString('latin1');
    expect(f, 'no charset gbk declared in the first 1024 bytes', /<meta[^>]*charset=["']?gbk/i.test(head));
  }
  report('template yl/jsb.txt', f);
}

// ---------------------------------------------------------------- generation

function svgImage(w, h, fill, label) {
  // A coloured band with the centre line and the edges of common screens, for the screenshots.
  let marks = `<path d="M${w / 2} 0V${h}" stroke="#fff" stroke-width="2"/>`;
  for (const screen of [1366, 1920]) {
    if (screen < w) {
      const x = (w - screen) / 2;
      marks += `<path d="M${x} 0V${h}M${w - x} 0V${h}" stroke="#fff" stroke-dasharray="8 8"/>`;
    }
  }
  const svg = `<svg xmlns="http://www.w3.org/2000/svg" width="${w}" height="${h}">` +
    `<rect width="100%" height="100%" fill="${fill}"/>${marks}` +
    `<text x="${w / 2 + 12}" y="40" font-size="28" fill="#fff">${label}</text></svg>`;
  return 'data:image/svg+xml,' + encodeURIComponent(svg);
}

// The seller's code of the test: a design of the module's size with two stacked images and a
// block, each marked so that the page can be measured.
function testDesign(w, h, label, colours) {
  const h1 = Math.floor(h * 0.45);
  const h2 = Math.floor(h * 0.3);
  const h3 = h - h1 - h2;
  return `<div data-ldt="design" style="width:${w}px;height:${h}px;background:#999;">\n` +
    `<img data-ldt="part" src="${svgImage(w, h1, colours[0], label)}" width="${w}" height="${h1}">` +
    `<img data-ldt="part" src="${svgImage(w, h2, colours[1], `${w} x ${h}`)}" width="${w}" height="${h2}">` +
    `<div data-ldt="part" style="height:${h3}px;background:${colours[2]};"></div>\n</div>\n`;
}

function generate(opts, ed, w, h, spacing, colours) {
  const tag = `e${ed.id}-w${w}-h${h}-s${spacing}`;
  const dir = path.join(opts.out, 'gen', tag);
  fs.mkdirSync(dir, { recursive: true });
  const codeFile = path.join(dir, 'design.html');
  fs.writeFileSync(codeFile, testDesign(w, h, `${ed.name} ${spacing}`, colours));
  const yl = path.join(dir, 'yl.htm');
  fs.rmSync(yl, { force: true });
  let stdout;
  try {
    stdout = execFileSync(opts.generate, [
      '--code-template', siteFile(opts, ed.template), '--preview-template', siteFile(opts, 'yl/jsb.txt'),
      '--edition', String(ed.id), '--width', String(w), '--height', String(h), '--spacing', String(spacing),
      '--code', codeFile, '--out', dir,
    ], { stdio: ['ignore', 'pipe', 'pipe'], maxBuffer: 64 << 20 });
  } catch (e) {
    return { error: `generator failed for ${tag}: ${e.message.split('\n')[0]} ${e.stderr ?? ''}`.trim() };
  }
  if (!fs.existsSync(yl)) return { error: `generator wrote no yl.htm for ${tag}` };
  const code = new TextDecoder('gbk').decode(stdout);
  const page = new TextDecoder('gbk').decode(fs.readFileSync(yl));
  const problems = [];
  for (const word of PLACEHOLDERS) {
    if (countCaseless(code, word)) problems.push(`generated code still holds "${word}"`);
  }
  if (!code.includes('data-ldt="design"')) problems.push('the printed code lacks the test design');
  if (!page.includes(code.trimEnd())) problems.push('the printed code is not in yl.htm');
  if (page.includes('386412957')) problems.push('yl.htm still holds the preview marker');
  if (problems.length) return { error: `${tag}: ${problems.join('; ')}` };
  return { tag, url: pathToFileURL(yl).href, code };
}

// ---------------------------------------------------------------- measuring

// Runs in the page: rectangles and computed styles of everything the checks look at.
function measurePage() {
  const rect = (e) => {
    const b = e.getBoundingClientRect();
    return { l: b.left, t: b.top, w: b.width, h: b.height, r: b.right, b: b.bottom };
  };
  const screen = document.getElementById('ld-screen');
  const column = document.querySelector('.ld-main');
  const vw = document.documentElement.clientWidth;
  const vh = document.documentElement.clientHeight;
  const modules = [...document.querySelectorAll('.ld-mod')].map((slot) => {
    const design = slot.querySelector('[data-ldt="design"]');
    if (!design) return { missing: true };
    const box = design.parentElement;
    const borrowed = [...slot.querySelectorAll('.footer-more-trigger,.most-footer,.sn-simple-logo')].map((e, i) => {
      const cs = getComputedStyle(e);
      return {
        name: e === box ? 'module box' : `borrowed box ${i + 1}`,
        position: cs.position,
        padding: [cs.paddingTop, cs.paddingRight, cs.paddingBottom, cs.paddingLeft].join(' '),
        border: [cs.borderTopWidth, cs.borderRightWidth, cs.borderBottomWidth, cs.borderLeftWidth].join(' '),
        background: `${cs.backgroundColor} ${cs.backgroundImage}`,
        hovered: e.matches(':hover'),
      };
    });
    // Hit tests inside the module (clipping does not change rectangles, it changes these).
    // Only the part inside the page frame and the viewport can be seen.
    const b = box.getBoundingClientRect();
    const frame = screen.getBoundingClientRect();
    const left = Math.max(b.left, frame.left, 0);
    const right = Math.min(b.right, frame.right, vw);
    const xs = [left + 2, (left + right) / 2, right - 2];
    const ys = [b.top + 2, b.top + b.height / 2, b.bottom - 2].filter((y) => y >= 0 && y < vh);
    const hidden = ys.length ? [] : ['the module is out of view'];
    for (const x of xs) {
      for (const y of ys) {
        const hit = document.elementFromPoint(x, y);
        if (!hit || !design.contains(hit)) hidden.push(`(${Math.round(x)},${Math.round(y)}) shows ${hit ? hit.className || hit.tagName : 'nothing'}`);
      }
    }
    const ds = getComputedStyle(design);
    return {
      slot: rect(slot),
      gap: parseFloat(getComputedStyle(slot).marginBottom),
      after: slot.nextElementSibling ? rect(slot.nextElementSibling) : null,
      box: rect(box),
      boxClass: box.className,
      design: rect(design),
      parts: [...design.querySelectorAll('[data-ldt="part"]')].map(rect),
      inherited: { textIndent: ds.textIndent },
      borrowed,
      hidden,
    };
  });
  return {
    screen: rect(screen),
    screenClientWidth: screen.clientWidth,
    viewportWidth: vw,
    scrollWidth: document.documentElement.scrollWidth,
    area: rect(document.querySelector('.ld-area')),
    column: rect(column),
    modules,
  };
}

// Opens a preview page; script errors and a wrongly recognised edition are failures. The page
// is then laid out as the expected edition anyway, so that the geometry is checked against the
// real shop area (a basic-edition offset without its -100 recognises as professional, but sits
// 100 px off the centre of a basic shop page).
async function open(page, url, ed, f) {
  const errors = [];
  const onError = (e) => errors.push(String(e));
  page.on('pageerror', onError);
  await page.goto(url, { waitUntil: 'load' });
  page.off('pageerror', onError);
  for (const e of errors) f.push(`script error: ${e}`);
  const recognised = await page.evaluate((wanted) => {
    const classes = document.body.className.split(/\s+/);
    const found = classes.filter((c) => c.startsWith('ed-')).join(' ');
    if (found !== wanted) {
      document.body.className = classes.filter((c) => c && !c.startsWith('ed-')).concat(wanted).join(' ');
    }
    return found;
  }, ed.bodyClass);
  expect(f, `edition recognised as "${recognised}" instead of ${ed.bodyClass}`, recognised === ed.bodyClass);
}

// ---------------------------------------------------------------- checks

// The page around the module: the area in its place, nothing to scroll sideways.
function checkPage(f, m, ed, fit) {
  near(f, 'content area width', m.area.w, ed.area);
  near(f, 'area centre against the page centre', m.area.l + m.area.w / 2 - (m.screen.l + m.screenClientWidth / 2), 0);
  near(f, 'content column width', m.column.w, ed.column);
  near(f, 'column centre right of the page centre', m.column.l + m.column.w / 2 - (m.screen.l + m.screenClientWidth / 2), ed.shift);
  if (fit) {
    near(f, 'page frame left', m.screen.l, 0);
    near(f, 'page frame width against the viewport', m.screenClientWidth, m.viewportWidth);
    expect(f, `page scrolls sideways (${m.scrollWidth} > ${m.viewportWidth})`, m.scrollWidth <= m.viewportWidth);
  }
}

// One module: its size, its place, what it reserves in the flow, what the borrowed classes leave.
function checkModule(f, label, mod, m, ed, w, h, spacing) {
  if (!mod || mod.missing) {
    f.push(`${label}: test design not found in the page`);
    return;
  }
  const p = (what) => `${label} ${what}`;
  expect(f, p(`box holding the code has class "${mod.boxClass}", not ${ed.classes.join('/')}`),
    ed.classes.some((c) => mod.boxClass.split(/\s+/).includes(c)));
  near(f, p('box width'), mod.box.w, w);
  near(f, p('box height'), mod.box.h, h);
  near(f, p('box left against the centred position'), mod.box.l - m.screen.l, (m.screenClientWidth - w) / 2);
  near(f, p('design left in its box'), mod.design.l - mod.box.l, 0);
  near(f, p('design top in its box'), mod.design.t - mod.box.t, 0);
  near(f, p('design width'), mod.design.w, w);
  // Stacked images and blocks follow each other without thin gaps and end at the box bottom.
  expect(f, p(`${mod.parts.length} parts of the design instead of 3`), mod.parts.length === 3);
  let y = mod.box.t;
  mod.parts.forEach((part, i) => {
    near(f, p(`part ${i + 1} top`), part.t, y);
    y = part.b;
  });
  near(f, p('last part bottom'), y, mod.box.b);
  near(f, p('box top against its slot (the top spacing)'), mod.box.t - mod.slot.t, spacing);
  // The flow reserves exactly the module height: what follows starts one platform gap below.
  if (mod.after) near(f, p('start of the next module below the box bottom'), mod.after.t - mod.box.b, mod.gap);
  else f.push(p('nothing follows its slot'));
  near(f, p('height kept in the flow'), mod.slot.h, h + spacing);
  expect(f, p(`inherits text-indent ${mod.inherited.textIndent}`), mod.inherited.textIndent === '0px');
  for (const b of mod.borrowed) {
    const q = (what) => p(`${b.name}${b.hovered ? ' (hovered)' : ''} ${what}`);
    expect(f, q(`position ${b.position}, not absolute`), b.position === 'absolute');
    expect(f, q(`padding ${b.padding}`), b.padding === '0px 0px 0px 0px');
    expect(f, q(`border ${b.border}`), b.border === '0px 0px 0px 0px');
    expect(f, q(`background ${b.background}`), b.background === 'rgba(0, 0, 0, 0) none');
  }
  expect(f, p(`is clipped or covered: ${mod.hidden.join(', ')}`), mod.hidden.length === 0);
}

async function hoverModule(page, f) {
  // The pointer over the design hovers every ancestor, the borrowed boxes included.
  const target = await page.evaluate(() => {
    const b = document.querySelector('[data-ldt="design"]').getBoundingClientRect();
    return { x: document.documentElement.clientWidth / 2, y: b.top + b.height / 2 };
  });
  await page.mouse.move(target.x, target.y);
  const m = await page.evaluate(measurePage);
  const mod = m.modules[0];
  expect(f, 'hover did not reach the borrowed boxes', mod && !mod.missing && mod.borrowed.length > 0 && mod.borrowed.every((b) => b.hovered));
  return m;
}

async function screenshot(page, opts, name) {
  const dir = path.join(opts.out, 'screenshots');
  fs.mkdirSync(dir, { recursive: true });
  await page.screenshot({ path: path.join(dir, `${name}.png`) });
}

async function insertModule(page, code) {
  await page.evaluate((html) => {
    const slots = document.querySelectorAll('.ld-mod');
    const last = slots[slots.length - 1];
    const slot = document.createElement('div');
    slot.className = last.className;
    slot.innerHTML = html;
    last.parentNode.insertBefore(slot, last.nextSibling);
  }, code);
}

// One edition, module width and viewport: the module at spacing 0 (also hovered), at -10 and -20,
// and a second module stacked under the first.
async function layoutCase(page, opts, ed, w, vp, gens) {
  const f = [];
  await page.setViewportSize({ width: vp, height: VIEWPORT_HEIGHT });
  await page.mouse.move(0, 0);
  await open(page, gens.a0.url, ed, f);
  const m0 = await page.evaluate(measurePage);
  near(f, 'viewport width', m0.viewportWidth, vp);
  checkPage(f, m0, ed, true);
  checkModule(f, 'A', m0.modules[0], m0, ed, w, HEIGHT_A, 0);
  const mh = await hoverModule(page, f);
  checkModule(f, 'A', mh.modules[0], mh, ed, w, HEIGHT_A, 0);
  await page.mouse.move(0, 0);

  // A second module under the first: with -10 it closes the platform gap exactly.
  await insertModule(page, gens.b.code);
  const ms = await page.evaluate(measurePage);
  expect(f, `${ms.modules.length} modules after stacking instead of 2`, ms.modules.length === 2);
  checkModule(f, 'stacked A', ms.modules[0], ms, ed, w, HEIGHT_A, 0);
  checkModule(f, 'stacked B', ms.modules[1], ms, ed, w, HEIGHT_B, -10);
  if (ms.modules.length === 2 && !ms.modules[1].missing) {
    near(f, 'stacked B top against A bottom (gap > 0, overlap < 0)', ms.modules[1].box.t - ms.modules[0].box.b, 0);
  }
  if (w === 1920 && (vp === 1366 || vp === 2560)) await screenshot(page, opts, `${ed.name}-w${w}-vp${vp}-stacked`);

  // A negative top spacing moves the module and everything after it up by exactly its amount.
  for (const spacing of [-10, -20]) {
    await open(page, gens[`a${-spacing}`].url, ed, f);
    const m = await page.evaluate(measurePage);
    checkModule(f, `A(${spacing})`, m.modules[0], m, ed, w, HEIGHT_A, spacing);
    if (m.modules[0]?.box && m0.modules[0]?.box) {
      near(f, `A(${spacing}) moved up against spacing 0`, m.modules[0].box.t - m0.modules[0].box.t, spacing);
      near(f, `A(${spacing}) next module moved up against spacing 0`, m.modules[0].after.t - m0.modules[0].after.t, spacing);
    }
  }
  report(`layout ${ed.name} module ${w} viewport ${vp}`, f);
}

// The preview's width buttons: the frame takes the chosen width and the module stays centred in it.
async function frameCase(page, opts, ed, gen) {
  const f = [];
  const vp = 1920;
  const w = 1920;
  await page.setViewportSize({ width: vp, height: VIEWPORT_HEIGHT });
  await open(page, gen.url, ed, f);
  for (const frame of [1366, 1440, 2560]) {
    await page.click(`.ld-bar button[data-w="${frame}"]`);
    const m = await page.evaluate(measurePage);
    near(f, `frame ${frame} width`, m.screen.w, frame);
    near(f, `frame ${frame} left`, m.screen.l, Math.max(0, (vp - frame) / 2));
    checkPage(f, m, ed, false);
    checkModule(f, `frame ${frame}`, m.modules[0], m, ed, w, HEIGHT_A, 0);
    if (frame === 1366) await screenshot(page, opts, `${ed.name}-w${w}-frame1366`);
  }
  report(`preview frame buttons ${ed.name} module ${w} viewport ${vp}`, f);
}

// An odd width gives a half-pixel offset; the module is still centred.
async function oddCase(page, ed, gen, w) {
  const f = [];
  const vp = 1440;
  await page.setViewportSize({ width: vp, height: VIEWPORT_HEIGHT });
  await open(page, gen.url, ed, f);
  const m = await page.evaluate(measurePage);
  checkPage(f, m, ed, true);
  checkModule(f, 'A', m.modules[0], m, ed, w, HEIGHT_A, 0);
  report(`odd width ${ed.name} module ${w} viewport ${vp}`, f);
}

// ---------------------------------------------------------------- main

async function main() {
  const opts = parseArgs(process.argv.slice(2));
  fs.mkdirSync(opts.out, { recursive: true });
  const selected = (name) => !opts.only || name.includes(opts.only);

  checkCodeTemplate(opts, 'gjx/kestry/jsb.txt', 'footer-more-trigger');
  checkCodeTemplate(opts, 'gjx/kestry/tmb.txt', 'sn-simple-logo');
  checkPreviewTemplate(opts);

  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'lumdrift-chromium-'));
  const context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: opts.chromium,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: VIEWPORTS[0], height: VIEWPORT_HEIGHT },
  });
  try {
    const page = context.pages()[0] ?? await context.newPage();
    const coloursA = ['#c0392b', '#2c3e50', '#16a085'];
    const coloursB = ['#8e44ad', '#d35400', '#2980b9'];
    for (const ed of EDITIONS) {
      for (const w of MODULE_WIDTHS) {
        const names = VIEWPORTS.map((vp) => `layout ${ed.name} module ${w} viewport ${vp}`).filter(selected);
        if (!names.length) continue;
        const gens = {
          a0: generate(opts, ed, w, HEIGHT_A, 0, coloursA),
          a10: generate(opts, ed, w, HEIGHT_A, -10, coloursA),
          a20: generate(opts, ed, w, HEIGHT_A, -20, coloursA),
          b: generate(opts, ed, w, HEIGHT_B, -10, coloursB),
        };
        const errors = Object.values(gens).filter((g) => g.error).map((g) => g.error);
        for (const vp of VIEWPORTS) {
          const name = `layout ${ed.name} module ${w} viewport ${vp}`;
          if (!selected(name)) continue;
          if (errors.length) report(name, errors);
          else await layoutCase(page, opts, ed, w, vp, gens);
        }
        if (w === 1920 && selected(`preview frame buttons ${ed.name}`)) {
          if (errors.length) report(`preview frame buttons ${ed.name}`, errors);
          else await frameCase(page, opts, ed, gens.a0);
        }
      }
      const odd = 1201;
      if (selected(`odd width ${ed.name}`)) {
        const gen = generate(opts, ed, odd, HEIGHT_A, 0, coloursA);
        if (gen.error) report(`odd width ${ed.name} module ${odd}`, [gen.error]);
        else await oddCase(page, ed, gen, odd);
      }
    }
  } finally {
    await context.close();
    fs.rmSync(userDataDir, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0 && passed > 0 ? 0 : 1;
}

main().then((code) => process.exit(code), (e) => {
  console.error(e);
  console.log(`${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
