// The browser view in Debian's Chromium, driven as a person would: every window opened
// through the main window's menus with clicks, the command-line transcripts' steps typed
// and clicked, the boxes the page shows read back in the listing's own form and compared
// with the native listing the transcript holds, digit for digit. The program folder stays
// in the page's storage from one command to the next across page reloads; files go out
// and in with the same bytes; questions are answered "Oui" and "Non" in the page; Enter
// and Escape; screenshots at 1366×768 and 390×844; speed figures printed (not asserted).
//
//   node view-test.mjs SITE TRANSCRIPTS CLI_NODE OUT [WINDOW...]
//     SITE: build-web/site; TRANSCRIPTS: tests/cli; CLI_NODE: build-web/aubelys-cli.js;
//     OUT: a folder for the screenshots and the figures; WINDOW: only these transcripts
//     ("autres": the tests beyond the transcripts).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync, cpSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { chromium } from 'playwright-core';
import { clickMenu, menuPath, norm, section } from './menus.mjs';
import { serve } from './serve.mjs';
import { parseTranscript, stripUnlisted } from './transcript.mjs';

const [site, transcripts, cliNode, out, ...only] = process.argv.slice(2).map((a, i) => (i < 4 ? resolve(a) : a));
mkdirSync(join(out, 'captures'), { recursive: true });
const dataDir = resolve(transcripts, '../../data');

const server = await serve(site);
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: process.env.AUBELYS_CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu'],
});
const figures = {};
const failures = [];
const unreachable = new Set(); // steps no click could do, done through the step queue

// ---------------------------------------------------------------- page helpers

async function freshPage(viewport = { width: 1366, height: 768 }, initScript = null) {
  const context = await browser.newContext({ viewport, acceptDownloads: true });
  if (initScript) await context.addInitScript(initScript);
  const page = await context.newPage();
  page.on('pageerror', (e) => failures.push(`erreur de la page : ${e.message}`));
  await load(page);
  return { context, page };
}

async function load(page, reload = false) {
  if (reload) await page.reload();
  else await page.goto(url);
  await page.waitForSelector('body[data-ready="1"]', { timeout: 30000 });
}

// Waits until every step is done, answering each box that shows up from `answers`
// (the transcript's --repondre); returns the boxes seen, as the listing prints them.
async function settle(page, answers, seen) {
  for (;;) {
    await page.waitForFunction(
      () => document.body.dataset.busy === '0' || document.querySelector('.aub-dialog') !== null,
      null,
      { timeout: 30000 },
    );
    const box = await page.$('.aub-dialog');
    if (!box) return;
    const kind = await box.getAttribute('data-kind');
    const text = await box.$eval('.aub-dialog-text', (e) => {
      const label = e.querySelector('label');
      return label ? label.textContent : e.textContent;
    });
    if (kind === 'message') {
      seen.push(`  [message] ${text}`);
      await box.$eval('button', (b) => b.click());
    } else {
      const a = answers.length ? answers.shift() : '';
      if (kind === 'question') {
        seen.push(`  [question] ${text} -> ${a}`);
        await page.click(`.aub-dialog button:text-is("${/^o/i.test(a) ? 'Oui' : 'Non'}")`);
      } else {
        seen.push(`  [${kind}] ${text} -> ${a === '' ? '(annulé)' : a}`);
        if (a === '') await page.click('.aub-dialog button:text-is("Annuler")');
        else {
          // An entry of the offered list is clicked, another name typed.
          const entry = page.locator('.aub-dialog .aub-dialog-items li').filter({ hasText: new RegExp(`^${esc(a)}$`) });
          if (await entry.count()) await entry.first().click();
          else await page.fill('.aub-dialog .aub-dialog-field', a);
          await page.click('.aub-dialog button:text-is("OK")');
        }
      }
    }
    await page.waitForFunction((b) => !b.isConnected, box);
  }
}

// One step of the command line's syntax, done with the mouse and the keyboard.
async function act(page, first, windows, stepText) {
  let window = first;
  let step = stepText;
  const colon = step.indexOf(':');
  const equal = step.indexOf('=');
  if (colon > 0 && (equal < 0 || colon < equal)) {
    const other = windows.find((w) => w.toLowerCase() === step.slice(0, colon).toLowerCase());
    if (other) {
      window = other;
      step = step.slice(colon + 1);
    }
  }
  const w = page.locator(section(window));
  // A step on a window that is not shown (the command line loads it without showing it) or
  // that a modal window holds back (the command line reaches it all the same): no click can
  // do it, so the step goes to the page's step queue as a click's would.
  if ((await w.count()) === 0 || (await w.evaluate((el) => el.closest('[inert]') !== null))) {
    unreachable.add(`${window}:${step}`);
    return page.evaluate(([n, s]) => window.aubelys.app.step(n, s), [window, step]);
  }
  const layout = await page.evaluate((n) => window.aubelys.app.bridge.layout(n), window);
  const byKey = (k) => layout.controls.find((c) => c.key.toLowerCase() === k.trim().toLowerCase() || c.name.toLowerCase() === k.trim().toLowerCase());
  if (equal >= 0 && (colon < 0 || colon > equal || step.indexOf('=') >= 0)) {
    const eq = step.indexOf('=');
    const c = byKey(step.slice(0, eq));
    assert.ok(c, `${window} : contrôle ${step.slice(0, eq)} absent`);
    const value = step.slice(eq + 1);
    const cell = w.locator(`.aub-cell[data-key="${c.key}"]`);
    if (c.kind === 'textbox') await cell.locator('input, textarea').fill(value);
    else if (c.kind === 'slider') await cell.locator('input').fill(value);
    else if (c.kind === 'check') {
      const box = cell.locator('input');
      if ((await box.isChecked()) !== (value === '1' || value === 'oui')) await box.click();
    } else if (c.kind === 'list') {
      const li = cell.locator('li').filter({ hasText: new RegExp(`^\\s*${esc(value.trim())}\\s*$`) });
      await li.first().click();
    } else if (c.kind === 'combo') {
      const items = await cell.locator('li').allTextContents();
      if (items.some((t) => t.trim() === value.trim())) {
        await cell.locator('.aub-combo-open').click();
        await cell.locator('li').filter({ hasText: new RegExp(`^\\s*${esc(value.trim())}\\s*$`) }).first().click();
      } else await cell.locator('input').fill(value);
    } else throw new Error(`${window} : ${c.key} ne se saisit pas`);
    return;
  }
  const c = byKey(step);
  if (c && c.kind !== 'menu') {
    const cell = w.locator(`.aub-cell[data-key="${c.key}"]`);
    if (c.kind === 'button') await cell.locator('button').click();
    else if (c.kind === 'label') await cell.locator('label').click();
    else if (c.kind === 'list') await cell.locator('li[aria-selected=true]').click();
    else if (c.kind === 'timer') await page.evaluate(([n, k]) => window.aubelys.app.step(n, k), [window, c.key]);
    else await cell.click();
    return;
  }
  const byMenuKey = menuPath(layout.menus, step);
  if (byMenuKey) return clickMenu(page, window, byMenuKey);
  if (step.includes('/')) return clickMenu(page, window, step.split('/'));
  // A button named by its caption.
  const button = layout.controls.find((x) => x.kind === 'button' && norm(x.caption ?? '') === norm(step));
  if (button) {
    const cells = w.locator(`.aub-cell[data-kind=button]`).filter({ hasText: norm(step) });
    const k = await cells.count();
    for (let i = 0; i < k; ++i)
      if (await cells.nth(i).isVisible()) return cells.nth(i).locator('button').click();
  }
  // A top-level menu entry without entries, by caption.
  const topOnly = layout.menus.find((m) => norm(m.caption) === norm(step));
  if (topOnly) return clickMenu(page, window, [topOnly.caption]);
  throw new Error(`${window} : étape inconnue ${stepText}`);
}

const esc = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

// What the page shows, in the listing's own form: each visible window, its controls in the
// model's order, their captions and texts as the page has them.
async function pageListing(page) {
  return page.evaluate(() => {
    const app = window.aubelys.app;
    const order = Object.keys(app.bridge.state().windows);
    const lines = [];
    const shows = (el) => el && el.checkVisibility({ visibilityProperty: true });
    for (const name of order) {
      const w = document.querySelector(`section.aub-window[data-window="${name}"]`);
      if (!w) continue;
      lines.push(`=== ${name} — « ${w.querySelector('.aub-titlebar h1').textContent} »`);
      for (const c of app.bridge.layout(name).controls) {
        const cell = w.querySelector(`.aub-cell[data-key="${CSS.escape(c.key)}"]`);
        if (!cell || (c.kind !== 'timer' && !shows(cell))) continue;
        const k = c.key;
        if (c.kind === 'label') {
          const t = cell.querySelector('label').textContent;
          if (t) lines.push(`  ${k} : ${t}`);
        } else if (c.kind === 'textbox' || c.kind === 'combo') {
          const f = cell.querySelector('input, textarea');
          lines.push(`  ${k} = [${f.value}]`);
        } else if (c.kind === 'list') {
          const items = [...cell.querySelectorAll('li')].map((li) => li.textContent);
          const chosen = cell.querySelector('li[aria-selected=true]');
          lines.push(`  ${k} (liste, ${items.length} entrées${chosen ? `, choisie : ${chosen.textContent}` : ''})`);
          for (const it of items) lines.push(`      ${it}`);
        } else if (c.kind === 'check') {
          lines.push(`  ${k} [${cell.querySelector('input').checked ? 'x' : ' '}] ${cell.querySelector('label').textContent}`);
        } else if (c.kind === 'slider') {
          const f = cell.querySelector('input');
          lines.push(`  ${k} = ${f.value} (${f.min} à ${f.max})`);
        } else if (c.kind === 'button') {
          const b = cell.querySelector('button');
          const caption = b.innerHTML.replace(/<u>(.*?)<\/u>/g, '&$1').replace(/&amp;/g, '&').replace(/&lt;/g, '<').replace(/&gt;/g, '>');
          lines.push(`  ${k} <${caption}>${b.disabled ? ' (grisé)' : ''}`);
        } else if (c.kind === 'table') {
          const rows = [...cell.querySelectorAll('tbody tr')];
          lines.push(`  ${k} (tableau, ${rows.length} lignes)`);
          const head = [...cell.querySelectorAll('thead th')].map((th) => th.textContent);
          if (head.length) lines.push(`     ${head.map((h) => ` | ${h}`).join('')}`);
          for (const r of rows) lines.push(`     ${[...r.cells].map((td) => ` | ${td.textContent}`).join('')}`);
        } else if (c.kind === 'picture' || c.kind === 'canvas') {
          const img = cell.querySelector('img');
          if (img) lines.push(`  ${k} image ${img.alt}`);
          const svg = cell.querySelector('svg');
          if (svg) lines.push(`  ${k} dessin de ${svg.childElementCount - (svg.querySelector('rect:first-child[x="0"][y="0"]') && svg.firstElementChild.getAttribute('width') === svg.getAttribute('width') ? 1 : 0)} éléments`);
        }
      }
    }
    // A text of several lines is printed on as many lines; the line ends a person cannot
    // see (CR LF or LF) are not compared.
    return lines.flatMap((l) => l.replace(/\r/g, '').split('\n')).map((l) => l.split('/aubelys/dossier').join('<dossier>'));
  });
}

// The transcript's command-line window opened through the main window's menus.
async function openByMenus(page, routes, window) {
  if (window === 'Formmain') return;
  const route = routes[window];
  assert.ok(route, `${window} : aucune entrée de menu de la page générale ne l'ouvre`);
  for (const [w, captions] of route) await clickMenu(page, w, captions);
}

// ---------------------------------------------------------------- the routes

// Which window each leaf entry of the main window's menus opens, found by choosing every
// entry once in the module under node; a window opened by a button of another window is
// reached through that window.
async function findRoutes() {
  const modulePath = join(site, 'aubelys-web.js');
  const { createRequire } = await import('node:module');
  const createAubelys = createRequire(import.meta.url)(modulePath);
  const aub = await createAubelys({ wasmBinary: readFileSync(join(site, 'aubelys-web.wasm')), locateFile: (p) => join(site, p) });
  const bridge = aub.bridge('/aubelys/dossier');
  const routes = {};
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
  for (const leaf of leaves) {
    bridge.reset();
    bridge.open('Formmain');
    const out = bridge.play(leaf.key);
    if (out.status !== 0 && out.status !== 3) continue;
    for (const [name, w] of Object.entries(bridge.state().windows))
      if (w.visible && name !== 'Formmain' && !routes[name]) routes[name] = [['Formmain', leaf.captions]];
  }
  bridge.close();
  return routes;
}

// ---------------------------------------------------------------- the transcripts

// The empty help-text file, as the transcripts were made: brought in with "Importer des
// fichiers…" (replacing the delivered one: a question answered "Oui"), then the page reloaded.
async function emptyHelpTexts(page) {
  const chooser = page.waitForEvent('filechooser');
  await page.click('#aub-files button:text-is("Importer des fichiers…")');
  await (await chooser).setFiles([{ name: 'Microfich.txt', mimeType: 'text/plain', buffer: Buffer.alloc(0) }]);
  const seen = [];
  await settle(page, ['oui'], seen);
  assert.match(seen[0], /\[question\] Le fichier « Microfich\.txt » existe déjà/);
  await page.waitForFunction(() => window.aubelys.app.FS.stat('/aubelys/dossier/Microfich.txt').size === 0);
  await page.evaluate(() => window.aubelys.app.idle());
  await load(page, true);
}

// Commands a person can do in the page: no study options, no JSON, and a listing to compare.
function usable(cmd) {
  return !cmd.options.some((o) => ['--etude', '--etude2', '--suivre', '--json', '--virgule'].includes(o.name)) && !/\[statut \d+\]/.test(cmd.output.join('\n'));
}

async function runTranscript(file, routes, windows) {
  const commands = parseTranscript(readFileSync(file, 'utf8'));
  const { context, page } = await freshPage();
  await emptyHelpTexts(page);
  let done = 0;
  for (const [n, cmd] of commands.entries()) {
    if (!usable(cmd) || done >= 3) continue;
    if (done > 0) await load(page, true); // a new run of the program on the same folder
    const answers = cmd.options.filter((o) => o.name === '--repondre').map((o) => o.value);
    const seen = [];
    const t0 = Date.now();
    await openByMenus(page, routes, cmd.window);
    await settle(page, answers, seen);
    const before = seen.length; // what opening through the main window showed
    for (const step of cmd.steps) {
      await act(page, cmd.window, windows, step);
      await settle(page, answers, seen);
    }
    const layouts = await page.evaluate(() => window.aubelys.app.bridge.layout('').windows);
    const shown = await pageListing(page);
    const expected = stripUnlisted(cmd.output, layouts).map((l) => l.replace(/\r/g, ''));
    // The main window is the page: shown beside a window the command line opened alone.
    const expectedWindows = new Set(expected.filter((l) => l.startsWith('=== ') && l !== '=== Messages').map((l) => l.split(' ')[1]));
    const actual = [];
    let keep = true;
    for (const line of shown) {
      // The windows the menus went through to open this one (the main window at least) are
      // shown beside it; the command line opened it alone.
      const through = new Set(['Formmain', ...(routes[cmd.window] ?? []).map(([w]) => w)]);
      through.delete(cmd.window);
      if (line.startsWith('=== ')) keep = expectedWindows.has(line.split(' ')[1]) || !through.has(line.split(' ')[1]);
      if (keep) actual.push(line);
    }
    const messages = seen.slice(before).flatMap((l) => l.replace(/\r/g, '').split('\n'));
    if (messages.length) actual.push('=== Messages', ...messages);
    if (await page.$('.aub-ended')) actual.push('=== Fin du programme');
    const name = `${basename(file, '.txt')} n°${n + 1}`;
    try {
      assert.deepStrictEqual(actual, expected);
    } catch (e) {
      failures.push(`${name} : la page diffère du listing natif\n${diff(expected, actual)}`);
    }
    figures[`${name} (ms)`] = Date.now() - t0;
    if (done === 0) await captures(page, basename(file, '.txt'));
    ++done;
  }
  await context.close();
  return done;
}

function diff(expected, actual) {
  const out = [];
  const n = Math.max(expected.length, actual.length);
  for (let i = 0; i < n && out.length < 12; ++i)
    if (expected[i] !== actual[i]) out.push(`  ligne ${i + 1}\n    attendu : ${expected[i]}\n    page    : ${actual[i]}`);
  return out.join('\n');
}

// A laptop, a tablet, a phone; on the tablet and the phone the window in front stays
// within the screen's width (it scrolls inside).
async function captures(page, name) {
  await page.screenshot({ path: join(out, 'captures', `${name}-1366x768.png`) });
  for (const [width, height] of [
    [1024, 768],
    [390, 844],
  ]) {
    await page.setViewportSize({ width, height });
    await page.screenshot({ path: join(out, 'captures', `${name}-${width}x${height}.png`) });
    // Nothing cut: every control shown lies across the screen's width and inside its
    // window's visible part (a window scrolls down, never sideways).
    const cut = await page.evaluate(() => {
      const out = [];
      for (const w of document.querySelectorAll('section.aub-window')) {
        const client = w.querySelector('.aub-client');
        const r = w.getBoundingClientRect();
        if (r.right > innerWidth + 1 || r.left < -1) out.push(`${w.dataset.window} (${Math.round(r.left)} à ${Math.round(r.right)})`);
        const box = client.getBoundingClientRect();
        const right = Math.min(innerWidth, box.right - (client.offsetWidth - client.clientWidth)) + 1;
        for (const cell of client.querySelectorAll('.aub-cell')) {
          if (!cell.checkVisibility({ visibilityProperty: true })) continue;
          const c = cell.getBoundingClientRect();
          if (c.width === 0) continue;
          if (c.right > right || c.left < box.left - 1) out.push(`${w.dataset.window}:${cell.dataset.key} (${Math.round(c.left)} à ${Math.round(c.right)})`);
        }
      }
      return out;
    });
    if (cut.length) failures.push(`${name} : coupé sur un écran de ${width} pixels : ${cut.slice(0, 8).join(', ')}`);
  }
  await page.setViewportSize({ width: 1366, height: 768 });
}

// ---------------------------------------------------------------- files, keys, questions

// The overshot wheel's worked example saved in the page: the file exported is, byte for
// byte, the file the command line writes for the same steps; brought back in under another
// name it is the same bytes again, and the window reads it.
async function filesRoundTrip(routes, windows) {
  const commands = parseTranscript(readFileSync(join(transcripts, 'Formrouehaut.txt'), 'utf8'));
  const cmd = commands[0];
  const folder = mkdtempSync(join(tmpdir(), 'aub-vue-'));
  cpSync(dataDir, folder, { recursive: true });
  const args = ['--dossier', folder];
  for (const o of cmd.options) args.push(o.name, o.value);
  execFileSync(process.execPath, [cliNode, ...args, cmd.window, ...cmd.steps], { cwd: folder });
  const native = readFileSync(join(folder, 'Hexemple.txt'));
  rmSync(folder, { recursive: true, force: true });
  assert.ok(native.includes(Buffer.from('\r\n')), 'CR LF in the saved design');

  const { context, page } = await freshPage();
  const answers = cmd.options.filter((o) => o.name === '--repondre').map((o) => o.value);
  await openByMenus(page, routes, cmd.window);
  await settle(page, answers, []);
  for (const step of cmd.steps) {
    await act(page, cmd.window, windows, step);
    await settle(page, answers, []);
  }
  await page.evaluate(() => window.aubelys.app.idle());
  // Exported.
  await page.click('#aub-files button:text-is("Exporter…")');
  await page.check('.aub-export input[value="Hexemple.txt"]');
  const download = page.waitForEvent('download');
  await page.click('.aub-export button:text-is("OK")');
  const exported = readFileSync(await (await download).path());
  assert.ok(exported.equals(native), 'the exported design has the bytes the command line writes');
  // The whole folder as one zip holds it too.
  const zipWait = page.waitForEvent('download');
  await page.click('#aub-files button:text-is("Sauvegarder tout")');
  const zip = await zipWait;
  assert.equal(zip.suggestedFilename(), 'Aubelys-dossier.zip');
  const zipBytes = readFileSync(await zip.path());
  assert.equal(zipBytes.readUInt32LE(0), 0x04034b50, 'a zip');
  assert.ok(zipBytes.includes(Buffer.from('Hexemple.txt')), 'the zip names the design');
  // Imported under a new name: the same bytes in the folder, read by the window.
  const chooser = page.waitForEvent('filechooser');
  await page.click('#aub-files button:text-is("Importer des fichiers…")');
  await (await chooser).setFiles([{ name: 'Hretour.txt', mimeType: 'text/plain', buffer: exported }]);
  const seen = [];
  await settle(page, [], seen);
  assert.match(seen.join('\n'), /1 fichier importé : Hretour\.txt/);
  const back = await page.evaluate(() => Array.from(window.aubelys.app.FS.readFile('/aubelys/dossier/Hretour.txt')));
  assert.ok(Buffer.from(back).equals(native), 'the imported file keeps its bytes');
  // A refused name writes nothing.
  const chooser2 = page.waitForEvent('filechooser');
  await page.click('#aub-files button:text-is("Importer des fichiers…")');
  await (await chooser2).setFiles([{ name: ' espace.txt', mimeType: 'text/plain', buffer: Buffer.from('x') }]);
  const refused = [];
  await settle(page, [], refused);
  assert.match(refused[0], /Nom de fichier refusé/);
  await load(page, true);
  await openByMenus(page, routes, 'Formrouehaut');
  await settle(page, [], []);
  const list = await page.locator(`${section('Formrouehaut')} .aub-cell[data-key="List1"] li`).allTextContents();
  assert.ok(list.includes('Hretour.txt') && list.includes('Hexemple.txt'), `saved and imported designs kept: ${list}`);
  await page.locator(`${section('Formrouehaut')} .aub-cell[data-key="List1"] li`, { hasText: 'Hretour.txt' }).click();
  await settle(page, [], []);
  assert.equal(await page.inputValue(`${section('Formrouehaut')} [data-key="Valbox(0)"] input`), '4');
  assert.equal(await page.inputValue(`${section('Formrouehaut')} [data-key="Valbox(16)"] input`), '50');
  await context.close();
}

// A question answered "Non" leaves the file as it was; "Oui" replaces it. Enter runs the
// window's default action, Escape answers a box with its cancel button, Alt+letter opens a menu.
async function questionsAndKeys(routes, windows) {
  const { context, page } = await freshPage();
  await openByMenus(page, routes, 'Formrouehaut');
  await settle(page, [], []);
  const w = section('Formrouehaut');
  await page.locator(`${w} .aub-cell[data-key="List1"] li`, { hasText: 'H0Dalmor.txt' }).click();
  await settle(page, [], []);
  const original = await page.evaluate(() => Array.from(window.aubelys.app.FS.readFile('/aubelys/dossier/H0Dalmor.txt')));
  await page.fill(`${w} [data-key="Valbox(0)"] input`, '7.5');
  await settle(page, [], []);
  // Save under the existing name: asked whether to replace.
  const save = async (answer) => {
    await act(page, 'Formrouehaut', windows, 'Fichier/Enregistre');
    const seen = [];
    await settle(page, ['H0Dalmor', answer], seen);
    return seen;
  };
  const no = await save('non');
  assert.ok(no.some((l) => l.startsWith('  [question]') && l.endsWith('-> non')), `a question was asked: ${no}`);
  let now = await page.evaluate(() => Array.from(window.aubelys.app.FS.readFile('/aubelys/dossier/H0Dalmor.txt')));
  assert.deepEqual(now, original, '"Non" keeps the file');
  const yes = await save('oui');
  assert.ok(yes.some((l) => l.endsWith('-> oui')));
  now = await page.evaluate(() => new TextDecoder('windows-1252').decode(window.aubelys.app.FS.readFile('/aubelys/dossier/H0Dalmor.txt')));
  assert.ok(now.startsWith('7.5\r\n'), `"Oui" replaces the file: ${JSON.stringify(now.slice(0, 20))}`);

  // Escape on an input box is its Cancel: nothing saved.
  await act(page, 'Formrouehaut', windows, 'Fichier/Enregistre');
  await page.waitForSelector('.aub-dialog[data-kind=input]');
  await page.keyboard.press('Escape');
  await settle(page, [], []);
  const names = await page.evaluate(() => window.aubelys.app.FS.readdir('/aubelys/dossier'));
  assert.ok(!names.some((n) => /^\.txt$/i.test(n)), 'no file saved on Cancel');

  // Enter in a box of the flume page of the main window runs its default action (Calcul).
  await load(page, true);
  await clickMenu(page, 'Formmain', ['Options1', 'Vanne']);
  await settle(page, [], []);
  const m = section('Formmain');
  for (const [k, v] of [['zonetxt(0)', '2'], ['zonetxt(1)', '2'], ['zonetxt(2)', '0.5']]) await page.fill(`${m} [data-key="${k}"] input`, v);
  await settle(page, [], []);
  const t0 = Date.now();
  await page.focus(`${m} [data-key="zonetxt(2)"] input`);
  await page.keyboard.press('Enter');
  await settle(page, [], []);
  figures['Entrée : calcul de la vanne (ms)'] = Date.now() - t0;
  const result = await page.evaluate(() => window.aubelys.app.bridge.state().windows.Formmain.controls.zoneresu.text);
  assert.ok(result && result.length > 0, 'Enter calculated');

  // Alt+E opens the "Evaluations" menu; E (first letter with a mnemonic?) then Escape closes it.
  await page.focus(`${m} [data-key="zonetxt(0)"] input`);
  await page.keyboard.press('Alt+E');
  const open = page.locator(`${m} .aub-menu-top[aria-expanded=true]`);
  assert.equal((await open.innerText()).trim(), 'Evaluations');
  await page.keyboard.press('Escape');
  assert.equal(await page.locator(`${m} .aub-menu-top[aria-expanded=true]`).count(), 0);
  // Tab goes from box to box; the caption is tied to its box.
  await page.focus(`${m} [data-key="zonetxt(0)"] input`);
  await page.keyboard.press('Tab');
  const next = await page.evaluate(() => document.activeElement.closest('.aub-cell')?.dataset.key);
  // As on the desktop: the next box of the grid, row by row and left to right.
  const expectedNext = await page.evaluate(() => {
    const app = window.aubelys.app;
    const st = app.bridge.state().windows.Formmain.controls;
    const all = app.bridge.layout('Formmain').controls;
    const first = all.find((c) => c.key === 'zonetxt(0)');
    const boxes = all
      .filter((c) => c.frame === first.frame && ['textbox', 'combo', 'button', 'check', 'slider', 'list'].includes(c.kind) && st[c.key].visible && st[c.key].enabled)
      .sort((a, b) => a.row - b.row || a.col - b.col);
    return boxes[boxes.indexOf(first) + 1].key;
  });
  assert.equal(next, expectedNext);
  const labelled = await page.evaluate(() => {
    const f = document.querySelector('[data-window=Formmain] [data-key="zonetxt(0)"] input');
    return f.labels.length ? f.labels[0].textContent : '';
  });
  assert.ok(labelled.length > 0, 'the box has its caption as label');
  await context.close();
}

// A full quota: IndexedDB refuses to store the folder. The page says so in French, every
// box keeps what was typed and the design saved stays in the open page; once there is room
// again the next step stores it, the notice goes, and a reload finds it.
async function fullQuota(routes, windows) {
  const { context, page } = await freshPage(undefined, () => {
    const put = IDBObjectStore.prototype.put;
    IDBObjectStore.prototype.put = function (...args) {
      if (window.aubQuotaFull) throw new DOMException('Le quota est atteint', 'QuotaExceededError');
      return put.apply(this, args);
    };
  });
  const w = section('Formrouehaut');
  await openByMenus(page, routes, 'Formrouehaut');
  await settle(page, [], []);
  await page.locator(`${w} .aub-cell[data-key="List1"] li`, { hasText: 'H0Dalmor.txt' }).click();
  await settle(page, [], []);
  await page.evaluate(() => window.aubelys.app.idle());
  await page.evaluate(() => (window.aubQuotaFull = true));
  await page.fill(`${w} [data-key="Valbox(0)"] input`, '7.5');
  await settle(page, [], []);
  await act(page, 'Formrouehaut', windows, 'Fichier/Enregistre');
  await settle(page, ['Hplein'], []);
  await page.evaluate(() => window.aubelys.app.idle());
  const status = page.locator('#aub-status');
  assert.ok(await status.isVisible(), 'the full quota is said');
  assert.match(await status.textContent(), /stockage du navigateur est plein.*Rien n'est perdu/);
  assert.equal(await page.inputValue(`${w} [data-key="Valbox(0)"] input`), '7.5', 'the box keeps what was typed');
  const kept = await page.evaluate(() => new TextDecoder('windows-1252').decode(window.aubelys.app.FS.readFile('/aubelys/dossier/Hplein.txt')));
  assert.ok(kept.startsWith('7.5\r\n'), `the design saved stays in the page: ${JSON.stringify(kept.slice(0, 12))}`);
  // Room again: the next step stores the folder.
  await page.evaluate(() => (window.aubQuotaFull = false));
  await act(page, 'Formrouehaut', windows, 'Calcul');
  await settle(page, [], []);
  await page.evaluate(() => window.aubelys.app.idle());
  assert.equal(await status.isVisible(), false, 'the notice goes once the folder is stored');
  await load(page, true);
  const stored = await page.evaluate(() => window.aubelys.app.FS.readdir('/aubelys/dossier'));
  assert.ok(stored.includes('Hplein.txt'), 'stored once there was room');
  await context.close();
}

// Two windows side by side: the one clicked comes to the front; dragged by its title bar a
// window follows the mouse and stays on the screen, below the page's bar.
async function dragAndFront(routes) {
  const { context, page } = await freshPage();
  await openByMenus(page, routes, 'Formroue');
  await settle(page, [], []);
  await clickMenu(page, 'Formmain', ['Utilités', 'Etude paramétrique…']);
  await settle(page, [], []);
  const z = (name) => page.locator(section(name)).evaluate((el) => Number(el.style.zIndex));
  assert.ok((await z('EtudeParametrique')) > (await z('Formroue')), 'the window opened last is in front');
  const bar = page.locator(`${section('Formroue')} > .aub-titlebar`);
  const at = async () => page.locator(section('Formroue')).evaluate((el) => el.getBoundingClientRect().toJSON());
  // Dragged: it comes to the front and moves by as much as the mouse.
  const before = await at();
  const grip = await bar.boundingBox();
  const x = grip.x + 12;
  const y = grip.y + grip.height / 2;
  await page.mouse.move(x, y);
  await page.mouse.down();
  await page.mouse.move(x + 40, y + 30, { steps: 4 });
  await page.mouse.up();
  const moved = await at();
  assert.ok((await z('Formroue')) > (await z('EtudeParametrique')), 'the window clicked comes to the front');
  assert.deepEqual([Math.round(moved.left - before.left), Math.round(moved.top - before.top)], [40, 30]);
  // Dragged far past the right and bottom edges, then past the top: it stays whole on the screen.
  const view = await page.evaluate(() => [document.documentElement.clientWidth, document.documentElement.clientHeight, document.getElementById('aub-top').offsetHeight]);
  await page.mouse.move(x + 40, y + 30);
  await page.mouse.down();
  await page.mouse.move(x + 3000, y + 3000, { steps: 4 });
  await page.mouse.up();
  const far = await at();
  assert.ok(far.right <= view[0] + 0.5 && far.bottom <= view[1] + 0.5, `on the screen: ${JSON.stringify(far)}`);
  const grip2 = await bar.boundingBox();
  await page.mouse.move(grip2.x + 12, grip2.y + 4);
  await page.mouse.down();
  await page.mouse.move(grip2.x + 12, -200, { steps: 4 });
  await page.mouse.up();
  const high = await at();
  assert.ok(high.top >= view[2], `below the page's bar: ${high.top}`);
  // A click on the study window brings it back to the front.
  await page.locator(`${section('EtudeParametrique')} > .aub-titlebar h1`).click();
  assert.ok((await z('EtudeParametrique')) > (await z('Formroue')), 'clicked, the other window comes to the front');
  await context.close();
}

// The page as one file, opened from the disk: it starts, keeps its folder, calculates.
async function oneFile() {
  const file = resolve(site, '..', 'aubelys.html');
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
  const page = await context.newPage();
  page.on('pageerror', (e) => failures.push(`erreur de la page en un fichier : ${e.message}`));
  await page.goto(`file://${file}`);
  await page.waitForSelector('body[data-ready="1"]', { timeout: 30000 });
  assert.equal(await page.evaluate(() => window.aubelys.app.persistent), true, 'IndexedDB from the disk');
  await clickMenu(page, 'Formmain', ['Options1', 'Vanne']);
  await settle(page, [], []);
  const m = section('Formmain');
  for (const [k, v] of [['zonetxt(0)', '2'], ['zonetxt(1)', '2'], ['zonetxt(2)', '0.5']]) await page.fill(`${m} [data-key="${k}"] input`, v);
  await page.click(`${m} .aub-button button:text-is("CALCUL ")`);
  await settle(page, [], []);
  const expected = parseTranscript(readFileSync(join(transcripts, 'Formmain.txt'), 'utf8'))
    .find((c) => c.steps.join(' ') === 'Options1/Vanne zonetxt(0)=2 zonetxt(1)=2 zonetxt(2)=0.5 CALCUL ');
  const line = expected.output.find((l) => l.startsWith('  zoneresu = ['));
  assert.equal(`  zoneresu = [${await page.inputValue(`${m} [data-key="zoneresu"] input, ${m} [data-key="zoneresu"] textarea`)}]`, line);
  figures['page en un fichier (octets)'] = readFileSync(file).length;
  figures['page en un fichier → fenêtre principale (ms)'] = Math.round(await page.evaluate(() => window.aubelys.startMs));
  await context.close();
}

// The help pages in the page, their links followed; the dossier as a document for A4 with
// the study's name and the results; "Imprimfeuille" prints the window alone.
async function helpDossierPrint(routes) {
  const { context, page } = await freshPage();
  await clickMenu(page, 'Formmain', ['Utilités', 'Aide géné']);
  await settle(page, [], []);
  const help = page.frameLocator('.aub-viewer iframe');
  await help.locator('h1').first().waitFor();
  assert.match(await help.locator('h1').first().textContent(), /calculs en hydraulique/);
  await help.locator('a', { hasText: 'Turbines' }).first().click();
  await page.waitForFunction(() => /turbine/i.test(document.querySelector('.aub-viewer iframe').contentDocument.body.textContent.slice(0, 400)));
  await page.click('.aub-viewer button:text-is("Fermer")');

  await clickMenu(page, 'Formmain', ['Options1', 'Vanne']);
  await settle(page, [], []);
  const m = section('Formmain');
  for (const [k, v] of [['zonetxt(0)', '2'], ['zonetxt(1)', '2'], ['zonetxt(2)', '0.5']]) await page.fill(`${m} [data-key="${k}"] input`, v);
  await page.click(`${m} .aub-button button:text-is("CALCUL ")`);
  await settle(page, [], []);
  await clickMenu(page, 'Formmain', ['Impression', 'Dossier PDF…']);
  const asked = [];
  await settle(page, ['Moulin d\'essai'], asked);
  assert.match(asked[0], /\[input\] [\s\S]*Nom de l'étude/);
  const dossier = page.frameLocator('.aub-viewer iframe');
  await dossier.locator('h1').waitFor();
  assert.equal(await dossier.locator('h1').textContent(), "Moulin d'essai");
  const text = await dossier.locator('body').textContent();
  assert.ok(text.includes('Résultats') && text.includes('3.223'), 'the dossier holds the results');
  const css = await dossier.locator('style').textContent();
  assert.match(css, /@page \{ size: A4/);
  assert.match(css, /counter\(page\)/);
  await page.click('.aub-viewer button:text-is("Fermer")');

  await openByMenus(page, routes, 'Formrouehaut');
  await settle(page, [], []);
  await page.evaluate(() => {
    window.print = () => {
      window.printed = [...document.querySelectorAll('section.aub-window')].filter((w) => w.hasAttribute('data-printing-target')).map((w) => w.dataset.window);
    };
  });
  await clickMenu(page, 'Formrouehaut', ['Imprimfeuille']);
  await settle(page, [], []);
  assert.deepEqual(await page.evaluate(() => window.printed), ['Formrouehaut']);
  await page.emulateMedia({ media: 'print' });
  assert.equal(await page.locator(section('Formmain')).isVisible(), false, 'only the printed window on paper');
  assert.equal(await page.locator(section('Formrouehaut')).isVisible(), true);
  await context.close();
}

// ---------------------------------------------------------------- speed (reported)

async function speed(routes, windows) {
  const { context, page } = await freshPage();
  figures['page → fenêtre principale utilisable (ms, 2e visite)'] = 0;
  await load(page, true);
  figures['page → fenêtre principale utilisable (ms, 2e visite)'] = Math.round(await page.evaluate(() => window.aubelys.startMs));
  const steps = parseTranscript(readFileSync(join(transcripts, 'Formrouehaut.txt'), 'utf8'))[0].steps.filter((s) => s.includes('='));
  await openByMenus(page, routes, 'Formrouehaut');
  await settle(page, [], []);
  const times = [];
  for (const s of steps) {
    await act(page, 'Formrouehaut', windows, s);
    await settle(page, [], []);
    times.push(await page.evaluate(() => window.aubelys.app.lastStepMs));
  }
  await act(page, 'Formrouehaut', windows, 'Calcul');
  await settle(page, [], []);
  times.push(await page.evaluate(() => window.aubelys.app.lastStepMs));
  figures['événement le plus long de l\'exemple de la roue en dessus (ms)'] = Math.round(Math.max(...times) * 10) / 10;
  // The overshot wheel's study on 10 000 points, from "Lancer" to the last row shown.
  await load(page, true);
  await clickMenu(page, 'Formmain', ['Utilités', 'Etude paramétrique…']);
  await settle(page, [], []);
  for (const s of ['Calcul=Roue au dessus — Calcul', 'Parametre=Diamètre Roue m', 'De=2.5', 'A=4', 'Points=10000', 'Depart=H0Dalmor.txt', 'Suivi(0)=Puissance prévue watts']) {
    await act(page, 'EtudeParametrique', windows, s);
    await settle(page, [], []);
  }
  const t0 = Date.now();
  await act(page, 'EtudeParametrique', windows, 'Lancer');
  await page.waitForFunction(
    () => document.querySelectorAll('[data-window=EtudeParametrique] [data-key=Tableau] tbody tr').length === 10000 && document.body.dataset.busy === '0',
    null,
    { timeout: 180000, polling: 200 },
  );
  figures['étude de 10 000 points dans la page (ms)'] = Date.now() - t0;
  await context.close();
}

// ---------------------------------------------------------------- run

let failed = false;
try {
  const routes = await findRoutes();
  routes.Formgraph = [...(routes.Formrouehaut ?? []), ['Formrouehaut', ['graphique']]];
  routes.Formhlp = [...(routes.Formrouehaut ?? []), ['Formrouehaut', ['aide locale']]];
  routes.frmGraph = [...(routes.Formrouehaut ?? []), ['Formrouehaut', ["jet d'eau"]]];
  const windows = [];
  const all = await (async () => {
    const { context, page } = await freshPage();
    const t0 = Date.now();
    const names = await page.evaluate(() => window.aubelys.app.bridge.windows());
    figures['page → fenêtre principale utilisable (ms, 1re visite)'] = Math.round(await page.evaluate(() => window.aubelys.startMs));
    figures['taille page + module (octets)'] = readdirSync(site).reduce((n, f) => n + readFileSync(join(site, f)).length, 0);
    void t0;
    await context.close();
    return names;
  })();
  windows.push(...all);
  const files = readdirSync(transcripts)
    .filter((f) => f.endsWith('.txt'))
    .filter((f) => only.length === 0 || only.includes(basename(f, '.txt')));
  // "autres": the tests beyond the transcripts alone.
  let cases = 0;
  for (const f of files) {
    try {
      cases += await runTranscript(join(transcripts, f), routes, windows);
    } catch (e) {
      failures.push(`${f} : ${e.message}`);
    }
  }
  figures['commandes comparées'] = cases;
  figures['étapes hors de portée d\'un clic (file des étapes)'] = [...unreachable].join(' ; ');
  if (only.length === 0 || only.includes('autres')) {
    for (const [what, run] of [
      ['fichiers', filesRoundTrip],
      ['questions et clavier', questionsAndKeys],
      ['stockage plein', fullQuota],
      ['fenêtres déplacées', dragAndFront],
      ['page en un fichier', oneFile],
      ['aide, dossier, impression', helpDossierPrint],
      ['vitesse', speed],
    ])
      try {
        await run(routes, windows);
      } catch (e) {
        failures.push(`${what} : ${e.stack}`);
      }
  }
} finally {
  await browser.close();
  server.close();
  writeFileSync(join(out, 'figures.json'), JSON.stringify(figures, null, 2));
  for (const [k, v] of Object.entries(figures)) console.log(`${k} : ${v}`);
  if (failures.length) {
    failed = true;
    console.error(failures.join('\n\n'));
  }
}
process.exit(failed ? 1 : 0);
