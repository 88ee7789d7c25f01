// The program in a browser page: the WebAssembly module's window models behind the bridge,
// the main window as the page, the others as in-page windows, the program folder kept in
// the browser's IndexedDB between visits.
//
// A question asked during a step stops the step (the bridge answers status 3 with the box
// that waits); the page shows the box, and the answer replays the run with it, so the step
// takes the answer at the very point it asked. The browser's event loop is never blocked
// and the module needs neither Asyncify nor a worker.

import type { AubelysModule, Bridge, ChartValue, DrawingValue, EmFS, Outcome, State } from './bridge';
import { type Answer, dialogOpen, showDialog } from './dialogs';
import { decodeText, download, existing, listFiles, validName, writeWhole, zipFolder } from './files';
import { dossierHtml, type Report } from './dossier';
import { WindowView } from './view';

const FOLDER = '/aubelys/dossier';
// A timer's tick that took this long computed something; the windows running a timer are
// put back from the model's state at least this often (see App.tick).
const TICK_WORKED_MS = 10;
const READ_EVERY_MS = 250;
const MAIN = 'Formmain';

class App {
  readonly FS: EmFS;
  readonly bridge: Bridge;
  private readonly views = new Map<string, WindowView>();
  private readonly page: HTMLElement;
  private readonly desk: HTMLElement;
  private readonly veil: HTMLElement;
  private readonly status: HTMLElement;
  private queue: Promise<void> = Promise.resolve();
  private pendingSteps = 0;
  private seenDialogs = 0;
  private seenCalls = 0;
  private zTop = 10;
  private syncing: Promise<void> = Promise.resolve();
  private pictures = new Map<string, string>();
  private savedMark = '';
  readonly persistent: boolean;
  // Figures for the speed report: the time of the last step, in milliseconds.
  lastStepMs = 0;
  private readAt = -Infinity; // when the windows were last put back from the model's state

  constructor(mod: AubelysModule, bridge: Bridge, persistent: boolean) {
    this.FS = mod.FS;
    this.bridge = bridge;
    this.persistent = persistent;
    this.page = document.getElementById('aub-page') as HTMLElement;
    this.desk = document.getElementById('aub-desk') as HTMLElement;
    this.status = document.getElementById('aub-status') as HTMLElement;
    this.veil = document.createElement('div');
    this.veil.className = 'aub-veil aub-modal-veil';
    this.veil.hidden = true;
    this.desk.append(this.veil);
    this.toolbar();
    // Windows keep clear of the bar of the page's own buttons.
    const bar = document.getElementById('aub-top') as HTMLElement;
    const barHeight = () => document.documentElement.style.setProperty('--aub-top', `${bar.offsetHeight}px`);
    barHeight();
    // A smaller screen (a tablet turned, a window made narrower) brings the windows back in.
    addEventListener('resize', () => {
      barHeight();
      for (const v of this.views.values()) {
        v.fitWidth();
        if (!v.main) this.fit(v);
      }
    });
    // Keys pressed with the focus on no window go to the window in front.
    document.addEventListener('keydown', (e) => {
      if (e.target !== document.body || dialogOpen()) return;
      const top = [...this.views.values()].sort((a, b) => b.z - a.z)[0];
      top?.keys(e);
    });
  }

  // ------------------------------------------------------------ steps

  // Every event goes through here, one after the other.
  step(window: string, step: string) {
    this.enqueue(() => this.bridge.play(`${window}:${step}`));
  }

  // A timer's tick. While a study runs its ticks follow one another, each computing a slice
  // of points; reading the whole state of the windows back costs in proportion to the rows
  // already computed, so after a tick that worked the windows are put back at most four
  // times a second. A tick that did no work (the study has ended), asked a question or
  // failed is read back at once, as is every event of the person.
  tick(window: string, timer: string) {
    void this.busyWhile(() => this.run(() => this.bridge.play(`${window}:${timer}`), { window, timer }));
  }

  enqueue(action: () => Outcome): Promise<void> {
    return this.busyWhile(() => this.run(action));
  }

  // Steps, imports and exports one after the other; the page says it is busy meanwhile
  // (body[data-busy], which the tests wait on).
  private busyWhile(work: () => Promise<void>): Promise<void> {
    ++this.pendingSteps;
    document.body.dataset.busy = '1';
    this.queue = this.queue
      .then(work)
      .catch((e) => this.fault(e))
      .finally(() => {
        if (--this.pendingSteps === 0) document.body.dataset.busy = '0';
      });
    return this.queue;
  }

  private async run(action: () => Outcome, tick?: { window: string; timer: string }) {
    const t0 = performance.now();
    let out = action();
    this.lastStepMs = performance.now() - t0;
    if (tick && out.status === 0 && this.lastStepMs >= TICK_WORKED_MS && t0 - this.readAt < READ_EVERY_MS) {
      const view = this.views.get(tick.window);
      if (view) {
        view.rearm(tick.timer);
        return;
      }
    }
    while (out.status === 3 && out.pending) {
      const st = this.bridge.state();
      this.refresh(st);
      await this.showNewDialogs(st);
      const a: Answer = await showDialog(out.pending);
      out = this.bridge.answer(a ?? '');
    }
    // One reading of the state serves the windows, the boxes shown and the end.
    this.readAt = performance.now();
    const st = this.bridge.state();
    this.refresh(st);
    await this.showNewDialogs(st);
    this.platformCalls();
    // A refusal (a hidden or greyed control) does nothing, as on the desktop; a failure is said.
    if (out.status === 2) console.warn(out.error);
    if (out.status === 1) await showDialog({ kind: 'message', text: out.error, title: 'Aubelys' });
    await this.save();
    if (st.ended) this.ended();
  }

  private async fault(e: unknown) {
    console.error(e);
    await showDialog({ kind: 'message', text: `Erreur du programme : ${String(e)}` });
  }

  private async showNewDialogs(st: State) {
    const fresh = st.dialogs.slice(this.seenDialogs);
    this.seenDialogs = st.dialogs.length;
    for (const d of fresh) if (d.kind === 'message') await showDialog(d);
  }

  openMain() {
    this.seenDialogs = 0;
    this.seenCalls = 0;
    return this.enqueue(() => this.bridge.open(MAIN));
  }

  // The program ended (Quitter): the page says so and offers a new start.
  private ended() {
    for (const v of this.views.values()) {
      v.stopTimers();
      v.el.remove();
    }
    this.views.clear();
    this.veil.hidden = true;
    const end = document.createElement('div');
    end.className = 'aub-ended';
    const p = document.createElement('p');
    p.textContent = 'Aubelys est fermé. Vos études restent dans le dossier du navigateur.';
    const again = document.createElement('button');
    again.type = 'button';
    again.textContent = 'Relancer Aubelys';
    again.addEventListener('click', () => {
      end.remove();
      this.bridge.reset();
      void this.openMain();
    });
    end.append(p, again);
    this.page.append(end);
    again.focus();
  }

  // ------------------------------------------------------------ windows

  refresh(st: State = this.bridge.state()) {
    for (const [name, w] of Object.entries(st.windows)) {
      let view = this.views.get(name);
      if (!w.visible) {
        if (view) {
          view.stopTimers();
          view.el.remove();
          this.views.delete(name);
        }
        continue;
      }
      // The layout of the windows shown only (menus and captions change with the steps).
      const layout = this.bridge.layout(name);
      if (!layout?.controls) continue;
      if (!view) {
        view = new WindowView(this, layout, name === MAIN);
        this.views.set(name, view);
        if (view.main) {
          this.page.querySelector('.aub-loading')?.remove();
          this.page.append(view.el);
        }
        else {
          const n = this.views.size - 1;
          this.desk.append(view.el);
          view.el.style.left = `${layout.left >= 0 ? Math.round(layout.left / 15) : 40 + 28 * n}px`;
          view.el.style.top = `${layout.top >= 0 ? Math.round(layout.top / 15) : 60 + 28 * n}px`;
        }
        view.update(layout, w);
        this.front(view, true);
        if (!view.main) this.fit(view);
        const first = view.el.querySelector<HTMLElement>('.aub-client input:not([disabled]), .aub-client textarea, .aub-client button:not([disabled]), .aub-client [role=listbox]');
        if (!dialogOpen() && !view.main) first?.focus();
      } else view.update(layout, w);
    }
    for (const [name, view] of this.views)
      if (!st.windows[name]) {
        view.stopTimers();
        view.el.remove();
        this.views.delete(name);
      }
    this.stack();
  }

  // A window opened comes whole into the screen when it can (it scrolls inside otherwise).
  private fit(view: WindowView) {
    const r = view.el.getBoundingClientRect();
    const top = (document.getElementById('aub-top') as HTMLElement).offsetHeight + 2;
    if (r.bottom > innerHeight) view.el.style.top = `${Math.max(top, view.el.offsetTop - (r.bottom - innerHeight) - 4)}px`;
    if (r.right > innerWidth) view.el.style.left = `${Math.max(0, view.el.offsetLeft - (r.right - innerWidth) - 4)}px`;
  }

  // A window just opened comes on top; a click brings a window forward, but not above a
  // modal window opened after it.
  front(view: WindowView, opened = false) {
    if (view.main) return;
    const top = [...this.views.values()].filter((v) => !v.main && v.layout.modal).sort((a, b) => b.z - a.z)[0];
    if (!opened && top && top !== view && view.z < top.z) return;
    view.z = ++this.zTop;
    view.el.style.zIndex = String(view.z * 2);
    this.stack();
  }

  // The veil under the topmost modal window holds every other window back.
  private stack() {
    const modal = [...this.views.values()].filter((v) => !v.main && v.layout.modal).sort((a, b) => b.z - a.z)[0];
    this.veil.hidden = !modal;
    if (modal) this.veil.style.zIndex = String(modal.z * 2 - 1);
    this.page.inert = !!modal;
    for (const v of this.views.values()) if (!v.main) v.el.inert = !!modal && v.z < modal.z;
  }

  drawings(window: string): Record<string, DrawingValue> {
    return this.bridge.drawings(window);
  }

  picture(file: string): string | null {
    const name = file.split(/[\\/]/).pop() as string;
    const found = existing(this.FS, FOLDER, name);
    if (!found) return null;
    let url = this.pictures.get(found);
    if (!url) {
      const type = /\.png$/i.test(found) ? 'image/png' : /\.gif$/i.test(found) ? 'image/gif' : 'image/jpeg';
      url = URL.createObjectURL(new Blob([this.FS.readFile(`${FOLDER}/${found}`) as BlobPart], { type }));
      this.pictures.set(found, url);
    }
    return url;
  }

  // A chart of a window with its colours and ticks, for its SVG export.
  chart(window: string, chart: string): ChartValue | null {
    const out = this.bridge.chart(window, chart);
    return out.error ? null : out;
  }

  chartCsv(window: string, chart: string): string | null {
    const sep = (1.5).toLocaleString(navigator.language).includes(',') ? ',' : '.';
    const out = this.bridge.chartCsv(window, chart, sep);
    return out.csv ?? null;
  }

  download(name: string, data: Uint8Array | string, type: string) {
    download(name, data, type);
  }

  // What the windows asked of the system: print, help pages, text files, the clipboard.
  private platformCalls() {
    const p = this.bridge.platform();
    const fresh = p.calls.slice(this.seenCalls);
    this.seenCalls = p.calls.length;
    for (const call of fresh) {
      const [what, ...rest] = call.split(' ');
      const arg = rest.join(' ');
      if (what === 'printForm') this.print(arg);
      else if (what === 'setClipboard') void navigator.clipboard?.writeText(p.clipboard).catch(() => undefined);
      else if (what === 'openWebPage' || what === 'openTextFile') this.showFile(arg);
      else if (what === 'showHelp') this.showHelp(arg);
      else if (what === 'saveDossier') this.showDossier();
    }
  }

  print(name: string) {
    const target = this.views.get(name)?.el;
    document.body.dataset.printing = name;
    target?.setAttribute('data-printing-target', '');
    const done = () => {
      delete document.body.dataset.printing;
      target?.removeAttribute('data-printing-target');
      removeEventListener('afterprint', done);
    };
    addEventListener('afterprint', done);
    window_print();
  }

  // A help topic: the page of its number in the folder's "aide", else the index of the
  // help pages, else the page the window names; links between the pages are followed.
  private showHelp(arg: string) {
    const m = / (-?\d+)$/.exec(arg);
    const context = m ? m[1] : '0';
    const path = m ? arg.slice(0, m.index) : arg;
    const aide = existing(this.FS, FOLDER, 'aide');
    let page: string | null = null;
    if (aide) {
      const here = `${FOLDER}/${aide}`;
      const found = existing(this.FS, here, `${context}.htm`) ?? existing(this.FS, here, 'index.htm');
      if (found) page = `${here}/${found}`;
    }
    if (!page && /\.html?$/i.test(path) && this.FS.analyzePath(path).exists) page = path;
    if (!page) {
      void showDialog({ kind: 'message', text: `Page d'aide introuvable (rubrique ${context}).`, title: 'Aide' });
      return;
    }
    const frame = this.viewer('Aide', decodeText(this.FS.readFile(page)));
    const folderOf = (p: string) => p.slice(0, p.lastIndexOf('/'));
    let at = page;
    frame.addEventListener('load', () => {
      frame.contentDocument?.addEventListener('click', (e) => {
        const a = (e.target as Element).closest('a');
        const href = a?.getAttribute('href');
        if (!href || /^[a-z]+:/i.test(href) || href.startsWith('#')) return;
        const name = decodeURIComponent(href.split('#')[0]);
        const dir = folderOf(at);
        const found = existing(this.FS, dir, name.split('/').pop() as string);
        if (!found) return;
        e.preventDefault();
        at = `${dir}/${found}`;
        frame.srcdoc = decodeText(this.FS.readFile(at));
      });
    });
  }

  // A page or a text of the program folder in an in-page viewer; an address of the web in a new tab.
  private showFile(path: string) {
    if (/^https?:\/\//i.test(path)) {
      open(path, '_blank', 'noopener');
      return;
    }
    const rel = path.startsWith(FOLDER) ? path.slice(FOLDER.length + 1) : path.split(/[\\/]/).pop() || path;
    let bytes: Uint8Array | null = null;
    for (const candidate of [rel, `aide/${rel}`, path]) {
      const full = candidate.startsWith('/') ? candidate : `${FOLDER}/${candidate}`;
      if (this.FS.analyzePath(full).exists && !this.FS.isDir(this.FS.stat(full).mode)) {
        bytes = this.FS.readFile(full);
        break;
      }
    }
    if (!bytes) {
      void showDialog({ kind: 'message', text: `Fichier introuvable : ${path}` });
      return;
    }
    const html = /\.html?$/i.test(rel);
    const text = decodeText(bytes);
    this.viewer(rel, html ? text : `<pre style="white-space:pre-wrap">${text.replace(/[&<>]/g, (c) => `&#${c.charCodeAt(0)};`)}</pre>`);
  }

  // An in-page window showing a document, with "Fermer" (and "Imprimer" for the dossier).
  private viewer(title: string, srcdoc: string, printable = false): HTMLIFrameElement {
    const viewer = document.createElement('section');
    viewer.className = 'aub-window aub-floating aub-viewer';
    viewer.setAttribute('role', 'dialog');
    viewer.dataset.window = 'aub-viewer';
    const bar = document.createElement('header');
    bar.className = 'aub-titlebar';
    const h = document.createElement('h1');
    h.textContent = title;
    const buttons = document.createElement('span');
    const frame = document.createElement('iframe');
    const button = (caption: string, run: () => void) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = caption;
      b.addEventListener('click', run);
      buttons.append(b);
      return b;
    };
    if (printable) {
      button('Imprimer', () => frame.contentWindow?.print());
      button('Enregistrer en HTML', () => download(`${title}.html`, srcdoc, 'text/html'));
    }
    const close = button('Fermer', () => viewer.remove());
    viewer.addEventListener('keydown', (e) => e.key === 'Escape' && viewer.remove());
    bar.append(h, buttons);
    frame.srcdoc = srcdoc;
    frame.title = title;
    viewer.append(bar, frame);
    viewer.style.zIndex = String(++this.zTop * 2);
    this.desk.append(viewer);
    close.focus();
    return frame;
  }

  // The dossier the windows asked for, as a document laid out for A4.
  private showDossier() {
    const report = this.bridge.dossier() as Report | null;
    if (!report) return;
    const html = dossierHtml(report, (f) => this.pictureData(f));
    this.viewer(report.study || 'Dossier', html, true);
  }

  // A picture of the folder as a data: URL (a document of its own cannot read the page's blob: URLs when saved).
  private pictureData(file: string): string | null {
    const found = existing(this.FS, FOLDER, file.split(/[\\/]/).pop() as string);
    if (!found) return null;
    const bytes = this.FS.readFile(`${FOLDER}/${found}`);
    let bin = '';
    for (let i = 0; i < bytes.length; i += 0x8000) bin += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    const type = /\.png$/i.test(found) ? 'image/png' : 'image/jpeg';
    return `data:${type};base64,${btoa(bin)}`;
  }

  // ------------------------------------------------------------ files

  private toolbar() {
    const bar = document.getElementById('aub-files') as HTMLElement;
    const add = (caption: string, run: () => void) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = caption;
      b.addEventListener('click', run);
      bar.append(b);
      return b;
    };
    const picker = document.createElement('input');
    picker.type = 'file';
    picker.multiple = true;
    picker.hidden = true;
    picker.id = 'aub-import-files';
    picker.addEventListener('change', () => {
      const files = Array.from(picker.files ?? []);
      picker.value = '';
      void this.busyWhile(() => this.importFiles(files));
    });
    bar.append(picker);
    add('Importer des fichiers…', () => picker.click());
    add('Exporter…', () => void this.busyWhile(() => this.exportFiles()));
    add('Sauvegarder tout', () => download('Aubelys-dossier.zip', zipFolder(this.FS, FOLDER), 'application/zip'));
  }

  private async importFiles(files: File[]) {
    const taken: string[] = [];
    for (const f of files) {
      if (!validName(f.name)) {
        await showDialog({ kind: 'message', text: `Nom de fichier refusé : « ${f.name} ». Rien n'a été écrit.` });
        continue;
      }
      const bytes = new Uint8Array(await f.arrayBuffer());
      const there = existing(this.FS, FOLDER, f.name);
      if (there) {
        const a = await showDialog({ kind: 'question', text: `Le fichier « ${there} » existe déjà. Le remplacer ?` });
        if (a !== 'oui') continue;
      }
      const name = there ?? f.name;
      try {
        writeWhole(this.FS, `${FOLDER}/${name}`, bytes);
        this.bridge.imported(name);
        taken.push(name);
      } catch (e) {
        await showDialog({ kind: 'message', text: `Écriture impossible : « ${name} » (${String(e)}).` });
      }
    }
    await this.save();
    if (taken.length)
      await showDialog({
        kind: 'message',
        text: `${taken.length} fichier${taken.length > 1 ? 's' : ''} importé${taken.length > 1 ? 's' : ''} : ${taken.join(', ')}. Les listes des fenêtres le montrent à leur prochaine ouverture.`,
      });
  }

  private async exportFiles() {
    const names = listFiles(this.FS, FOLDER);
    const veil = document.createElement('div');
    veil.className = 'aub-veil aub-dialog-veil';
    const box = document.createElement('div');
    box.className = 'aub-dialog aub-export';
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    const title = document.createElement('div');
    title.className = 'aub-dialog-title';
    title.textContent = 'Exporter des fichiers';
    const list = document.createElement('div');
    list.className = 'aub-export-list';
    names.forEach((n, i) => {
      const row = document.createElement('div');
      const check = document.createElement('input');
      check.type = 'checkbox';
      check.id = `aub-export-${i}`;
      check.value = n;
      const label = document.createElement('label');
      label.htmlFor = check.id;
      label.textContent = n;
      row.append(check, label);
      list.append(row);
    });
    const buttons = document.createElement('div');
    buttons.className = 'aub-dialog-buttons';
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'OK';
    const cancel = document.createElement('button');
    cancel.type = 'button';
    cancel.textContent = 'Annuler';
    buttons.append(ok, cancel);
    box.append(title, list, buttons);
    veil.append(box);
    document.body.append(veil);
    (list.querySelector('input') as HTMLElement | null)?.focus();
    await new Promise<void>((resolve) => {
      const done = (go: boolean) => {
        if (go)
          for (const c of list.querySelectorAll<HTMLInputElement>('input:checked'))
            download(c.value.split('/').pop() as string, this.FS.readFile(`${FOLDER}/${c.value}`), 'application/octet-stream');
        veil.remove();
        resolve();
      };
      ok.addEventListener('click', () => done(true));
      cancel.addEventListener('click', () => done(false));
      box.addEventListener('keydown', (e) => {
        if (e.key === 'Escape') done(false);
        if (e.key === 'Enter' && !(e.target instanceof HTMLButtonElement)) done(true);
      });
    });
  }

  // The folder into IndexedDB after each step: one transaction, so a reload during a save
  // finds the old files or the new ones, never half of one.
  save(): Promise<void> {
    if (!this.persistent) return Promise.resolve();
    // Nothing written since the last save (most steps): nothing to do.
    const mark = this.folderMark();
    if (mark === this.savedMark) return this.syncing;
    this.savedMark = mark;
    this.syncing = this.syncing.then(
      () =>
        new Promise<void>((resolve) => {
          this.FS.syncfs(false, (err) => {
            if (err) {
              this.savedMark = '';
              this.notice(
                'Le stockage du navigateur est plein : les dernières modifications ne sont pas gardées pour la prochaine visite. Rien n\'est perdu tant que la page reste ouverte : enregistrez-les sur le disque avec « Sauvegarder tout ».',
              );
            } else if (this.status.dataset.kind === 'quota') this.notice('');
            resolve();
          });
        }),
    );
    return this.syncing;
  }

  // The folder's names, sizes and times of change: what a save would store.
  private folderMark(): string {
    const parts: string[] = [];
    const walk = (dir: string) => {
      for (const n of this.FS.readdir(dir)) {
        if (n === '.' || n === '..') continue;
        const st = this.FS.stat(`${dir}/${n}`);
        parts.push(`${dir}/${n}:${st.size}:${+st.mtime}`);
        if (this.FS.isDir(st.mode)) walk(`${dir}/${n}`);
      }
    };
    walk(FOLDER);
    return parts.join('|');
  }

  notice(text: string, kind = 'quota') {
    this.status.textContent = text;
    this.status.hidden = !text;
    this.status.dataset.kind = text ? kind : '';
  }

  // For the tests and the speed figures: every step done and saved.
  async idle() {
    await this.queue;
    await this.syncing;
  }
}

function window_print() {
  window.print();
}

function syncfs(FS: EmFS, populate: boolean): Promise<void> {
  return new Promise((resolve, reject) => FS.syncfs(populate, (err) => (err ? reject(err) : resolve())));
}

// The page made as one file carries the module and its data inside it.
function embeddedModule(): object | undefined {
  const e = (window as unknown as { aubelysEmbedded?: { wasm: string; data: string } }).aubelysEmbedded;
  if (!e) return undefined;
  const bytes = (b64: string) => Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
  const data = bytes(e.data);
  return { wasmBinary: bytes(e.wasm), getPreloadedPackage: () => data.buffer };
}

async function boot() {
  const t0 = performance.now();
  const mod = await createAubelys(embeddedModule());
  const FS = mod.FS;
  FS.mkdirTree(FOLDER);
  let persistent = false;
  try {
    if (typeof indexedDB === 'undefined') throw new Error('IndexedDB absent');
    FS.mount(FS.filesystems.IDBFS, {}, FOLDER);
    await syncfs(FS, true);
    persistent = true;
  } catch (e) {
    console.warn('stockage persistant indisponible', e);
  }
  // The bridge seeds the folder with the delivered files it lacks (the first visit).
  const bridge = mod.bridge(FOLDER);
  const app = new App(mod, bridge, persistent);
  if (persistent) {
    await app.save();
    void navigator.storage?.persist?.().catch(() => false);
  } else
    app.notice(
      'Ce navigateur ne garde pas de stockage persistant : vos études ne dureront que le temps de cette visite. Enregistrez-les sur le disque avec « Exporter… » ou « Sauvegarder tout ».',
      'volatile',
    );
  await app.openMain();
  const ms = performance.now() - t0;
  (window as unknown as { aubelys: unknown }).aubelys = { app, startMs: ms };
  document.body.dataset.ready = '1';
}

boot().catch((e) => {
  const p = document.getElementById('aub-status') as HTMLElement;
  p.hidden = false;
  p.textContent = `Aubelys n'a pas pu démarrer : ${String(e)}`;
});
