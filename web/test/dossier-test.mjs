// The dossier and the charts as vectors, in Debian's Chromium: the overshot wheel's worked
// example, the annual energy of the example site and the pressure pipe with Colebrook, each
// typed and calculated in the page and added to the dossier from its own menu; the dossier
// written from the main window. Its first page holds the study, the site and the list of
// sections; its charts are SVG with the axes' captions and their units and the desktop's
// round ticks; printed to PDF (the pages also turned into PNG pictures, to look at) each page
// is numbered "Page n / N". The SVG export of a chart is a whole SVG document with every
// series of the chart model, in the model's colours. The ticks the view works out for a
// chart of the listing alone are the desktop's own.
//
//   node dossier-test.mjs SITE OUT
//     SITE: build-web/site; OUT: a folder for the PDF, its pages as PNG and the export.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { build } from 'esbuild';
import { chromium } from 'playwright-core';
import { clickMenu, menuPath, norm, section } from './menus.mjs';
import { serve } from './serve.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [site, out] = process.argv.slice(2).map((a) => resolve(a));
if (!site || !out) {
  console.error('usage : node dossier-test.mjs SITE SORTIE');
  process.exit(2);
}
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });

// The view's own chart module, for the ticks it works out.
const bundled = join(out, 'chart-svg.mjs');
await build({ entryPoints: [join(here, '../src/chart-svg.ts')], bundle: true, format: 'esm', outfile: bundled, logLevel: 'warning' });
const chartSvgModule = await import(bundled);

const server = await serve(site);
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: process.env.AUBELYS_CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu'],
});
const failures = [];

// ---------------------------------------------------------------- page helpers


// Which entry of the main window's menus opens each window, found in the module under node.
async function findRoutes(wanted) {
  const createAubelys = createRequire(import.meta.url)(join(site, 'aubelys-web.js'));
  const aub = await createAubelys({ wasmBinary: readFileSync(join(site, 'aubelys-web.wasm')), locateFile: (p) => join(site, p) });
  const bridge = aub.bridge('/aubelys/dossier');
  const leaves = [];
  const walk = (entries, trail) => {
    for (const e of entries) {
      if (e.separator || !e.visible) continue;
      if (e.entries.length) walk(e.entries, [...trail, e.caption]);
      else leaves.push({ key: e.key, captions: [...trail, e.caption] });
    }
  };
  bridge.open('Formmain');
  walk(bridge.layout('Formmain').menus, []);
  const routes = {};
  for (const leaf of leaves) {
    bridge.reset();
    bridge.open('Formmain');
    const o = bridge.play(leaf.key);
    if (o.status !== 0 && o.status !== 3) continue;
    for (const [name, w] of Object.entries(bridge.state().windows))
      if (w.visible && wanted.includes(name) && !routes[name]) routes[name] = leaf.captions;
  }
  bridge.close();
  return routes;
}

// Waits until the steps are done, answering the boxes that show up from `answers` and
// closing the messages; returns the texts of the boxes seen.
async function settle(page, answers = []) {
  const seen = [];
  for (;;) {
    await page.waitForFunction(() => document.body.dataset.busy === '0' || document.querySelector('.aub-dialog') !== null, null, {
      timeout: 30000,
    });
    const box = await page.$('.aub-dialog');
    if (!box) return seen;
    const kind = await box.getAttribute('data-kind');
    seen.push(`${kind}: ${await box.$eval('.aub-dialog-text', (e) => e.textContent)}`);
    if (kind === 'message') await box.$eval('button', (b) => b.click());
    else if (kind === 'question') await page.click(`.aub-dialog button:text-is("${/^o/i.test(answers.shift() ?? '') ? 'Oui' : 'Non'}")`);
    else {
      const a = answers.shift() ?? '';
      if (a === '') await page.click('.aub-dialog button:text-is("Annuler")');
      else {
        await page.fill('.aub-dialog .aub-dialog-field', a);
        await page.click('.aub-dialog button:text-is("OK")');
      }
    }
    await page.waitForFunction((b) => !b.isConnected, box);
  }
}

// A box typed into, a combo's entry chosen, a button clicked or a menu entry chosen, by
// the key or the name the command line gives it ("Menu/Entrée": by the captions).
async function act(page, window, step, answers = []) {
  const layout = await page.evaluate((n) => window.aubelys.app.bridge.layout(n), window);
  const w = page.locator(section(window));
  const eq = step.indexOf('=');
  const name = (eq >= 0 ? step.slice(0, eq) : step).toLowerCase();
  const c = layout.controls.find((x) => x.key.toLowerCase() === name || x.name.toLowerCase() === name);
  if (eq >= 0) {
    assert.ok(c, `${window} : contrôle ${name} absent`);
    const value = step.slice(eq + 1);
    const cell = w.locator(`.aub-cell[data-key="${c.key}"]`);
    if (c.kind === 'combo') {
      await cell.locator('.aub-combo-open').click();
      await cell.locator('li').filter({ hasText: value }).first().click();
    } else await cell.locator('input, textarea').fill(value);
  } else if (c && c.kind === 'button') await w.locator(`.aub-cell[data-key="${c.key}"] button`).click();
  else if (step.includes('/')) await clickMenu(page, window, step.split('/'));
  else if (layout.controls.some((x) => x.kind === 'button' && norm(x.caption ?? '') === norm(step))) {
    // A button named by its caption: the one shown.
    const cells = w.locator('.aub-cell[data-kind=button]').filter({ hasText: norm(step) });
    let clicked = false;
    for (let i = 0; i < (await cells.count()) && !clicked; ++i)
      if (await cells.nth(i).isVisible()) {
        await cells.nth(i).locator('button').click();
        clicked = true;
      }
    assert.ok(clicked, `${window} : bouton « ${step} » caché`);
  } else if (layout.menus.some((m) => norm(m.caption) === norm(step))) {
    await clickMenu(page, window, [step]); // a menu of the bar without entries, by its caption
  } else {
    const path = menuPath(layout.menus, step);
    assert.ok(path, `${window} : étape inconnue ${step}`);
    await clickMenu(page, window, path);
  }
  return settle(page, answers);
}

async function open(page, routes, window) {
  assert.ok(routes[window], `${window} : aucune entrée de menu ne l'ouvre`);
  await clickMenu(page, 'Formmain', routes[window]);
  await settle(page);
  await page.locator(section(window)).waitFor();
}

// ---------------------------------------------------------------- the checks

const OVERSHOT = ['4', '0.5', '10', '1', '3', '0.8', '0.1', '2', '0.3', '5', '0.014', 'OUI', '0.6', '5', '30', '12', '50'];
const SECTIONS = ['Roue au dessus', 'Productible annuel', 'Conduite en charge'];
const SITE = [
  'Hauteur de chute : 3.2 m (Productible annuel)',
  'Débit : 1.2 m3/s (Productible annuel)',
  'Puissance maximale brute : 37.7 kW (Productible annuel)',
];
// A tick's label: digits grouped by three from 10 000 up, no exponent, no trailing zero.
const ROUND = /^-?(\d{1,4}|\d{1,3}( \d{3})+)(\.\d*[1-9])?$/;

// The ticks the view works out for a chart of the listing alone (no ticks given) are
// those the desktop draws: every chart of a window, each axis. Returns the charts compared.
async function compareTicks(page, window) {
  const charts = await page.evaluate((w) => {
    const b = window.aubelys.app.bridge;
    return Object.entries(b.state().windows[w].controls)
      .filter(([, c]) => c.chart)
      .map(([key, c]) => ({ key, listed: c.chart, full: b.chart(w, key) }));
  }, window);
  for (const { key, listed, full } of charts)
    for (const a of ['x', 'y']) {
      assert.equal(listed[a].ticks, undefined, 'the listing gives no ticks');
      const mine = chartSvgModule.axisLayout(listed[a]);
      assert.deepEqual(mine.ticks.map((t) => t.text), full[a].ticks.map((t) => t.text), `${window}.${key} axe ${a}`);
      assert.deepEqual([mine.lo, mine.hi], full[a].shown, `${window}.${key} axe ${a} : étendue`);
    }
  return charts.length;
}

async function dossierInThePage(routes) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 }, acceptDownloads: true });
  const page = await context.newPage();
  page.on('pageerror', (e) => failures.push(`erreur de la page : ${e.message}`));
  await page.goto(url);
  await page.waitForSelector('body[data-ready="1"]', { timeout: 30000 });

  await open(page, routes, 'Formrouehaut');
  for (const [i, v] of OVERSHOT.entries()) await act(page, 'Formrouehaut', `Valbox(${i})=${v}`);
  await act(page, 'Formrouehaut', 'Calcul');
  let seen = await act(page, 'Formrouehaut', 'Dossierajout');
  assert.ok(seen.some((s) => s.includes('« Roue au dessus » est ajoutée au dossier')), seen.join(' | '));
  // Closed without saving: the question answered "Oui".
  seen = await act(page, 'Formrouehaut', 'Fichier/Fermer', ['oui']);
  assert.ok(seen.some((q) => q.startsWith('question: Les données modifiées')), seen.join(' | '));

  await open(page, routes, 'Productible');
  await act(page, 'Productible', 'Fichier/Ouvrir', ['Site exemple']);
  await act(page, 'Productible', 'Calcul');
  seen = await act(page, 'Productible', 'Dossierajout');
  assert.ok(seen.some((s) => s.includes('« Productible annuel » est ajoutée au dossier')), seen.join(' | '));

  // The SVG export of the flow-duration chart, beside the PNG and the CSV.
  const exports = page.locator(`${section('Productible')} .aub-cell[data-key="Graphe"] .aub-chart-exports button`);
  assert.deepEqual(await exports.allTextContents(), ['Exporter en PNG', 'Exporter en SVG', 'Exporter en CSV']);
  const download = page.waitForEvent('download');
  await exports.filter({ hasText: 'SVG' }).click();
  const file = await download;
  assert.match(file.suggestedFilename(), /^Productible-Graphe\.svg$/);
  const exported = join(out, file.suggestedFilename());
  await file.saveAs(exported);
  const svgText = readFileSync(exported, 'utf8');
  const model = await page.evaluate(() => window.aubelys.app.bridge.state().windows.Productible.controls.Graphe.chart);
  const full = await page.evaluate(() => window.aubelys.app.bridge.chart('Productible', 'Graphe'));
  const parsed = await page.evaluate((text) => {
    const doc = new DOMParser().parseFromString(text, 'image/svg+xml');
    const root = doc.documentElement;
    return {
      error: doc.querySelector('parsererror')?.textContent ?? null,
      root: root.localName,
      ns: root.namespaceURI,
      viewBox: root.getAttribute('viewBox'),
      series: [...root.querySelectorAll('g.series')].map((g) => ({
        name: g.dataset.name,
        kind: g.dataset.kind,
        stroke: g.querySelector('[stroke]')?.getAttribute('stroke') ?? null,
        fill: g.querySelector('path[fill]')?.getAttribute('fill') ?? null,
      })),
      captions: [...root.querySelectorAll('.axis-title')].map((t) => t.textContent),
      ticks: [...root.querySelectorAll('.tick-y:not(.minor)')].map((t) => t.textContent),
    };
  }, svgText);
  assert.equal(parsed.error, null, 'the export is well-formed XML');
  assert.ok(svgText.startsWith('<?xml'), 'an SVG file starts with its XML declaration');
  assert.equal(parsed.root, 'svg');
  assert.equal(parsed.ns, 'http://www.w3.org/2000/svg');
  assert.match(parsed.viewBox, /^0 0 \d+ \d+$/);
  assert.equal(parsed.series.length, model.series.length, 'one group per series of the chart model');
  assert.deepEqual(parsed.series.map((s) => s.name), model.series.map((s) => s.name));
  // In the colours the window chose (the turbined flow's area, the river's line ...).
  for (const [i, s] of full.series.entries()) {
    if (!s.color || !parsed.series[i].kind.match(/line|hline|vline|area/)) continue;
    const drawn = s.kind === 'area' ? parsed.series[i].fill : parsed.series[i].stroke;
    assert.equal(drawn, s.color, `${s.name} : couleur`);
  }
  assert.deepEqual(parsed.captions, ['Fréquence de dépassement (%)', 'Débit Q (m3/s)']);
  assert.deepEqual(parsed.ticks, full.y.ticks.map((t) => t.text));
  let checked = await compareTicks(page, 'Productible');

  // The same exports from the chart's right-click menu; the PNG at a report's width.
  await page.locator(`${section('Productible')} .aub-cell[data-key="Graphe"] .aub-chart`).click({ button: 'right' });
  const menu = page.locator('.aub-context-menu [role=menuitem]');
  assert.deepEqual(await menu.allTextContents(), ['Exporter en PNG', 'Exporter en SVG', 'Exporter en CSV']);
  const pngDownload = page.waitForEvent('download');
  await menu.filter({ hasText: 'PNG' }).click();
  const png = await pngDownload;
  assert.equal(png.suggestedFilename(), 'Productible-Graphe.png');
  const pngPath = join(out, png.suggestedFilename());
  await png.saveAs(pngPath);
  const pngBytes = readFileSync(pngPath);
  assert.equal(pngBytes.subarray(1, 4).toString('latin1'), 'PNG', 'a PNG file');
  assert.equal(pngBytes.readUInt32BE(16), 1600, 'the picture is 1600 pixels wide');
  const [, , boxWidth, boxHeight] = parsed.viewBox.split(' ').map(Number);
  assert.equal(pngBytes.readUInt32BE(20), Math.round((1600 * boxHeight) / boxWidth), 'in the proportions of the SVG');
  assert.equal(await page.locator('.aub-context-menu').count(), 0, 'the menu closes once an entry is chosen');
  // Closed, so that the main window's menus are in reach again.
  await act(page, 'Productible', 'Fichier/Fermer', ['oui']);

  await open(page, routes, 'Formbuse');
  await act(page, 'Formbuse', 'Combo1=Fonte neuve');
  await act(page, 'Formbuse', 'Colebrook');
  seen = await act(page, 'Formbuse', 'Dossierajout');
  assert.ok(seen.some((s) => s.includes('« Conduite en charge » est ajoutée au dossier')), seen.join(' | '));

  assert.equal(checked, 1, 'the annual energy shows its chart');

  await clickMenu(page, 'Formmain', ['Impression', 'Dossier PDF…']);
  seen = await settle(page, ['Site exemple']);
  assert.ok(seen.some((s) => s.includes('Dossier : 3 fenêtres')), seen.join(' | '));
  const frame = page.frameLocator('.aub-viewer iframe');
  await frame.locator('h1').waitFor();
  const report = await page.evaluate(() => window.aubelys.app.bridge.dossier());
  const html = await page.evaluate(() => document.querySelector('.aub-viewer iframe').srcdoc);
  await context.close();
  return { report, html };
}

// The dossier's document: its first page, its charts, and its pages once printed.
async function checkDossier(report, html) {
  const page = await browser.newPage();
  await page.setContent(html);
  const first = await page.evaluate(() => {
    const h = document.querySelector('header.first');
    return {
      kind: h.querySelector('.kind').textContent,
      study: h.querySelector('h1').textContent,
      date: h.querySelector('.date').textContent,
      site: [...h.querySelectorAll('.site p:not(.label)')].map((p) => p.textContent),
      sections: [...h.querySelectorAll('.sections li')].map((li) => li.textContent),
      headings: [...document.querySelectorAll('section h2')].map((e) => e.textContent),
    };
  });
  assert.equal(first.kind, 'Dossier de calcul');
  assert.equal(first.study, 'Site exemple');
  assert.match(first.date, /^Date : \d\d\/\d\d\/\d{4}$/);
  assert.deepEqual(first.site, SITE);
  assert.equal(first.sections.length, 3);
  SECTIONS.forEach((s, i) => assert.ok(first.sections[i].startsWith(`${i + 1}. ${s}`), first.sections[i]));
  assert.deepEqual(first.headings, SECTIONS.map((s, i) => `${i + 1}. ${s}`));
  // A value with the unit its caption names.
  const rows = await page.evaluate(() => [...document.querySelectorAll('section tr')].map((tr) => [tr.cells[0]?.textContent ?? tr.querySelector('th').textContent, tr.querySelector('td').textContent]));
  assert.ok(rows.some(([c, v]) => c === 'Perte de charge mm/m' && /^\d+(\.\d+)? mm\/m$/.test(v)), 'the pipe loss with its unit');

  // Every chart of the dossier as SVG, none as a picture, with its captions and ticks.
  const expected = report.windows.flatMap((w) => w.figures.filter((f) => f.kind === 'chart').map((f) => f.chart));
  const drawn = await page.evaluate(() =>
    [...document.querySelectorAll('figure.chart')].map((f) => ({
      svg: f.querySelectorAll('svg').length,
      img: f.querySelectorAll('img').length,
      series: f.querySelectorAll('g.series').length,
      captions: [...f.querySelectorAll('.axis-title')].map((t) => t.textContent),
      x: [...f.querySelectorAll('.tick-x:not(.minor)')].map((t) => t.textContent),
      y: [...f.querySelectorAll('.tick-y:not(.minor)')].map((t) => t.textContent),
      minor: [...f.querySelectorAll('.tick.minor')].map((t) => t.textContent),
    })),
  );
  assert.ok(expected.length >= 4, `${expected.length} graphiques dans le dossier`);
  assert.equal(drawn.length, expected.length);
  const caption = (a) => (a.unit ? `${a.title} (${a.unit})` : a.title);
  for (const [i, d] of drawn.entries()) {
    const c = expected[i];
    assert.equal(d.svg, 1, `${c.title} : un SVG`);
    assert.equal(d.img, 0, `${c.title} : pas d'image`);
    assert.equal(d.series, c.series.length, `${c.title} : séries`);
    assert.deepEqual(d.captions, [caption(c.x), caption(c.y)], `${c.title} : légendes des axes`);
    assert.deepEqual(d.x, c.x.ticks.map((t) => t.text), `${c.title} : graduations x`);
    assert.deepEqual(d.y, c.y.ticks.map((t) => t.text), `${c.title} : graduations y`);
    for (const t of [...d.x, ...d.y, ...d.minor]) assert.match(t, ROUND, `${c.title} : graduation « ${t} »`);
  }
  const all = drawn.flatMap((d) => d.captions);
  for (const c of ['Débit Q (m3/s)', 'Productible annuel E (kWh/an)', 'Nombre de Reynolds Re'])
    assert.ok(all.includes(c), `axe « ${c} »`);
  // The view's own ticks for the same charts without the bridge's: the desktop's, on the
  // linear axes and on the Moody diagram's logarithmic ones.
  for (const c of expected)
    for (const a of ['x', 'y']) {
      const { ticks: native, shown, ...listed } = c[a];
      const mine = chartSvgModule.axisLayout(listed);
      assert.deepEqual(mine.ticks.map((t) => t.text), native.map((t) => t.text), `${c.title} : graduations ${a} de la vue`);
      assert.deepEqual([mine.lo, mine.hi], shown, `${c.title} : étendue ${a} de la vue`);
    }
  const ticks = drawn.flatMap((d) => [...d.x, ...d.y]);
  for (const t of ['100 000', '1 000 000', '50 000']) assert.ok(ticks.includes(t), `graduation « ${t} »`);

  // Printed: each page numbered, the pages turned into pictures to look at.
  const pdf = join(out, 'dossier.pdf');
  await page.pdf({ path: pdf, preferCSSPageSize: true, printBackground: true });
  await page.close();
  writeFileSync(join(out, 'dossier.html'), html);
  const pages = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }))[1]);
  assert.ok(pages >= 4, `${pages} pages`);
  for (let n = 1; n <= pages; ++n) {
    const text = execFileSync('pdftotext', ['-f', String(n), '-l', String(n), '-layout', pdf, '-'], { encoding: 'utf8' });
    assert.ok(text.includes(`Page ${n} / ${pages}`), `page ${n} : « Page ${n} / ${pages} » absent`);
    assert.ok(text.includes('Site exemple'), `page ${n} : l'étude au pied de page`);
    if (n === 1) for (const line of [...SITE, 'Sections du dossier', 'Dossier de calcul']) assert.ok(text.includes(line), `page 1 : « ${line} »`);
  }
  // The charts stayed vectors: their tick labels are text in the PDF.
  const whole = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' });
  assert.ok(whole.includes('100 000 000') && whole.includes('Nombre de Reynolds Re'), 'the Moody diagram as text and lines');
  execFileSync('pdftoppm', ['-r', '50', '-png', pdf, join(out, 'page')]);
  const pictures = readdirSync(out).filter((f) => /^page-\d+\.png$/.test(f));
  assert.equal(pictures.length, pages);
  return pages;
}

// ---------------------------------------------------------------- run

let failed = false;
try {
  const routes = await findRoutes(['Formrouehaut', 'Productible', 'Formbuse']);
  const { report, html } = await dossierInThePage(routes);
  const pages = await checkDossier(report, html);
  console.log(`dossier : ${pages} pages, ${out}/dossier.pdf, pages en PNG : ${out}/page-*.png`);
} catch (e) {
  failures.push(e.stack);
} finally {
  await browser.close();
  server.close();
  if (failures.length) {
    failed = true;
    console.error(failures.join('\n\n'));
  }
}
process.exit(failed ? 1 : 0);
