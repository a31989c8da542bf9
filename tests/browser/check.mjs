#!/usr/bin/env node
// Browser checks of the full-screen templates and the preview page.
//
//   node tests/browser/check.mjs --generate PATH_TO_lumdrift-generate --site templates/site --out DIR
//        [--engine chromium|firefox|webkit] [--only TEXT]
//
// The real generator (lumdrift-generate) turns test designs into full-screen code and preview
// pages (yl.htm) with the real templates; a browser engine (engines.mjs: Chromium, Firefox ESR,
// WebKitGTK, the last under xvfb-run) measures them in two places:
//
// - "layout" and "odd width": a stand-in of the shop page written here from saved copies of real
//   Taobao and Tmall pages (templates/site/README.md lists the facts). What differs between real
//   shops is a variant, switched on one loaded page: the module box positioned or not, the page
//   clipped or not (Taobao), the logo class absolute, floated or both, 990 or 1190 wide (Tmall).
//   Every module is held to every variant of its platform.
// - "preview": the preview page itself, which simulates one of those shop pages, strips what the
//   shop editor strips and lists it with advice for the seller; one table of seller's code with
//   the advice each must and must not get.
//
// Every stand-in page is stripped as the shop editor strips, at one of two levels (STRIP_LEVELS).
//
// One line per case, then "N passed, M failed" with the hot spots' count at each strip level; the
// exit status is non-zero on any failure.
// Screenshots for a person to look at land in DIR/screenshots/.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { ENGINE_NAMES, launch } from './engines.mjs';

const EPS = 0.05; // Chromium and WebKit lay out in 1/64 px, Firefox in 1/60; anything beyond is a real offset.
const GAP = 10; // the shop's margin under every module
const MODULE_WIDTHS = [1200, 1920, 2560];
const VIEWPORTS = [1366, 1440, 1920, 2560];
const VIEWPORT_HEIGHT = 3200; // every module of the stand-in in view, so that hit tests reach it
const PLACEHOLDERS = ['宽度', '高度', '偏移', '距顶', 'Corvandel386412957'];
const CONFIDENCE = ['高', '较高', '中', '不确定'];

const EDITIONS = [
  { id: 0, name: 'professional', template: 'gjx/kestry/jsb.txt', platform: 'taobao', classes: ['footer-more-trigger'],
    bodyClass: 'ed-pro', grid: 'grid-m0', column: 950, shift: 0 },
  { id: 1, name: 'basic', template: 'gjx/kestry/jsb.txt', platform: 'taobao', classes: ['footer-more-trigger'],
    bodyClass: 'ed-basic', grid: 'grid-s5m0', column: 750, shift: 100 },
  { id: 2, name: 'tmall', template: 'gjx/kestry/tmb.txt', platform: 'tmall', classes: ['sn-simple-logo'],
    bodyClass: 'ed-tmall', grid: 'grid-m0', column: 990, shift: 0 },
];

// ---------------------------------------------------------------- the shop page and its variants

// Rules of real shop pages. Rules that only some shops have sit in blocks named by `when`,
// switched on and off per variant.
const SHOP_CSS = {
  common: `
html,body{margin:0;padding:0}
body{font:12px/1.5 tahoma,arial,sans-serif;color:#333;background:#fff}
.layout{margin:0 auto}
.layout:after{content:"";display:block;clear:both}
#hd .layout{height:150px;background:#ccc}
#ft .layout{height:600px;background:#666}
.grid-s5m0 .col-main{float:left;width:100%}
.grid-s5m0 .main-wrap{margin-left:200px}
.grid-s5m0 .col-sub{float:left;width:190px;margin-left:-100%;overflow:hidden}
.tshop-pbsm-shop-self-defined{margin-bottom:10px}
.skin-box-bd{overflow:hidden;line-height:1.2;border:0}
.skin-box-bd img{vertical-align:middle}
p{line-height:1.4}`,
  taobao: `
.layout{width:950px}
.footer-more-trigger{position:absolute;padding:6px 11px 4px 14px;width:37px;line-height:1.3;border:1px solid #fff;left:-12px;top:-5px}`,
  tmall: `
.layout{width:990px}
#content img{vertical-align:top}
#bd{position:relative;overflow:visible}
#page{overflow:hidden;min-width:990px}`,
  when: {
    'box positioned': '.skin-box{position:relative}',
    'page clipped': '#bd{position:relative;overflow:visible} #page{overflow:hidden;min-width:950px}',
    'logo absolute': '#content .sn-simple-logo{position:absolute}',
    'logo float': '.sn-simple-logo{height:30px;line-height:30px;margin-right:20px;float:left}',
    'area 1190': '.layout{width:1190px} #page{min-width:1190px}',
  },
};

function cross(...lists) {
  return lists.reduce((acc, list) => acc.flatMap((a) => list.map((b) => [...a, ...b])), [[]]);
}

// Each variant: its name, the rule blocks it switches on, and what the code can hold to there.
// `escapes`: the borrowed class is absolutely positioned, so the module leaves the clipping
// module body; where it is only floated, the module stays centred inside the body, cut to it.
function variants(ed) {
  if (ed.platform === 'taobao') {
    return cross([['box static'], ['box positioned']], [['page plain'], ['page clipped']]).map(([box, pageRule]) => ({
      name: `${box}, ${pageRule}`,
      when: [box, pageRule].filter((w) => w in SHOP_CSS.when),
      escapes: true, clipped: pageRule === 'page clipped', area: 950,
    }));
  }
  const logos = [['logo absolute', ['logo absolute']], ['logo float', ['logo float']], ['logo both', ['logo absolute', 'logo float']]];
  return cross([['box static'], ['box positioned']], logos.map((l) => [l]), [['area 990'], ['area 1190']])
    .map(([box, [logo, logoRules], area]) => ({
      name: `${box}, ${logo}, ${area}`,
      when: [...logoRules, box, area].filter((w) => w in SHOP_CSS.when),
      escapes: logo !== 'logo float', clipped: true, area: area === 'area 1190' ? 1190 : 990,
    }));
}

function customModule(code) {
  return `<div class="J_TModule"><div class="skin-box tb-module tshop-pbsm tshop-pbsm-shop-self-defined">` +
    `<div class="skin-box-bd"><span>${code}</span></div></div></div>\n`;
}

const filler = (h) => customModule(`<div data-ldt="filler" style="height:${h}px;background:#e6e6e6;"></div>`);

// A shop page holding the generated modules in its main column, each after an ordinary module;
// `stacked` modules follow the one before them directly. A module's `bare` code comes last, as
// the seller's code pasted into a plain custom module.
function standInPage(ed, modules) {
  let main = '';
  for (const mod of modules) main += (mod.stacked ? '' : filler(60)) + customModule(mod.code);
  main += filler(60) + modules.filter((mod) => mod.bare).map((mod) => customModule(mod.bare)).join('');
  const side = ed.grid === 'grid-s5m0'
    ? `<div class="col-sub">${customModule('<div data-ldt="side" style="height:240px;background:#8ab;"></div>').repeat(12)}</div>`
    : '';
  const styles = [SHOP_CSS.common, SHOP_CSS[ed.platform]].map((css) => `<style>${css}</style>`).join('\n') +
    Object.entries(SHOP_CSS.when).map(([when, css]) => `<style data-when="${when}">${css}</style>`).join('\n');
  return `<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>shop page</title>\n${styles}\n</head><body>\n` +
    '<div id="page"><div id="content">\n<div id="hd"><div class="layout"></div></div>\n' +
    `<div id="bd"><div class="layout ${ed.grid}">\n<div class="col-main"><div class="main-wrap">\n${main}</div></div>\n${side}</div></div>\n` +
    '<div id="ft"><div class="layout"></div></div>\n</div></div>\n</body></html>\n';
}

// What the shop editor strips from the inline styles of a module. `position` is known to go;
// whether CSS3 layout survives is not, so "css2" also drops what an old whitelist of CSS2
// properties would: flex and grid display values and every property of those layouts.
const STRIP_LEVELS = ['position', 'css2'];

function stripAsShop(level) {
  for (const e of document.querySelectorAll('.skin-box-bd [style]')) {
    e.style.removeProperty('position');
    if (level !== 'css2') continue;
    if (/^(inline-)?(flex|grid)$/.test(e.style.display)) e.style.removeProperty('display');
    for (const prop of [...e.style]) {
      if (/^(flex|grid|align|justify)-|^order$|^(row-|column-)?gap$/.test(prop)) e.style.removeProperty(prop);
    }
  }
}

async function applyVariant(page, variant) {
  await page.evaluate((on) => {
    for (const s of document.querySelectorAll('style[data-when]')) s.disabled = !on.includes(s.dataset.when);
  }, variant.when);
}

// ---------------------------------------------------------------- arguments

function parseArgs(argv) {
  const opts = { engine: 'chromium', only: '' };
  for (let i = 0; i < argv.length; i += 2) {
    const key = argv[i].replace(/^--/, '');
    if (!['generate', 'site', 'out', 'engine', 'only'].includes(key) || i + 1 >= argv.length) {
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
const byStrip = Object.fromEntries(STRIP_LEVELS.map((level) => [level, { passed: 0, failed: 0 }]));

// `strip`: the strip level the case ran under, counted apart.
function report(name, failures, strip) {
  const outcome = failures.length === 0 ? 'passed' : 'failed';
  if (strip) byStrip[strip][outcome]++;
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
    expect(f, 'carries an inline position, which shop modules drop', !/position\s*:/i.test(text));
    for (const [, z] of text.matchAll(/z-index\s*:\s*(-?\d+)/gi)) {
      expect(f, `z-index ${z} outside 1..99, which the shop editor does not keep`, z >= 1 && z <= 99);
    }
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

// The seller's code of the layout checks: a design of the module's size with two stacked images
// and a block, each marked so that the page can be measured; `style`: the design box's own,
// `inner`: more of the seller's code after the parts.
function testDesign(w, h, label, colours, { style = `width:${w}px;height:${h}px;background:#999;`, inner = '' } = {}) {
  const h1 = Math.floor(h * 0.45);
  const h2 = Math.floor(h * 0.3);
  const h3 = h - h1 - h2;
  return `<div data-ldt="design" style="${style}">\n` +
    `<img data-ldt="part" src="${svgImage(w, h1, colours[0], label)}" width="${w}" height="${h1}">` +
    `<img data-ldt="part" src="${svgImage(w, h2, colours[1], `${w} x ${h}`)}" width="${w}" height="${h2}">` +
    `<div data-ldt="part" style="height:${h3}px;background:${colours[2]};"></div>\n${inner}</div>\n`;
}

const COLOURS_A = ['#c0392b', '#2c3e50', '#16a085'];
const COLOURS_B = ['#8e44ad', '#d35400', '#2980b9'];

// Runs the generator; `design` is the seller's code, handed over as GBK bytes as the window would.
// `shows`: what of it the code must hold (by default its first line).
function generate(opts, ed, { tag, w, h, spacing, design, shows = design.trim().split('\n')[0] }) {
  const dir = path.join(opts.out, 'gen', `e${ed.id}-${tag}`);
  fs.mkdirSync(dir, { recursive: true });
  const codeFile = path.join(dir, 'design.html');
  fs.writeFileSync(codeFile, encodeGbk(design));
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
  if (!code.includes(shows)) problems.push('the printed code lacks the test design');
  if (!page.includes(code.trimEnd())) problems.push('the printed code is not in yl.htm');
  if (page.includes('386412957')) problems.push('yl.htm still holds the preview marker');
  if (problems.length) return { error: `${tag}: ${problems.join('; ')}` };
  return { tag, url: pathToFileURL(yl).href, code, w, h, spacing };
}

function encodeGbk(text) {
  return /^[\x00-\x7f]*$/.test(text) ? Buffer.from(text, 'latin1') : execFileSync('iconv', ['-f', 'UTF-8', '-t', 'GBK'], { input: text });
}

// ---------------------------------------------------------------- measuring

// Runs in the page: rectangles, computed styles and hit tests of every test design on it.
// `frame`: the element standing for the browser window (the preview's frame), else the viewport.
// `clipToBody`: hit-test only the part of a module inside its module body.
function measurePage({ frame, clipToBody }) {
  const rect = (e) => {
    const b = e ? e.getBoundingClientRect() : { left: NaN, top: NaN, width: NaN, height: NaN, right: NaN, bottom: NaN };
    return { l: b.left, t: b.top, w: b.width, h: b.height, r: b.right, b: b.bottom };
  };
  const root = document.documentElement;
  const vw = root.clientWidth;
  const vh = root.clientHeight;
  const frameEl = frame && document.querySelector(frame);
  const screen = frameEl ? { ...rect(frameEl), cw: frameEl.clientWidth } : { l: 0, t: 0, r: vw, b: vh, w: vw, h: vh, cw: vw };
  const describe = (e) => (e ? e.getAttribute('data-ldt') || e.className || e.tagName : 'nothing');
  const modules = [...document.querySelectorAll('[data-ldt="design"]')].map((design) => {
    const box = design.parentElement;
    const body = box.closest('.skin-box-bd');
    const mod = body && body.closest('.J_TModule');
    if (!mod || !mod.nextElementSibling) return { missing: true };
    const b = rect(box);
    let [l, r, t, bottom] = [Math.max(b.l, screen.l, 0), Math.min(b.r, screen.r, vw), Math.max(b.t, 0), Math.min(b.b, vh)];
    if (clipToBody) {
      const c = rect(body);
      [l, r, t, bottom] = [Math.max(l, c.l), Math.min(r, c.r), Math.max(t, c.t), Math.min(bottom, c.b)];
    }
    // Clipping does not change rectangles, it changes what a point shows.
    const hidden = [];
    if (r - l < 4 || bottom - t < 4) hidden.push('no part of it is in view');
    else {
      const xs = [l + 2, r - 2];
      for (let x = l + 60; x < r - 2; x += 120) xs.push(x);
      for (const y of [t + 2, (t + bottom) / 2, bottom - 2]) {
        for (const x of xs) {
          const hit = document.elementFromPoint(x, y);
          if (!hit || !design.contains(hit)) hidden.push(`(${Math.round(x)},${Math.round(y)}) shows ${describe(hit)}`);
        }
      }
    }
    return {
      body: rect(body),
      next: rect(mod.nextElementSibling),
      box: rect(box),
      boxClass: box.className,
      design: rect(design),
      picture: getComputedStyle(design).backgroundImage,
      parts: [...design.querySelectorAll('[data-ldt="part"]')].map(rect),
      borrowed: [...body.querySelectorAll('.footer-more-trigger,.most-footer,.sn-simple-logo')].map((e, i) => {
        const cs = getComputedStyle(e);
        return {
          name: e === box ? 'module box' : `borrowed box ${i + 1}`,
          position: cs.position,
          padding: [cs.paddingTop, cs.paddingRight, cs.paddingBottom, cs.paddingLeft].join(' '),
          border: [cs.borderTopWidth, cs.borderRightWidth, cs.borderBottomWidth, cs.borderLeftWidth].join(' '),
        };
      }),
      hidden,
    };
  });
  const font = (e) => {
    const cs = getComputedStyle(e);
    return `${cs.fontSize}/${cs.lineHeight} ${cs.color} ${cs.fontFamily}`;
  };
  return {
    screen,
    vw,
    scrollWidth: root.scrollWidth,
    texts: [...document.querySelectorAll('[data-ldt="design"] [data-ldt="text"]')].map(font),
    bareTexts: [...document.querySelectorAll('[data-ldt="bare"] [data-ldt="text"]')].map(font),
    area: rect(document.querySelector('#bd .layout')),
    column: rect(document.querySelector('#bd .main-wrap')),
    modules,
  };
}

const usable = (mod) => mod && !mod.missing;

// ---------------------------------------------------------------- checks

// The page around the modules: the area in its place; sideways scrolling only where the page
// does not clip and a module sticks out of the window (not judged for a frame wider than it).
function checkPage(f, m, exp, { scroll = true } = {}) {
  const pageCentre = m.screen.l + m.screen.cw / 2;
  near(f, 'content area width', m.area.w, exp.area);
  near(f, 'area centre against the page centre', m.area.l + m.area.w / 2 - pageCentre, 0);
  near(f, 'main column width', m.column.w, exp.column);
  near(f, 'main column centre right of the page centre', m.column.l + m.column.w / 2 - pageCentre, exp.shift);
  if (!scroll) return;
  const rights = m.modules.filter(usable).map((mod) => Math.ceil(mod.box.r - EPS));
  const limit = exp.clipped ? m.vw : Math.max(m.vw, ...rights);
  expect(f, `page scrolls sideways to ${m.scrollWidth} px, more than ${limit}`, m.scrollWidth <= limit);
}

// One module: size, centring, top spacing, what follows it, what the borrowed classes leave,
// and that every visible point of it shows the design.
function checkModule(f, label, mod, m, exp, { w, h, spacing }) {
  if (!usable(mod)) {
    f.push(`${label}: test design or the module after it not found`);
    return;
  }
  const p = (what) => `${label} ${what}`;
  expect(f, p(`box holding the code has class "${mod.boxClass}", not ${exp.classes.join('/')}`),
    exp.classes.some((c) => mod.boxClass.split(/\s+/).includes(c)));
  near(f, p('box width'), mod.box.w, w);
  near(f, p('box height'), mod.box.h, h);
  near(f, p('box left against the centred position'), mod.box.l - m.screen.l, (m.screen.cw - w) / 2);
  near(f, p('design left in its box'), mod.design.l - mod.box.l, 0);
  near(f, p('design top in its box'), mod.design.t - mod.box.t, 0);
  // Stacked images and blocks follow each other without baseline gaps and end at the box bottom.
  expect(f, p(`${mod.parts.length} parts of the design instead of 3`), mod.parts.length === 3);
  let y = mod.box.t;
  mod.parts.forEach((part, i) => {
    near(f, p(`part ${i + 1} top`), part.t, y);
    y = part.b;
  });
  near(f, p('last part bottom'), y, mod.box.b);
  near(f, p('box top against the module body top (the top spacing)'), mod.box.t - mod.body.t, spacing);
  near(f, p('next module start below the box bottom'), mod.next.t - mod.box.b, GAP);
  for (const b of mod.borrowed) {
    const q = (what) => p(`${b.name} ${what}`);
    if (exp.escapes) expect(f, q(`position ${b.position}, not absolute`), b.position === 'absolute');
    expect(f, q(`padding ${b.padding}`), b.padding === '0px 0px 0px 0px');
    expect(f, q(`border ${b.border}`), b.border === '0px 0px 0px 0px');
  }
  const shown = mod.hidden.slice(0, 4).join(', ') + (mod.hidden.length > 4 ? ` and ${mod.hidden.length - 4} more` : '');
  expect(f, p(`is clipped or covered: ${shown}`), mod.hidden.length === 0);
}

async function screenshot(page, opts, name, clip) {
  if (!page.screenshot) return;
  const dir = path.join(opts.out, 'screenshots');
  fs.mkdirSync(dir, { recursive: true });
  await page.screenshot(path.join(dir, `${name}.png`), clip);
}

// ---------------------------------------------------------------- the stand-in

// Last time's output for another edition and size, as it comes back out of the shop editor: line
// ends and the wrapper's spacing written anew, the design inside as it was.
function pastedBack(opts, ed, w, design) {
  const other = EDITIONS[(ed.id + 2) % 3];
  const gen = generate(opts, other, { tag: `w${w}-pasted`, w: w === 1200 ? 1920 : 1200, h: 320, spacing: -20, design });
  if (gen.error) return gen;
  const [before, after] = gen.code.split(design);
  const respaced = (part) => part.split('\r\n').map((line, i) => '  '.repeat(i % 3) +
    line.replace(/style="([^"]*)"/, (m, css) => `style="${css.replace(/:/g, ': ').replace(/;(?=.)/g, '; ')}"`)).join('\n');
  return { code: respaced(before) + design + respaced(after) };
}

// The modules of one stand-in page: A at spacing 0 with B stacked right under it at -10
// (closing the shop's gap exactly), then C at -10, D at -20, E at 0 and F at -10, each after an
// ordinary module. C is A's design as last time's output of another edition pasted back: it must
// come out as the direct generation does, byte for byte. D ends with tags that do not balance,
// which the tool mends. E's tags do not balance either, but the browser closes them itself at
// the end of their section and list: a </div> added for them would close the module's own box.
// E also holds the seller's text with no sizes of its own, which must look as it does in a plain
// custom module. F is centred by position and left:50%, which the shop strips: its box and
// picture must stay.
function standInModules(opts, ed, w) {
  const design = (spacing) => testDesign(w, 500, `${ed.name} ${spacing}`, COLOURS_A);
  const designE = testDesign(w, 300, `${ed.name} E`, COLOURS_B, { inner: '<a data-ldt="text" href="https://shop.example.com/">全屏海报</a>\n' +
    '<p data-ldt="text">新品上架 全场包邮</p>\n<section><div>新品</section><p>下一段</p>\n<ul><li><div>满199减20</ul>\n' });
  const a = (spacing) => generate(opts, ed, { tag: `w${w}-a${spacing}`, w, h: 500, spacing, design: design(spacing) });
  const direct = a(-10);
  const pasted = pastedBack(opts, ed, w, design(-10));
  const c = pasted.error ? pasted : generate(opts, ed, { tag: `w${w}-c`, w, h: 500, spacing: -10,
    design: pasted.code, shows: design(-10).split('\n')[0] });
  if (!c.error && !direct.error && c.code !== direct.code) c.error = `w${w}-c: the pasted-back code differs from the direct generation`;
  return [
    { gen: a(0) },
    { gen: generate(opts, ed, { tag: `w${w}-b`, w, h: 320, spacing: -10, design: testDesign(w, 320, `${ed.name} B`, COLOURS_B) }), stacked: true },
    { gen: c },
    { gen: generate(opts, ed, { tag: `w${w}-d`, w, h: 500, spacing: -20,
      design: `${design(-20)}</div></span>\n<a href="https://shop.example.com/">` }) },
    { gen: generate(opts, ed, { tag: `w${w}-e`, w, h: 300, spacing: 0, design: designE }), bare: designE.replace('"design"', '"bare"') },
    { gen: generate(opts, ed, { tag: `w${w}-f`, w, h: 300, spacing: -10, shows: '<img data-ldt="part"',
      design: testDesign(w, 300, `${ed.name} F`, COLOURS_A,
        { style: `position:relative;left:50%;margin-left:-${w / 2}px;width:${w}px;height:300px;background:url(${svgImage(w, 300, '#7a5', 'F')})` }) }),
    pictured: true },
  ];
}

// The page as the shop serves it, stripped at `strip`: the layout holds at the strictest level,
// since its code must not need what may go.
async function openStandIn(page, opts, ed, name, modules, strip = 'css2') {
  const file = path.join(opts.out, 'stand-in', `${ed.name}-${name}.html`);
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, standInPage(ed, modules.map((mod) => ({ code: mod.gen.code, stacked: mod.stacked, bare: mod.bare }))));
  await page.goto(pathToFileURL(file).href);
  await page.evaluate(stripAsShop, strip);
}

function expectation(ed, v) {
  return { ...ed, ...v, column: ed.platform === 'tmall' ? v.area : ed.column };
}

// `text` cases: computed styles depend on neither the module's width nor the window's, so once
// per variant.
async function standInCases(page, opts, ed, w, selected) {
  const names = (vp) => variants(ed).map((v) => ({ v, name: `layout ${ed.name} module ${w} viewport ${vp} [${v.name}]`,
    text: w === 1920 && vp === profile.viewports[0] ? `text ${ed.name} module ${w} viewport ${vp} [${v.name}]` : '' }))
    .filter((c) => selected(c.name) || (c.text && selected(c.text)));
  if (!profile.viewports.some((vp) => names(vp).length)) return;
  const modules = standInModules(opts, ed, w);
  const errors = modules.filter((mod) => mod.gen.error).map((mod) => mod.gen.error);
  if (!errors.length) await openStandIn(page, opts, ed, `w${w}`, modules);
  for (const vp of profile.viewports) {
    await page.setViewport(vp, VIEWPORT_HEIGHT);
    for (const { v, name, text } of names(vp)) {
      if (errors.length) {
        for (const n of [name, text].filter((n) => n && selected(n))) report(n, errors);
        continue;
      }
      const f = [];
      const exp = expectation(ed, v);
      await applyVariant(page, v);
      const m = await page.evaluate(measurePage, { clipToBody: !v.escapes });
      if (text && selected(text)) {
        const t = [];
        expect(t, `${m.texts.length} texts in the code, ${m.bareTexts.length} in the plain module`, m.bareTexts.length && m.texts.length === m.bareTexts.length);
        m.texts.forEach((got, i) => expect(t, `text ${i + 1}: ${got} instead of ${m.bareTexts[i]} as in a plain module`, got === m.bareTexts[i]));
        report(text, t);
      }
      if (!selected(name)) continue;
      checkPage(f, m, exp);
      expect(f, `${m.modules.length} test designs on the page instead of ${modules.length}`, m.modules.length === modules.length);
      modules.forEach((mod, i) => {
        const label = `${'ABCDEF'[i]}(${mod.gen.spacing})`;
        checkModule(f, label, m.modules[i], m, exp, mod.gen);
        if (mod.pictured && usable(m.modules[i])) expect(f, `${label} design box lost its picture`, m.modules[i].picture !== 'none');
      });
      if (usable(m.modules[0]) && usable(m.modules[1])) {
        near(f, 'B top against A bottom (gap > 0, overlap < 0)', m.modules[1].box.t - m.modules[0].box.b, 0);
      }
      report(name, f);
      if (ed.name === 'basic' && w === 1920 && vp === 1366 && v.name === 'box positioned, page plain') {
        await screenshot(page, opts, 'stand-in-basic-side-column-box-positioned', { x: 0, y: 0, width: vp, height: 1300 });
      }
    }
  }
}

// An odd width gives a half-pixel offset; the module is still centred, on every variant.
async function oddCases(page, opts, ed, selected) {
  const w = 1201;
  const vp = 1440;
  const cases = variants(ed).map((v) => ({ v, name: `odd width ${ed.name} module ${w} viewport ${vp} [${v.name}]` })).filter((c) => selected(c.name));
  if (!cases.length) return;
  const gen = generate(opts, ed, { tag: `w${w}-odd`, w, h: 500, spacing: 0, design: testDesign(w, 500, 'odd', COLOURS_A) });
  if (gen.error) {
    for (const c of cases) report(c.name, [gen.error]);
    return;
  }
  await openStandIn(page, opts, ed, `w${w}`, [{ gen }]);
  await page.setViewport(vp, VIEWPORT_HEIGHT);
  for (const { v, name } of cases) {
    const f = [];
    const exp = expectation(ed, v);
    await applyVariant(page, v);
    const m = await page.evaluate(measurePage, { clipToBody: !v.escapes });
    checkPage(f, m, exp);
    checkModule(f, 'A', m.modules[0], m, exp, gen);
    report(name, f);
  }
}

// ---------------------------------------------------------------- hot spots

// A hot-spot tool's code: a banner image in a positioned box, the links placed over it by inline
// position in every way the tool repairs (any case and spacing, z-index, right/bottom, a box
// inside a box).
const HOT_SPOT_DESIGN = `<div data-ldt="hotdesign" style="position:relative;width:1920px;height:500px;">
<img src="${svgImage(1920, 500, '#345', 'hot spots')}" width="1920" height="500">
<a href="https://shop.example.com/A" style="position:absolute;left:100px;top:200px;width:300px;height:80px;display:block;"></a>
<a href="https://shop.example.com/B" style="Z-INDEX:5; top:50px; LEFT:800PX; height:120px; width:320px; POSITION:ABSOLUTE"></a>
<a href="https://shop.example.com/C" style="position:absolute;right:60px;bottom:40px;width:200px;height:100px"></a>
<div style="position:absolute;left:1250px;top:250px;width:380px;height:200px;"><a href="https://shop.example.com/D" style="position:absolute;left:20px;top:30px;width:160px;height:60px"></a></div>
<a href="https://shop.example.com/E" style="position:absolute;left:860px;top:380px;width:200px;height:60px;">立即购买</a>
</div>
`;
// Each design on the hot-spot page: its code, where each link lies in it as designed, the points
// where links overlap with the link the design puts on top there (the higher z-index, else the
// later), or null where the banner itself shows, and the links that must be clicked even where
// the page cuts the module to its column.
const HOT_SPOT_DESIGNS = [
  { code: HOT_SPOT_DESIGN, clicked: ['B', 'E'], points: [],
    spots: [
      { k: 'A', x: 100, y: 200, w: 300, h: 80 },
      { k: 'B', x: 800, y: 50, w: 320, h: 120 },
      { k: 'C', x: 1660, y: 360, w: 200, h: 100 },
      { k: 'D', x: 1270, y: 280, w: 160, h: 60 },
      { k: 'E', x: 860, y: 380, w: 200, h: 60 },
    ] },
  { code: `<div data-ldt="hotdesign" style="position:relative;width:1920px;height:500px;background:url(${svgImage(1920, 500, '#543', 'background')}) no-repeat;">
<a href="https://shop.example.com/P" style="position:absolute;z-index:3;left:300px;top:100px;width:400px;height:200px"></a>
<a href="https://shop.example.com/Q" style="position:absolute;left:560px;top:160px;width:400px;height:200px"></a>
<a href="https://shop.example.com/R" style="position:absolute;left:800px;top:280px;width:400px;height:200px"></a>
<a href="https://shop.example.com/S" style="position:absolute;z-index:2;left:1300px;top:100px;width:300px;height:200px"></a>
<a href="https://shop.example.com/T" style="position:absolute;z-index:2;left:1500px;top:200px;width:300px;height:200px"></a>
</div>
`,
    clicked: ['Q'],
    points: [[650, 250, 'P'], [690, 290, 'P'], [850, 300, 'R'], [900, 340, 'R'], [1550, 250, 'T'], [150, 450, null]],
    spots: [
      { k: 'P', x: 300, y: 100, w: 400, h: 200 },
      { k: 'Q', x: 560, y: 160, w: 400, h: 200 },
      { k: 'R', x: 800, y: 280, w: 400, h: 200 },
      { k: 'S', x: 1300, y: 100, w: 300, h: 200 },
      { k: 'T', x: 1500, y: 200, w: 300, h: 200 },
    ] },
];

// Runs in the page, after the shop's stripping: where each link of the design lies against it;
// what its centre and the points 3 px inside its corners show, where they are in view and no
// other link of the design is designed over them; and what each overlap point shows.
function measureHotSpots({ index, spots, points, clipToBody }) {
  const design = document.querySelectorAll('[data-ldt="hotdesign"]')[index];
  if (!design) return null;
  const o = design.getBoundingClientRect();
  const body = design.closest('.skin-box-bd').getBoundingClientRect();
  const vw = document.documentElement.clientWidth;
  const vh = document.documentElement.clientHeight;
  const shows = (e) => (e ? e.outerHTML.slice(0, 60) : 'nothing');
  const href = (k) => `https://shop.example.com/${k}`;
  const inView = (x, y) => x >= 0 && x < vw && y >= 0 && y < vh &&
    (!clipToBody || (x > body.left && x < body.right && y > body.top && y < body.bottom));
  const inside = (s, x, y) => x > s.x && x < s.x + s.w && y > s.y && y < s.y + s.h;
  const links = spots.map((s) => {
    const link = document.querySelector(`a[href="${href(s.k)}"]`);
    const r = link ? link.getBoundingClientRect() : { left: NaN, top: NaN, width: NaN, height: NaN };
    const points = [[s.x + s.w / 2, s.y + s.h / 2], [s.x + 3, s.y + 3], [s.x + s.w - 3, s.y + 3], [s.x + 3, s.y + s.h - 3], [s.x + s.w - 3, s.y + s.h - 3]];
    const misses = [];
    let tried = 0;
    for (const [dx, dy] of points) {
      const [x, y] = [o.left + dx, o.top + dy];
      if (!inView(x, y) || spots.some((other) => other !== s && inside(other, dx, dy))) continue;
      tried++;
      const hit = document.elementFromPoint(x, y);
      if (!link || !hit || !link.contains(hit)) misses.push(`(${Math.round(x)},${Math.round(y)}) shows ${shows(hit)}`);
    }
    return { k: s.k, x: r.left - o.left, y: r.top - o.top, w: r.width, h: r.height, tried, misses };
  });
  const overlaps = points.filter(([dx, dy]) => inView(o.left + dx, o.top + dy)).map(([dx, dy, want]) => {
    const hit = document.elementFromPoint(o.left + dx, o.top + dy);
    const link = hit?.closest('a');
    let pictured = false;
    for (let e = hit; e && design.contains(e) && !pictured; e = e.parentElement) pictured = getComputedStyle(e).backgroundImage !== 'none';
    const ok = want ? link?.getAttribute('href') === href(want) : !!hit && design.contains(hit) && !link && pictured;
    return ok ? null : `(${dx},${dy}) of the design shows ${shows(hit)} instead of ${want ? `link ${want}` : 'its banner'}`;
  });
  return { links, overlaps };
}

// The repaired hot spots on every variant of each edition's shop page, stripped at each level:
// each link covers exactly its designed box, its centre and corners open it wherever the page
// shows them, and where links overlap the one on top is the design's.
async function hotSpotCases(page, opts, ed, selected) {
  const vp = 1920;
  const cases = STRIP_LEVELS.flatMap((strip) => variants(ed).map((v) =>
    ({ v, strip, name: `hot spots ${ed.name} module 1920 viewport ${vp} [${v.name}] [strip ${strip}]` })))
    .filter((c) => selected(c.name));
  if (!cases.length) return;
  const modules = HOT_SPOT_DESIGNS.map((d, i) => ({ gen: generate(opts, ed, { tag: `hotspots-${i}`, w: 1920, h: 500, spacing: 0,
    design: d.code, shows: '<div data-ldt="hotdesign"' }) }));
  const errors = modules.filter((mod) => mod.gen.error).map((mod) => mod.gen.error);
  if (errors.length) {
    for (const c of cases) report(c.name, errors, c.strip);
    return;
  }
  await page.setViewport(vp, VIEWPORT_HEIGHT);
  let stripped;
  for (const { v, strip, name } of cases) {
    if (strip !== stripped) await openStandIn(page, opts, ed, 'hotspots', modules, (stripped = strip));
    const f = [];
    await applyVariant(page, v);
    for (const [index, d] of HOT_SPOT_DESIGNS.entries()) {
      const got = await page.evaluate(measureHotSpots, { index, spots: d.spots, points: d.points, clipToBody: !v.escapes });
      if (!got) {
        f.push(`hot-spot design ${index + 1} is not on the page`);
        continue;
      }
      got.links.forEach((link, i) => {
        const want = d.spots[i];
        const q = (what) => `${want.k} ${what}`;
        near(f, q('left in the design'), link.x, want.x);
        near(f, q('top in the design'), link.y, want.y);
        near(f, q('width'), link.w, want.w);
        near(f, q('height'), link.h, want.h);
        for (const miss of link.misses) f.push(q(miss));
      });
      f.push(...got.overlaps.filter(Boolean));
      const unclicked = d.clicked.filter((k) => !got.links.find((link) => link.k === k).tried);
      expect(f, `${unclicked.join(' and ')} not clicked`, !unclicked.length);
    }
    report(name, f, strip);
  }
}

// ---------------------------------------------------------------- the preview page

// Opens a preview page and waits for its list to be complete, which it is once the design's
// images have come and the design has been measured. Script errors, a list that never completes
// and a wrongly recognised edition are failures. The page is then laid out as the expected
// edition anyway, so that the geometry is checked against the right shop area.
async function openPreview(page, url, ed, f) {
  page.errors();
  await page.goto(url);
  await listComplete(page, f);
  if (!ed) return;
  const recognised = await page.evaluate(([wanted, grid]) => {
    const classes = document.body.className.split(/\s+/);
    const found = classes.filter((c) => c.startsWith('ed-')).join(' ');
    if (found !== wanted) {
      document.body.className = classes.filter((c) => c && !c.startsWith('ed-')).concat(wanted).join(' ');
      document.getElementById('ld-layout').className = `layout ${grid}`;
    }
    return found;
  }, [ed.bodyClass, ed.grid]);
  expect(f, `edition recognised as "${recognised}" instead of ${ed.bodyClass}`, recognised === ed.bodyClass);
}

async function listComplete(page, f) {
  let state;
  for (let i = 0; i < 100; i++) {
    state = await page.evaluate(() => {
      const list = document.getElementById('ld-report');
      return list.getAttribute('data-state') === 'measured' ? 'measured' : list.textContent.slice(0, 160);
    });
    if (state === 'measured') break;
    await new Promise((r) => setTimeout(r, 50));
  }
  for (const e of page.errors()) f.push(`script error: ${e}`);
  expect(f, `the preview's list is not complete: ${state}`, state === 'measured');
}

// Presses a button that switches the preview between the code repaired and unrepaired, and waits
// for the list to describe the code it then shows; false when there is no such button.
async function pressSwitch(page, show, f) {
  const button = `#ld-repairs button[data-show="${show}"]`;
  const offered = await page.evaluate((b) => {
    document.getElementById('ld-report').removeAttribute('data-state');
    return !!document.querySelector(b);
  }, button);
  expect(f, `no button ${button}`, offered);
  if (!offered) return false;
  await page.click(button);
  await listComplete(page, f);
  return true;
}

// The preview simulates a shop whose module boxes are positioned and whose window edge clips.
const previewVariant = (ed) => ({ escapes: true, clipped: true, area: ed.platform === 'tmall' ? 990 : 950 });

async function insertModuleAfterSlot(page, code) {
  return page.evaluate((html) => {
    const slotModule = document.getElementById('ld-slot')?.closest('.J_TModule');
    if (!slotModule) return false;
    const mod = slotModule.cloneNode(true);
    const span = mod.querySelector('span');
    span.removeAttribute('id');
    span.innerHTML = html;
    slotModule.parentNode.insertBefore(mod, slotModule.nextSibling);
    return true;
  }, code);
}

// The page's own script puts A into the slot; B is stacked under it at -10.
async function previewLayoutCases(page, opts, ed, w, selected) {
  const names = profile.viewports.map((vp) => ({ vp, name: `preview ${ed.name} module ${w} viewport ${vp}` })).filter((c) => selected(c.name));
  if (!names.length) return;
  const a = generate(opts, ed, { tag: `w${w}-preview-a`, w, h: 500, spacing: 0, design: testDesign(w, 500, `${ed.name} preview`, COLOURS_A) });
  const b = generate(opts, ed, { tag: `w${w}-preview-b`, w, h: 320, spacing: -10, design: testDesign(w, 320, `${ed.name} B`, COLOURS_B) });
  const errors = [a, b].filter((g) => g.error).map((g) => g.error);
  const opened = [];
  if (!errors.length) {
    await openPreview(page, a.url, ed, opened);
    expect(opened, 'no module slot #ld-slot in a .J_TModule of the preview', await insertModuleAfterSlot(page, b.code));
  }
  const exp = expectation(ed, previewVariant(ed));
  for (const { vp, name } of names) {
    if (errors.length) {
      report(name, errors);
      continue;
    }
    const f = [...opened];
    await page.setViewport(vp, VIEWPORT_HEIGHT);
    const m = await page.evaluate(measurePage, { frame: '#ld-screen' });
    near(f, 'page frame left', m.screen.l, 0);
    near(f, 'page frame width against the window', m.screen.cw, m.vw);
    checkPage(f, m, exp);
    checkModule(f, 'A', m.modules[0], m, exp, a);
    checkModule(f, 'B', m.modules[1], m, exp, b);
    if (usable(m.modules[0]) && usable(m.modules[1])) {
      near(f, 'B top against A bottom (gap > 0, overlap < 0)', m.modules[1].box.t - m.modules[0].box.b, 0);
    }
    report(name, f);
  }
}

// The width buttons: the frame takes the chosen width, the module (here at -20) stays centred in it.
async function frameCase(page, opts, ed) {
  const f = [];
  const vp = 1920;
  const w = 1920;
  const gen = generate(opts, ed, { tag: `w${w}-frame`, w, h: 500, spacing: -20, design: testDesign(w, 500, `${ed.name} -20`, COLOURS_A) });
  const name = `preview frame buttons ${ed.name} module ${w} viewport ${vp}`;
  if (gen.error) return report(name, [gen.error]);
  await page.setViewport(vp, VIEWPORT_HEIGHT);
  await openPreview(page, gen.url, ed, f);
  const exp = expectation(ed, previewVariant(ed));
  for (const frame of [1366, 1440, 2560]) {
    await page.click(`.ld-bar button[data-w="${frame}"]`);
    const m = await page.evaluate(measurePage, { frame: '#ld-screen' });
    near(f, `frame ${frame} width`, m.screen.w, frame);
    near(f, `frame ${frame} left`, m.screen.l, Math.max(0, (vp - frame) / 2));
    checkPage(f, m, exp, { scroll: false });
    checkModule(f, `frame ${frame}`, m.modules[0], m, exp, gen);
    if (frame === 1366) await screenshot(page, opts, `preview-${ed.name}-frame1366`, { x: 0, y: 0, width: vp, height: 900 });
  }
  report(name, f);
}

// The rows of the preview's list, as the seller sees them.
async function listedRows(page) {
  return page.evaluate(() => [...document.querySelectorAll('#ld-report tbody tr')].map((tr) => ({
    kind: tr.getAttribute('data-kind'),
    what: tr.getAttribute('data-what'),
    cells: [...tr.cells].map((td) => td.innerText.trim()),
  })));
}

// What the tool repaired, as the preview lists it above its advice: each row's kind, whether
// every row shows what the code was and what it became, and the buttons that switch to the code
// unrepaired and back (the pressed one starred).
async function listedRepairs(page) {
  return page.evaluate(() => {
    const list = document.getElementById('ld-repairs');
    const rows = list ? [...list.querySelectorAll('tbody tr')] : [];
    const incomplete = rows.find((tr) => !tr.cells[1]?.innerText.trim() || !tr.cells[2]?.innerText.trim());
    return {
      switch: [...document.querySelectorAll('#ld-repairs button')].map((b) => b.textContent + (b.className === 'on' ? '*' : '')).join(' '),
      keys: rows.map((tr) => tr.getAttribute('data-repair')),
      above: !!list && !!(list.compareDocumentPosition(document.getElementById('ld-report')) & Node.DOCUMENT_POSITION_FOLLOWING),
      incomplete: incomplete ? incomplete.innerText.replace(/\s+/g, ' ') : '',
    };
  });
}

// Each row that must be listed: "kind what", its count, the texts it shows as they stand in the
// code, and what its advice says. `not`: the rows that must not be listed, or 'others' for any
// row but those.
function checkRows(f, rows, must, not = 'others') {
  const key = (r) => `${r.kind} ${r.what}`;
  for (const [row, count, samples = [], says] of must) {
    const got = rows.find((r) => key(r) === row);
    if (!got) {
      f.push(`list lacks "${row}"`);
      continue;
    }
    const [, written, times, meaning, confidence] = got.cells;
    if (count !== undefined) expect(f, `"${row}" counted ${times} times instead of ${count}`, times === String(count));
    for (const sample of samples) expect(f, `"${row}" does not show ${sample}: ${written}`, written.includes(sample));
    if (says) expect(f, `"${row}" says "${meaning}" without "${says}"`, meaning.includes(says));
    expect(f, `"${row}" says nothing about the design`, /\p{Script=Han}/u.test(meaning));
    expect(f, `"${row}" confidence "${confidence}" is none of ${CONFIDENCE.join(' ')}`, CONFIDENCE.includes(confidence));
  }
  for (const r of rows) {
    const wanted = must.some(([row]) => row === key(r));
    expect(f, `list has "${key(r)}" too`, not === 'others' ? wanted : !not.includes(key(r)));
  }
}

// The seller's code of the stripping case and what the shop keeps of it. Counted: three
// scripts (one in SVG, one after an attempt to close the page's <plaintext>), two handlers.
const STRIP_DESIGN = `<div data-ldt="design" style="width:1920px;height:300px;background:#468;">
<script>window.ldRan = (window.ldRan || 0) + 1;</script>
<style>img{outline:4px solid red}</style>
<link rel="stylesheet" href="https://img.alicdn.com/tps/x.css">
<img data-ldt="photo" src="https://img.example.com/banner.jpg" width="1920" height="200" alt="热区" onerror="window.ldRan = 2">
<a id="hot1" data-ldt="hot" href="https://shop.example.com/" onclick="window.ldRan = 3; return false;" style="position:absolute; left:100px;top:50px;width:200px;height:80px;display:block;background:url(data:image/gif;base64,R0lGODlhAQABAAAAACw=)">热区</a>
<a data-ldt="js" href=" javascript:window.ldRan = 4" style="display:block;height:10px">x</a>
<svg width="10" height="10"><script>window.ldRan = 5</script><rect width="10" height="10" fill="#fff"/></svg>
<iframe srcdoc="&lt;script&gt;parent.ldRan = 6&lt;/script&gt;"></iframe>
<map name="m"><area shape="rect" coords="0,0,10,10" href="https://shop.example.com/"></map>
</plaintext><script>window.ldRan = 7</script>
</div>
`;
const STRIP_KEPT = `<div data-ldt="design" style="width:1920px;height:300px;background:#468;">
<img data-ldt="photo" src="https://img.example.com/banner.jpg" width="1920" height="200" alt="热区">
<a data-ldt="hot" href="https://shop.example.com/" style="left:100px;top:50px;width:200px;height:80px;display:block;background:url(data:image/gif;base64,R0lGODlhAQABAAAAACw=)">热区</a>
<a data-ldt="js" style="display:block;height:10px">x</a>
<svg width="10" height="10"><rect width="10" height="10" fill="#fff"/></svg>
<map name="m"><area shape="rect" coords="0,0,10,10" href="https://shop.example.com/"></map>
</div>`;
const STRIP_ROWS = [
  ['strip <script>', 3, ['<script>window.ldRan']],
  ['strip <style>', 1, ['<style>']],
  ['strip <link>', 1, ['<link']],
  ['strip id', 1, ['id="hot1"']],
  ['strip onclick', 1, ['onclick="window.ldRan = 3; return false;"']],
  ['strip onerror', 1, ['onerror="window.ldRan = 2"']],
  ['strip position', 1, ['position:absolute']],
  ['preview javascript:', 1, ['javascript:window.ldRan = 4']],
  ['preview <iframe>', 1, ['<iframe']],
  ['advice img.example.com', 1, ['https://img.example.com/banner.jpg']],
  ['advice data:', 1, ['data:image/gif;base64']],
  ['advice hotspot', 1, ['data-ldt="hot"'], '1 个热区会失效'],
];

async function stripCase(page, opts) {
  const name = 'preview strips what the shop strips, runs nothing of the seller\'s, lists it';
  const ed = EDITIONS[1];
  const f = [];
  const gen = generate(opts, ed, { tag: 'strip', w: 1920, h: 300, spacing: 0, design: STRIP_DESIGN });
  if (gen.error) return report(name, [gen.error]);
  await page.setViewport(1440, 1000);
  await openPreview(page, gen.url, ed, f);
  const seen = await page.evaluate((kept) => {
    // Clicks on what had a handler or a script address; the default action would leave the page.
    document.addEventListener('click', (e) => e.preventDefault(), true);
    for (const e of document.querySelectorAll('[data-ldt="hot"],[data-ldt="js"]')) e.click();
    const normal = (root) => {
      for (const e of [root, ...root.querySelectorAll('*')]) {
        if (e.hasAttribute('style')) e.setAttribute('style', e.style.cssText);
        for (const t of [...e.childNodes]) if (t.nodeType === 3 && !t.textContent.trim()) t.remove();
      }
      return root;
    };
    const expected = normal(new DOMParser().parseFromString(kept, 'text/html').body.firstElementChild);
    const design = document.querySelector('#ld-slot [data-ldt="design"]');
    return {
      ran: window.ldRan ?? null,
      same: !!design && normal(design.cloneNode(true)).isEqualNode(expected),
      shown: design ? design.outerHTML.replace(/\s+/g, ' ') : 'no design in the slot',
    };
  }, STRIP_KEPT);
  expect(f, `the seller's script ran (ldRan = ${seen.ran})`, seen.ran === null);
  expect(f, `the slot does not hold the code less what the shop strips: ${seen.shown}`, seen.same);
  // Its geometry is not what this case is about: its text lines, in the page's own font now,
  // make its height depend on each engine's fonts.
  const rows = (await listedRows(page)).filter((r) => !(r.kind === 'advice' && r.what in { height: 1, narrow: 1, width: 1 }));
  checkRows(f, rows, STRIP_ROWS);
  await screenshot(page, opts, 'preview-list', { x: 0, y: 0, width: 1440, height: 700 });
  report(name, f);
}

// ---------------------------------------------------------------- advice

const inDesign = (inner) => `<div style="width:1920px;height:300px;background:#468;">${inner}</div>\n`;

// Last time's output of the tool (professional edition, 1920 x 300), pasted back as the design.
const LAST_OUTPUT = `<div style="height:300px;margin-top:0px;padding:0 0 0 50%;line-height:0;font-size:0;">
<div class="footer-more-trigger" style="left:auto;top:auto;right:auto;bottom:auto;z-index:1;width:0;height:0;margin:0;padding:0;border:0;background:none;overflow:visible;">
<div class="footer-more-trigger" style="left:auto;top:0;right:auto;bottom:auto;width:1920px;height:300px;margin:0 0 0 -960px;padding:0;border:0;background:none;overflow:hidden;line-height:0;font-size:0;text-indent:0;">
<div style="width:1920px;height:300px;background:#468;"></div>
</div>
</div>
</div>
`;

// One seller's code per mistake, and controls that must stay silent: the rows each must list
// ([row, count, texts shown as written, what the advice says]) and must not list ('others': no
// row but those). IMG is the checks' own image server (http://127.0.0.1:PORT/img). The module is
// 1920 x 300 unless `size` says otherwise; `text`: what the preview must show of the code;
// `repairs`: what the tool repaired, listed above the advice, in order; `unrepaired`: where its
// link lies in the design shown unrepaired (`at`) and repaired, and the rows the list must then
// have; `webkit`: one of the few run in WebKit too.
const ADVICE_CASES = [
  { what: 'a well-made 1920 design with a class-placed hot spot and an image map: nothing to say', webkit: true,
    code: inDesign('<img src="https://img.alicdn.com/imgextra/banner.jpg" width="1920" height="300" usemap="#hot" alt="">' +
      '<map name="hot"><area shape="rect" coords="360,40,760,260" href="https://shop.example.com/1"></map>' +
      '<a class="footer-more-trigger" href="https://shop.example.com/2" style="left:1200px;top:40px;width:300px;height:200px;">' +
      '<span style="font-size:20px;line-height:24px;color:#fff;">&#128073; 立即购买</span></a>'),
    text: '\u{1F449} 立即购买', must: [], not: 'others' },
  { what: 'platform image hosts and classes: nothing to say',
    code: inDesign('<img src="https://img.alicdn.com/imgextra/a.jpg"><img src="//gd3.alicdn.com/b.jpg"><img src="https://img02.taobaocdn.com/c.jpg">' +
      '<img src="https://img01.tbcdn.cn/d.jpg" width="1920"><div class="tb-module J_TWidget" style="background:url(https://assets.alicdn.com/e.png)"></div>'),
    must: [], not: 'others' },
  { what: 'a carousel strip and a ticker wider than the module, each clipped by its own window: nothing to say', webkit: true,
    code: '<div style="width:1920px;height:280px;overflow:hidden;">\n<div style="width:5760px;height:280px;margin-left:-1920px;background:#468;">' +
      '<img src="https://img.alicdn.com/s1.jpg" width="1920" height="280"><img src="https://img.alicdn.com/s2.jpg" width="1920" height="280">' +
      '<img src="https://img.alicdn.com/s3.jpg" width="1920" height="280"></div>\n</div>\n' +
      `<div style="width:1920px;height:20px;overflow:hidden;white-space:nowrap;font-size:16px;line-height:20px;">${'新品上架 全场包邮 '.repeat(80)}</div>\n`,
    must: [], not: 'others' },
  { what: 'a 950 design in a 1920 module', webkit: true,
    code: '<div style="width:950px;height:300px;background:#468;"></div>\n',
    must: [['advice narrow', 1, [], '设计宽950，模块宽1920：设计会偏左485px，请把设计做成1920宽或把模块尺寸改为950']],
    not: ['advice width'] },
  { what: 'wider than the module',
    code: inDesign('<img src="IMG/2000x10.svg"><div style="height:10px;width:2400px;background:#c33;"></div>' +
      `<p style="margin:0;font-size:16px;line-height:20px;white-space:nowrap;">${'新品上架 '.repeat(30)}</p>`),
    must: [['advice width', 3, ['2000x10.svg', 'width:2400px', 'white-space:nowrap'], '设计宽2400，模块宽1920']], not: ['advice narrow'] },
  { what: 'an image that does not come: no size advice',
    code: '<img src="https://img.alicdn.com/imgextra/missing.jpg">\n',
    must: [], not: 'others' },
  { what: 'one </div> too many: dropped',
    code: inDesign('') + '</div>\n<a class="footer-more-trigger" href="https://shop.example.com/" style="left:200px;top:100px;width:300px;height:100px;"></a>\n',
    must: [], not: ['advice unbalanced'], repairs: ['stray'] },
  { what: 'a link left open: closed',
    code: inDesign('<a href="https://shop.example.com/"><img src="https://img.alicdn.com/a.jpg" width="1920" height="300">'),
    must: [], not: ['advice unbalanced'], repairs: ['unclosed'] },
  { what: 'images over http://',
    code: inDesign('<img src="IMG/1920x200.svg"><img src="http://img.alicdn.com/imgextra/b.jpg" width="1920" height="100">'),
    must: [['advice http:', 2, ['IMG/1920x200.svg', 'http://img.alicdn.com/imgextra/b.jpg']]],
    not: ['advice height', 'advice img.alicdn.com', 'advice narrow', 'advice width'] },
  { what: 'a 700 px image in a 769 px module', webkit: true, size: [1920, 769],
    code: '<img src="IMG/1920x700.svg">\n',
    must: [['advice height', 1, ['1920x700.svg'], '图片高700，模块高769']], not: ['advice narrow', 'advice width'] },
  { what: 'a 250 px background image in a 300 px module', webkit: true,
    code: '<div style="background:url(IMG/1920x250.svg) no-repeat;width:1920px;height:300px;"></div>\n',
    must: [['advice height', 1, ['1920x250.svg'], '图片高250，模块高300：下方空出 50px']], not: ['advice narrow', 'advice width'] },
  { what: 'a 400 px background image in its 400 px box in a 300 px module',
    code: '<div style="background-image:url(\'IMG/1920x400.svg\');background-repeat:no-repeat;width:1920px;height:400px;"></div>\n',
    must: [['advice height', 1, ['1920x400.svg'], '图片高400，模块高300：下方 100px 会被裁掉']], not: ['advice narrow', 'advice width'] },
  { what: 'a background banner of the module\'s size: no size advice', webkit: true,
    code: '<div style="width:1920px;height:300px;background:#468 url(IMG/1920x300.svg) center top no-repeat;"></div>\n',
    must: [], not: ['advice height', 'advice narrow', 'advice width'] },
  { what: 'last time\'s full-screen code pasted again: taken out of its wrapper', size: [1200, 300],
    code: LAST_OUTPUT, shows: '<div style="width:1920px;height:300px;background:#468;"></div>',
    must: [], not: ['advice wrapper', 'advice hotspot'], repairs: ['wrapper'] },
  { what: 'a box centred with left:50%: taken out of it',
    code: '<div style="position:absolute;left:50%;margin-left:-960px;width:1920px;height:300px;background:#468;">' +
      '<img src="https://img.alicdn.com/imgextra/banner.jpg" width="1920" height="300"></div>\n',
    shows: '<img src="https://img.alicdn.com/imgextra/banner.jpg"',
    must: [], not: ['advice wrapper', 'strip position', 'advice hotspot'], repairs: ['wrapper'] },
  { what: 'hot spots in a positioned box: placed again where the shop keeps them', webkit: true,
    code: HOT_SPOT_DESIGN.replace('height:500px', 'height:300px'), shows: '<div data-ldt="hotdesign"',
    must: [], not: ['advice hotspot', 'strip position', 'advice wrapper'],
    repairs: ['hotspot', 'hotspot', 'hotspot', 'placement', 'hotspot', 'hotspot', 'box'] },
  { what: 'a hot spot placed again, shown unrepaired and repaired', webkit: true,
    code: '<div data-ldt="switch" style="position:relative;width:1920px;height:300px;background:#468;">' +
      '<a href="https://shop.example.com/S" style="position:absolute;left:1200px;top:100px;width:300px;height:100px;display:block;"></a></div>\n',
    shows: '<div data-ldt="switch"', must: [], not: 'others', repairs: ['hotspot', 'box'],
    unrepaired: { at: [0, 0], repairedAt: [1200, 100], must: [['advice hotspot', 1, ['https://shop.example.com/S'], '1 个热区会失效'], ['strip position', 2, ['position:absolute', 'position:relative']]] } },
  { what: 'hot spots placed with an inline position the tool cannot place for sure', webkit: true,
    code: inDesign('<a href="https://shop.example.com/1" style="position:absolute;left:100px;top:50px;width:300px;height:200px;display:block;"></a>' +
      '<a href="https://shop.example.com/2" style="position:absolute;left:700px;top:50px;width:300px;height:200px;display:block;"></a>' +
      '<div style="position:absolute;left:1300px;top:50px;width:300px;height:200px;"><a href="https://shop.example.com/3" style="display:block;height:200px;"></a></div>'),
    must: [['advice hotspot', 3, ['https://shop.example.com/1', 'https://shop.example.com/3'], '3 个热区会失效'], ['strip position', 3, ['position:absolute']]],
    not: ['advice wrapper'] },
  { what: 'a field with autofocus at the bottom of a tall design', size: [1920, 3000],
    code: '<div style="width:1920px;height:2960px;background:#468;"></div><div style="height:40px;background:#864;"><input autofocus style="font-size:14px;"></div>\n',
    must: [['preview autofocus', 1, ['autofocus']]], not: 'others' },
  { what: 'images from other hosts',
    code: inDesign('<img src="https://img.alicdn.com.example.net/a.jpg"><div style="background-image:url(\'http://pic.example.org/b.png\')"></div>'),
    must: [['advice img.alicdn.com.example.net', 1, ['https://img.alicdn.com.example.net/a.jpg']], ['advice pic.example.org', 1, ['http://pic.example.org/b.png']],
      ['advice http:', 1, ['http://pic.example.org/b.png']]] },
  { what: 'relative and local image addresses',
    code: inDesign('<img src="images/a.jpg"><img src="file:///C:/Users/me/b.jpg"><table background="C:\\Users\\me\\c.jpg"></table>'),
    must: [['advice relative', 1, ['images/a.jpg']], ['advice file:', 2, ['file:///C:/Users/me/b.jpg', 'C:\\Users\\me\\c.jpg']]] },
  { what: 'reserved class prefixes',
    code: inDesign('<div class="tb-banner J_TSlider tb-module"></div>'),
    must: [['advice tb-banner', 1, ['class="tb-banner J_TSlider tb-module"']], ['advice J_TSlider', 1]] },
  { what: 'code over 20 KB',
    code: inDesign(`<p style="font-size:0">${'x'.repeat(21 * 1024)}</p>`),
    must: [['advice size', 1, ['KB']]] },
];

async function adviceCases(page, opts, images, selected) {
  const ed = EDITIONS[0];
  await page.setViewport(1440, 1000);
  for (const [i, c] of ADVICE_CASES.entries()) {
    const name = `preview advice: ${c.what}`;
    if (!selected(name) || (profile.name === 'webkit' && !c.webkit)) continue;
    const [w, h] = c.size ?? [1920, 300];
    const gen = generate(opts, ed, { tag: `advice-${i}`, w, h, spacing: 0, design: c.code.replaceAll('IMG', images), shows: c.shows });
    if (gen.error) {
      report(name, [gen.error]);
      continue;
    }
    const f = [];
    await openPreview(page, gen.url, ed, f);
    const seen = await page.evaluate(() => ({
      text: document.getElementById('ld-slot').textContent.replace(/\s+/g, ' '),
      scrolled: document.scrollingElement.scrollTop,
      focused: !!document.activeElement?.closest('#ld-slot'),
    }));
    expect(f, `the page scrolled by itself to ${seen.scrolled}`, seen.scrolled === 0);
    const repairs = await listedRepairs(page);
    const wanted = c.repairs ?? [];
    expect(f, `the repairs listed are [${repairs.keys}] instead of [${wanted}]`, repairs.keys.join() === wanted.join());
    const offered = wanted.length ? '修复前 修复后*' : '';
    expect(f, `the switch to the code unrepaired reads "${repairs.switch}" instead of "${offered}"`, repairs.switch === offered);
    if (wanted.length) {
      expect(f, 'the repairs are not listed above the advice', repairs.above);
      expect(f, `a repair row does not say what it was and what it became: ${repairs.incomplete}`, !repairs.incomplete);
    }
    expect(f, 'something of the seller\'s took the focus', !seen.focused);
    if (c.text) expect(f, `the preview does not show "${c.text}": ${seen.text.slice(0, 200)}`, seen.text.includes(c.text));
    checkRows(f, await listedRows(page), c.must.map(([row, n, samples, says]) => [row, n, samples?.map((s) => s.replaceAll('IMG', images)), says]), c.not);
    if (c.unrepaired && repairs.switch === offered) {
      // The frame keeps the width chosen before the switch.
      await page.click('.ld-bar button[data-w="1366"]');
      for (const [show, reads, [x, y], must] of [['before', '修复前* 修复后', c.unrepaired.at, c.unrepaired.must], ['after', '修复前 修复后*', c.unrepaired.repairedAt, c.must]]) {
        await pressSwitch(page, show, f);
        const link = await page.evaluate(() => {
          const design = document.querySelector('#ld-slot [data-ldt="switch"]').getBoundingClientRect();
          const r = document.querySelector('#ld-slot a[href]').getBoundingClientRect();
          return { x: r.left - design.left, y: r.top - design.top, frame: document.getElementById('ld-screen').clientWidth };
        });
        near(f, `${show}: link left in the design`, link.x, x);
        near(f, `${show}: link top in the design`, link.y, y);
        expect(f, `${show}: the frame is ${link.frame} px wide instead of 1366`, link.frame === 1366);
        const { switch: buttons } = await listedRepairs(page);
        expect(f, `${show}: the switch reads "${buttons}" instead of "${reads}"`, buttons === reads);
        checkRows(f, await listedRows(page), must, c.not);
      }
    }
    report(name, f);
  }
}

// The checks' own server on 127.0.0.1: images of a given size for the cases that need one to
// load (/img/WxH.svg), and the proxy of every engine, which refuses what it is asked for on
// any other host.
async function startServer() {
  const refused = [];
  const server = http.createServer((req, res) => {
    const own = `127.0.0.1:${server.address().port}`;
    const url = new URL(req.url, `http://${own}`);
    const size = url.host === own && /^\/img\/(\d+)x(\d+)\.svg$/.exec(url.pathname);
    if (!size) {
      refused.push(url.host);
      res.writeHead(502).end();
      return;
    }
    res.writeHead(200, { 'content-type': 'image/svg+xml', 'cache-control': 'no-store' });
    res.end(`<svg xmlns="http://www.w3.org/2000/svg" width="${size[1]}" height="${size[2]}"><rect width="100%" height="100%" fill="#5a8"/></svg>`);
  });
  server.on('connect', (req, socket) => {
    refused.push(req.url);
    socket.end('HTTP/1.1 502 Bad Gateway\r\n\r\n');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, refused, base: `http://127.0.0.1:${server.address().port}` };
}

// ---------------------------------------------------------------- main

// Chromium runs every window width; Firefox and WebKit the narrowest and the widest, with every
// module width and shop variant: where engines differ (layout, half pixels, the preview's
// script), within the stage's time. WebKit runs only a few of the advice cases.
const PROFILES = {
  chromium: { widths: MODULE_WIDTHS, viewports: VIEWPORTS },
  firefox: { widths: MODULE_WIDTHS, viewports: [1366, 2560] },
  webkit: { widths: MODULE_WIDTHS, viewports: [1366, 2560] },
};
let profile;

async function main() {
  const opts = parseArgs(process.argv.slice(2));
  fs.mkdirSync(opts.out, { recursive: true });
  const selected = (name) => !opts.only || name.includes(opts.only);
  const started = Date.now();
  profile = { name: opts.engine, ...PROFILES[opts.engine] };
  if (!PROFILES[opts.engine]) throw new Error(`unknown engine ${opts.engine} (${ENGINE_NAMES.join(', ')})`);

  checkCodeTemplate(opts, 'gjx/kestry/jsb.txt', 'footer-more-trigger');
  checkCodeTemplate(opts, 'gjx/kestry/tmb.txt', 'sn-simple-logo');
  checkPreviewTemplate(opts);

  const { server, refused, base } = await startServer();
  let page;
  try {
    page = await launch(opts.engine, { proxy: base, width: profile.viewports[0], height: VIEWPORT_HEIGHT });
    console.log(`${opts.engine}: ${page.version}`);
    for (const ed of EDITIONS) {
      for (const w of profile.widths) {
        await standInCases(page, opts, ed, w, selected);
        await previewLayoutCases(page, opts, ed, w, selected);
      }
      await oddCases(page, opts, ed, selected);
      await hotSpotCases(page, opts, ed, selected);
      if (selected(`preview frame buttons ${ed.name}`)) await frameCase(page, opts, ed);
    }
    if (selected('preview strips')) {
      await stripCase(page, opts);
      // The strip case's image on another host came here, and no further.
      report('requests for other hosts reach the checks\' proxy and are refused',
        refused.some((host) => host.startsWith('img.example.com')) ? [] : [`refused only: ${[...new Set(refused)].join(' ') || 'nothing'}`]);
    }
    await adviceCases(page, opts, `${base}/img`, selected);
  } finally {
    await page?.close();
    server.close();
  }
  const strips = STRIP_LEVELS.map((level) => `strip ${level} ${byStrip[level].passed} passed, ${byStrip[level].failed} failed`);
  console.log(`${opts.engine}: ${passed} passed, ${failed} failed in ${Math.round((Date.now() - started) / 1000)} s (hot spots: ${strips.join('; ')})`);
  return failed === 0 && passed > 0 ? 0 : 1;
}

main().then((code) => process.exit(code), (e) => {
  console.error(e);
  console.log(`${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
