// One window of the program drawn from its declared layout: its title bar, its menu bar
// with the Alt-letter shortcuts, its frames as grids and every control in its cell, with
// its caption and size. Every event of the person becomes one step of the command line's
// syntax; the boxes are then put back as the window model has them.

import type { ControlLayout, ControlState, DrawingValue, MenuEntry, WindowLayout, WindowState } from './bridge';
import { type ChartView, renderChart } from './chart';
import { drawingSvg } from './svg';

// What a window needs of the page around it.
export interface Host {
  step(window: string, step: string): void;
  tick(window: string, timer: string): void; // a timer's tick (see App.tick)
  front(view: WindowView): void;
  drawings(window: string): Record<string, DrawingValue>;
  picture(file: string): string | null; // a URL for a picture of the program folder
  chartCsv(window: string, chart: string): string | null;
  chart?(window: string, chart: string): import('./bridge').ChartValue | null; // with its colours and ticks
  download(name: string, data: Uint8Array | string, type: string): void;
}

const TWIPS_PER_PIXEL = 15;
const px = (tw: number) => Math.round(tw / TWIPS_PER_PIXEL);

interface Bound {
  c: ControlLayout;
  el: HTMLElement; // the cell: what is shown, hidden and placed
  field?: HTMLInputElement | HTMLTextAreaElement;
  button?: HTMLButtonElement;
  check?: HTMLInputElement;
  text?: HTMLElement; // where a caption goes
  list?: HTMLElement; // the entries of a list or of a combo's drop-down
  items?: string[];
  selected?: number;
  grid?: HTMLElement; // a frame's own grid
  chart?: ChartView;
  chartText?: string;
  chartWidth?: number; // the width it was drawn at
  drawText?: string;
  progress?: HTMLProgressElement;
  table?: HTMLTableElement;
  tableText?: string;
  tableRows?: string[][];
  chartDue?: number;
  chartDrawn?: number; // a chart drawn again later: it changes faster than it can be drawn
  colourKey?: string; // the series the colours below were asked for
  colours?: (string | null)[];
  timer?: number;
  tickAt?: number;
  enabled?: boolean;
  visible?: boolean;
}

let ids = 0;

// "&Fichier" → "F" underlined; "&&" is an ampersand.
function withMnemonic(target: HTMLElement, caption: string): string {
  target.textContent = '';
  let letter = '';
  let plain = '';
  for (let i = 0; i < caption.length; ++i) {
    const ch = caption[i];
    if (ch === '&' && i + 1 < caption.length) {
      if (caption[i + 1] === '&') {
        plain += '&';
        ++i;
        continue;
      }
      if (!letter) {
        if (plain) target.append(plain);
        plain = '';
        const u = document.createElement('u');
        u.textContent = caption[i + 1];
        target.append(u);
        letter = caption[i + 1];
        ++i;
        continue;
      }
    }
    plain += ch;
  }
  if (plain) target.append(plain);
  return letter;
}

const withoutAmpersand = (s: string) => s.replace(/&(&?)/g, '$1');

export class WindowView {
  readonly name: string;
  readonly el: HTMLElement;
  readonly main: boolean;
  layout: WindowLayout;
  z = 0;
  private readonly host: Host;
  private readonly title: HTMLElement;
  private readonly menubar: HTMLElement;
  private readonly client: HTMLElement;
  private readonly bound = new Map<string, Bound>();
  private menuText = '';
  private ticking = false; // a timer of the window runs
  private openMenu: { top: HTMLElement; list: HTMLElement } | null = null;
  private grids: HTMLElement[] = []; // the window's grid, then its frames' grids, outer first
  private room = Infinity; // the width the window has on the screen, in pixels
  private fitDue = true; // controls shown, hidden or made again: the width is measured again

  constructor(host: Host, layout: WindowLayout, main: boolean) {
    this.host = host;
    this.name = layout.name;
    this.layout = layout;
    this.main = main;
    this.el = document.createElement('section');
    this.el.className = 'aub-window' + (main ? ' aub-main' : ' aub-floating');
    this.el.dataset.window = layout.name;
    this.el.setAttribute('role', main ? 'main' : 'dialog');
    if (!main && layout.modal) this.el.setAttribute('aria-modal', 'true');
    const titleBar = document.createElement('header');
    titleBar.className = 'aub-titlebar';
    this.title = document.createElement('h1');
    this.title.id = `aub-title-${layout.name}`;
    this.el.setAttribute('aria-labelledby', this.title.id);
    titleBar.append(this.title);
    this.menubar = document.createElement('nav');
    this.menubar.className = 'aub-menubar';
    this.menubar.setAttribute('role', 'menubar');
    this.client = document.createElement('div');
    this.client.className = 'aub-client aub-grid';
    if (layout.backColor) this.el.style.setProperty('--aub-back', layout.backColor);
    this.el.append(titleBar, this.menubar, this.client);
    if (!main) this.movable(titleBar);
    this.el.addEventListener('pointerdown', () => host.front(this), true);
    this.el.addEventListener('keydown', (e) => this.keys(e));
    this.build(layout);
  }

  // ------------------------------------------------------------ building

  private build(layout: WindowLayout) {
    this.client.textContent = '';
    this.bound.clear();
    if (layout.width > 0) this.client.style.minWidth = `min(${px(layout.width)}px, 100%)`;
    for (const c of layout.controls) this.bound.set(c.key, this.create(c));
    // Frames first known, then every control in its cell: a control may name a frame made
    // after it. Each grid gets its controls row by row, left to right: Tab follows them.
    const placed = [...this.bound.values()].sort((x, y) => x.c.row - y.c.row || x.c.col - y.c.col);
    for (const b of placed) {
      let parent = this.client;
      const frame = b.c.frame ? this.bound.get(b.c.frame) : undefined;
      if (frame?.grid && frame !== b && !b.el.contains(frame.el)) parent = frame.grid;
      b.el.style.gridRow = `${Math.max(0, b.c.row) + 1} / span ${Math.max(1, b.c.rowSpan)}`;
      b.el.style.gridColumn = `${Math.max(0, b.c.col) + 1} / span ${Math.max(1, b.c.colSpan)}`;
      parent.append(b.el);
    }
    // Each row of a grid ends with a break, which only a flowing grid shows (see fitWidth).
    this.grids = [this.client, ...[...this.client.querySelectorAll<HTMLElement>('.aub-grid')]];
    for (const grid of this.grids) {
      let row = -1;
      for (const cell of [...grid.children] as HTMLElement[]) {
        const r = this.bound.get(cell.dataset.key ?? '')?.c.row ?? row;
        if (row >= 0 && r !== row) {
          const gap = document.createElement('div');
          gap.className = 'aub-break';
          gap.setAttribute('aria-hidden', 'true');
          grid.insertBefore(gap, cell);
        }
        row = r;
      }
    }
    this.fitDue = true;
    this.tieCaptions();
    this.buildMenus(layout.menus);
  }

  // A caption tells a screen reader which box it names: the label just left of a box in
  // the same frame and row, else the one just above it.
  private tieCaptions() {
    const boxes = [...this.bound.values()].filter((b) => b.field || b.list);
    for (const b of this.bound.values()) {
      if (b.c.kind !== 'label' || !b.text) continue;
      const right = boxes
        .filter((x) => x.c.frame === b.c.frame && x.c.row === b.c.row && x.c.col > b.c.col)
        .sort((x, y) => x.c.col - y.c.col)[0];
      const below = boxes.find((x) => x.c.frame === b.c.frame && x.c.col === b.c.col && x.c.row === b.c.row + 1);
      const box = right ?? below;
      if (!box) continue;
      const target = box.field ?? box.list;
      if (!target) continue;
      if (b.text instanceof HTMLLabelElement && box.field) b.text.htmlFor = box.field.id;
      else {
        b.text.id ||= `aub-c${++ids}`;
        target.setAttribute('aria-labelledby', b.text.id);
      }
    }
  }

  private create(c: ControlLayout): Bound {
    const cell = document.createElement('div');
    cell.className = `aub-cell aub-${c.kind}`;
    cell.dataset.key = c.key;
    cell.dataset.kind = c.kind;
    const b: Bound = { c, el: cell };
    const id = `aub-c${++ids}`;
    const step = (s: string) => this.host.step(this.name, s);
    if (c.width > 0 && c.kind !== 'label') cell.style.width = `${px(c.width)}px`;
    if (c.height > 0 && ['list', 'picture', 'canvas', 'table'].includes(c.kind))
      cell.style.height = `${px(c.height)}px`;
    if (c.foreColor) cell.style.color = c.foreColor;
    if (c.backColor) cell.style.backgroundColor = c.backColor;
    if (c.bold) cell.style.fontWeight = 'bold';
    if (c.fontSize > 0) cell.style.fontSize = `${c.fontSize}pt`;
    cell.style.textAlign = c.alignment === 'centre' ? 'center' : c.alignment;
    switch (c.kind) {
      case 'label': {
        const label = document.createElement('label');
        label.className = 'aub-caption';
        label.addEventListener('click', (e) => {
          // The label's own click only: the box it names gets the focus, not a click.
          e.preventDefault();
          const box = label.htmlFor ? document.getElementById(label.htmlFor) : null;
          if (box && box.checkVisibility()) box.focus();
          step(c.key);
        });
        cell.append(label);
        b.text = label;
        break;
      }
      case 'textbox': {
        const f = c.multiline ? document.createElement('textarea') : document.createElement('input');
        if (f instanceof HTMLInputElement) f.type = c.password ? 'password' : 'text';
        f.id = id;
        f.name = c.key;
        f.readOnly = !!c.locked;
        f.spellcheck = false;
        f.autocomplete = 'off';
        if (c.height > 0 && c.multiline) f.style.height = `${px(c.height)}px`;
        f.addEventListener('input', () => step(`${c.key}=${f.value}`));
        f.addEventListener('click', () => step(c.key));
        cell.append(f);
        b.field = f;
        break;
      }
      case 'list': {
        const list = document.createElement('ul');
        list.id = id;
        list.className = 'aub-listbox';
        list.setAttribute('role', 'listbox');
        list.tabIndex = 0;
        list.addEventListener('click', (e) => {
          const li = (e.target as HTMLElement).closest('li');
          if (li && b.items) step(`${c.key}=${b.items[Number(li.dataset.i)]}`);
        });
        list.addEventListener('keydown', (e) => this.listKeys(e, b));
        cell.append(list);
        b.list = list;
        break;
      }
      case 'combo': {
        const f = document.createElement('input');
        f.type = 'text';
        f.id = id;
        f.name = c.key;
        f.autocomplete = 'off';
        f.setAttribute('role', 'combobox');
        f.setAttribute('aria-expanded', 'false');
        const open = document.createElement('button');
        open.type = 'button';
        open.className = 'aub-combo-open';
        open.tabIndex = -1;
        open.textContent = '▾';
        open.setAttribute('aria-label', 'Ouvrir la liste');
        const drop = document.createElement('ul');
        drop.className = 'aub-dropdown';
        drop.setAttribute('role', 'listbox');
        drop.hidden = true;
        f.setAttribute('aria-controls', (drop.id = `${id}-l`));
        const show = (on: boolean) => {
          drop.hidden = !on;
          f.setAttribute('aria-expanded', String(on));
        };
        open.addEventListener('pointerdown', (e) => e.preventDefault());
        open.addEventListener('click', () => {
          show(drop.hidden === true);
          f.focus();
        });
        drop.addEventListener('pointerdown', (e) => e.preventDefault()); // the box keeps the focus
        drop.addEventListener('click', (e) => {
          const li = (e.target as HTMLElement).closest('li');
          if (!li || !b.items) return;
          show(false);
          f.focus();
          step(`${c.key}=${b.items[Number(li.dataset.i)]}`);
        });
        f.addEventListener('input', () => step(`${c.key}=${f.value}`));
        f.addEventListener('blur', () => setTimeout(() => cell.contains(document.activeElement) || show(false), 0));
        f.addEventListener('keydown', (e) => {
          if (!b.items || b.items.length === 0) return;
          if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
            e.preventDefault();
            const at = b.selected ?? -1;
            const to = Math.max(0, Math.min(b.items.length - 1, at + (e.key === 'ArrowDown' ? 1 : -1)));
            if (to !== at) step(`${c.key}=${b.items[to]}`);
          } else if (e.key === 'Escape' && !drop.hidden) {
            e.preventDefault();
            e.stopPropagation();
            show(false);
          }
        });
        const row = document.createElement('div');
        row.className = 'aub-combo-row';
        row.append(f, open);
        cell.append(row, drop);
        b.field = f;
        b.list = drop;
        break;
      }
      case 'check': {
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.id = id;
        const label = document.createElement('label');
        label.htmlFor = id;
        box.addEventListener('click', () => step(`${c.key}=${box.checked ? 1 : 0}`));
        cell.append(box, label);
        b.check = box;
        b.text = label;
        break;
      }
      case 'slider': {
        const f = document.createElement('input');
        f.type = 'range';
        f.id = id;
        f.min = String(c.min ?? 0);
        f.max = String(c.max ?? 100);
        f.step = String(c.smallChange || 1);
        if (c.vertical) f.classList.add('aub-vertical');
        f.addEventListener('input', () => step(`${c.key}=${f.value}`));
        cell.append(f);
        b.field = f;
        break;
      }
      case 'button': {
        const button = document.createElement('button');
        button.type = 'button';
        button.id = id;
        button.addEventListener('click', () => step(c.key));
        cell.append(button);
        b.button = button;
        b.text = button;
        break;
      }
      case 'frame': {
        const set = document.createElement('fieldset');
        const legend = document.createElement('legend');
        const grid = document.createElement('div');
        grid.className = 'aub-grid';
        set.append(legend, grid);
        set.addEventListener('click', (e) => {
          if (e.target === set || e.target === grid) step(c.key);
        });
        cell.append(set);
        b.text = legend;
        b.grid = grid;
        break;
      }
      case 'picture':
      case 'canvas':
        cell.addEventListener('click', () => step(c.key));
        break;
      case 'chart':
        break;
      case 'table': {
        const table = document.createElement('table');
        cell.append(table);
        b.table = table;
        break;
      }
      case 'progress': {
        const bar = document.createElement('progress');
        bar.max = Math.max(1, (c.max ?? 100) - (c.min ?? 0));
        cell.append(bar);
        b.progress = bar;
        break;
      }
      case 'timer':
        cell.hidden = true;
        break;
      default:
        break;
    }
    return b;
  }

  private listKeys(e: KeyboardEvent, b: Bound) {
    if (!b.items || b.items.length === 0) return;
    const at = b.selected ?? -1;
    let to = at;
    if (e.key === 'ArrowDown') to = Math.min(b.items.length - 1, at + 1);
    else if (e.key === 'ArrowUp') to = Math.max(0, at - 1);
    else if (e.key === 'Home') to = 0;
    else if (e.key === 'End') to = b.items.length - 1;
    else if (e.key === 'Enter' && at >= 0) {
      e.preventDefault();
      e.stopPropagation();
      this.host.step(this.name, `${b.c.key}=${b.items[at]}`);
      return;
    } else return;
    e.preventDefault();
    if (to !== at && to >= 0) this.host.step(this.name, `${b.c.key}=${b.items[to]}`);
  }

  // ------------------------------------------------------------ menus

  private buildMenus(menus: MenuEntry[]) {
    const text = JSON.stringify(menus);
    if (text === this.menuText) return;
    this.menuText = text;
    this.closeMenu();
    this.menubar.textContent = '';
    this.menubar.hidden = !menus.some((m) => m.visible);
    for (const m of menus) {
      if (!m.visible) continue;
      const top = document.createElement('button');
      top.type = 'button';
      top.className = 'aub-menu-top';
      top.setAttribute('role', 'menuitem');
      top.dataset.key = m.key;
      top.dataset.mnemonic = withMnemonic(top, m.caption).toLowerCase();
      top.disabled = !m.enabled;
      if (m.shortcut) top.setAttribute('aria-keyshortcuts', m.shortcut);
      const list = this.menuList(m.entries);
      top.setAttribute('aria-haspopup', list ? 'menu' : 'false');
      top.addEventListener('click', (e) => {
        e.stopPropagation();
        if (!list) {
          this.host.step(this.name, m.key);
          return;
        }
        if (this.openMenu?.top === top) this.closeMenu();
        else this.showMenu(top, list);
      });
      top.addEventListener('pointerenter', () => {
        if (this.openMenu && this.openMenu.top !== top && list) this.showMenu(top, list, false);
      });
      const holder = document.createElement('div');
      holder.className = 'aub-menu';
      holder.append(top);
      if (list) holder.append(list);
      this.menubar.append(holder);
    }
  }

  private menuList(entries: MenuEntry[]): HTMLElement | null {
    const shown = entries.filter((e) => e.visible);
    if (shown.length === 0) return null;
    const list = document.createElement('ul');
    list.className = 'aub-menu-list';
    list.setAttribute('role', 'menu');
    list.hidden = true;
    for (const e of shown) {
      const li = document.createElement('li');
      if (e.separator) {
        li.className = 'aub-separator';
        li.setAttribute('role', 'separator');
        list.append(li);
        continue;
      }
      const item = document.createElement('button');
      item.type = 'button';
      item.setAttribute('role', e.checked ? 'menuitemcheckbox' : 'menuitem');
      if (e.checked) item.setAttribute('aria-checked', 'true');
      item.dataset.key = e.key;
      item.dataset.mnemonic = withMnemonic(item, (e.checked ? '✓ ' : '') + e.caption).toLowerCase();
      item.disabled = !e.enabled;
      const sub = this.menuList(e.entries);
      li.append(item);
      if (sub) {
        item.setAttribute('aria-haspopup', 'menu');
        item.classList.add('aub-has-sub');
        sub.classList.add('aub-submenu');
        li.append(sub);
        item.addEventListener('click', (ev) => {
          ev.stopPropagation();
          sub.hidden = !sub.hidden;
          (sub.querySelector('button:not([disabled])') as HTMLElement | null)?.focus();
        });
      } else {
        item.addEventListener('click', (ev) => {
          ev.stopPropagation();
          this.closeMenu();
          this.host.step(this.name, e.key);
        });
      }
      list.append(li);
    }
    return list;
  }

  private showMenu(top: HTMLElement, list: HTMLElement, focus = true) {
    this.closeMenu();
    list.hidden = false;
    top.setAttribute('aria-expanded', 'true');
    this.openMenu = { top, list };
    if (focus) (list.querySelector('button:not([disabled])') as HTMLElement | null)?.focus();
    const away = (e: Event) => {
      if (!this.openMenu || this.openMenu.list.contains(e.target as Node) || e.target === top) return;
      this.closeMenu();
    };
    setTimeout(() => document.addEventListener('pointerdown', away, { once: true, capture: true }), 0);
  }

  closeMenu() {
    if (!this.openMenu) return;
    this.openMenu.list.hidden = true;
    for (const sub of this.openMenu.list.querySelectorAll<HTMLElement>('.aub-submenu')) sub.hidden = true;
    this.openMenu.top.setAttribute('aria-expanded', 'false');
    this.openMenu = null;
  }

  // Alt+letter opens a menu of the bar; in an open menu a letter or Enter chooses, the
  // arrows move and Escape closes; elsewhere Enter runs the window's default action and
  // Escape its cancel action.
  keys(e: KeyboardEvent) {
    if (e.defaultPrevented) return;
    const key = e.key.toLowerCase();
    if (e.altKey && !e.ctrlKey && !e.metaKey && key.length === 1) {
      for (const top of this.menubar.querySelectorAll<HTMLButtonElement>('.aub-menu-top')) {
        if (top.dataset.mnemonic !== key || top.disabled) continue;
        e.preventDefault();
        top.click();
        return;
      }
      return;
    }
    if (this.openMenu) {
      const list = ((document.activeElement as HTMLElement | null)?.closest('ul[role=menu]') as HTMLElement) ?? this.openMenu.list;
      const items = Array.from(list.querySelectorAll<HTMLButtonElement>(':scope > li > button:not([disabled])'));
      const at = items.indexOf(document.activeElement as HTMLButtonElement);
      if (e.key === 'Escape') {
        e.preventDefault();
        if (list !== this.openMenu.list) {
          list.hidden = true;
          (list.parentElement?.querySelector('button') as HTMLElement | null)?.focus();
        } else {
          const top = this.openMenu.top;
          this.closeMenu();
          top.focus();
        }
      } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
        e.preventDefault();
        const n = items.length;
        if (n) items[(at + (e.key === 'ArrowDown' ? 1 : n - 1) + (at < 0 ? 1 : 0)) % n].focus();
      } else if (e.key === 'ArrowLeft' || e.key === 'ArrowRight') {
        e.preventDefault();
        const tops = Array.from(this.menubar.querySelectorAll<HTMLButtonElement>('.aub-menu-top:not([disabled])'));
        const i = tops.indexOf(this.openMenu.top as HTMLButtonElement);
        const next = tops[(i + (e.key === 'ArrowRight' ? 1 : tops.length - 1)) % tops.length];
        next?.click();
      } else if (key.length === 1 && !e.ctrlKey && !e.metaKey) {
        const hit = items.find((b) => b.dataset.mnemonic === key);
        if (hit) {
          e.preventDefault();
          hit.click();
        }
      }
      return;
    }
    const t = e.target as HTMLElement;
    if (e.key === 'Enter' && this.layout.default) {
      if (t instanceof HTMLTextAreaElement || t instanceof HTMLButtonElement || t.getAttribute('role') === 'listbox')
        return;
      e.preventDefault();
      this.host.step(this.name, this.layout.default);
    } else if (e.key === 'Escape' && this.layout.cancel) {
      e.preventDefault();
      this.host.step(this.name, this.layout.cancel);
    }
  }

  // Dragged by its title bar, a window stays whole on the screen, below the page's bar.
  private movable(bar: HTMLElement) {
    bar.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || getComputedStyle(this.el).position !== 'absolute') return;
      if ((e.target as HTMLElement).closest('button')) return;
      const x0 = e.clientX - this.el.offsetLeft;
      const y0 = e.clientY - this.el.offsetTop;
      const above = (document.getElementById('aub-top')?.offsetHeight ?? 0) + 2;
      bar.setPointerCapture(e.pointerId);
      const move = (ev: PointerEvent) => {
        const right = document.documentElement.clientWidth - this.el.offsetWidth;
        const bottom = document.documentElement.clientHeight - this.el.offsetHeight;
        this.el.style.left = `${Math.max(0, Math.min(right, ev.clientX - x0))}px`;
        this.el.style.top = `${Math.max(above, Math.min(bottom, ev.clientY - y0))}px`;
      };
      const up = () => {
        bar.removeEventListener('pointermove', move);
        bar.removeEventListener('pointerup', up);
      };
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', up);
    });
  }

  // ------------------------------------------------------------ state

  // Puts every control as the model has it; a layout whose controls changed is built again.
  update(layout: WindowLayout, state: WindowState) {
    const same =
      layout.controls.length === this.layout.controls.length &&
      layout.controls.every((c, i) => c.key === this.layout.controls[i].key && c.frame === this.layout.controls[i].frame);
    this.layout = layout;
    if (!same) this.build(layout);
    else {
      layout.controls.forEach((c) => {
        const b = this.bound.get(c.key);
        if (b) b.c = c;
      });
      this.buildMenus(layout.menus);
    }
    this.title.textContent = state.title;
    this.ticking = layout.controls.some((c) => c.kind === 'timer' && state.controls[c.key]?.enabled);
    let drawings: Record<string, DrawingValue> | null = null;
    const shownFrames = new Set<string>();
    for (const [key, b] of this.bound) {
      const s = state.controls[key];
      if (!s) continue;
      this.apply(b, s, () => (drawings ??= this.host.drawings(this.name)));
      if (b.c.kind === 'frame' && s.visible) shownFrames.add(key);
    }
    this.el.dataset.defaultAction = layout.default;
    if (this.fitDue) this.fitWidth();
  }

  // A window wider than the screen gives it (a tablet, a phone) flows: its frames and
  // controls come one after the other, each row of a grid on as many lines as it needs,
  // and a frame still too wide flows inside too; its charts are drawn to the width there
  // is. A window that fits keeps its grid.
  fitWidth() {
    this.fitDue = false;
    if (!this.el.isConnected) return;
    const fixed = getComputedStyle(this.el).position === 'fixed';
    const room = this.main
      ? (this.el.parentElement as HTMLElement).clientWidth - 12
      : document.documentElement.clientWidth - (fixed ? 0 : 10);
    this.room = room;
    for (const g of this.grids) g.classList.remove('aub-flow');
    this.el.classList.remove('aub-flowing');
    if (!fixed) this.el.style.width = '';
    const borders = this.el.offsetWidth - this.el.clientWidth;
    const need = () => Math.max(this.client.scrollWidth, this.client.offsetWidth) + borders;
    if (need() > room + 1) {
      this.el.classList.add('aub-flowing');
      if (!this.main && !fixed) this.el.style.width = `${room}px`;
      this.client.classList.add('aub-flow');
      for (const g of this.grids.slice(1)) if (g.scrollWidth > g.clientWidth + 1) g.classList.add('aub-flow');
    }
    for (const b of this.bound.values())
      if (b.chart && b.chartText && b.chartWidth !== this.chartWidth(b)) this.drawChart(b, JSON.parse(b.chartText));
  }

  // A chart's width: as declared, within the room the window has.
  private chartWidth(b: Bound): number {
    const declared = b.c.width > 0 ? px(b.c.width) : Math.min(640, Math.max(280, window.innerWidth - 60));
    return Math.max(240, Math.min(declared, Math.floor(this.room) - 24));
  }

  private apply(b: Bound, s: ControlState, drawings: () => Record<string, DrawingValue>) {
    const c = b.c;
    if (b.visible !== s.visible) {
      b.visible = s.visible;
      this.fitDue = true;
      b.el.hidden = false;
      b.el.classList.toggle('aub-hidden', !s.visible && !c.keepsPlace);
      b.el.classList.toggle('aub-keeps-place', !s.visible && c.keepsPlace);
    }
    if (b.enabled !== s.enabled) {
      b.enabled = s.enabled;
      b.el.classList.toggle('aub-disabled', !s.enabled);
      for (const f of b.el.querySelectorAll<HTMLInputElement | HTMLButtonElement | HTMLTextAreaElement>('input, button, textarea'))
        f.disabled = !s.enabled;
      if (b.list) b.list.setAttribute('aria-disabled', String(!s.enabled));
    }
    if (b.text && s.caption !== undefined) {
      if (c.kind === 'button') withMnemonic(b.text, s.caption);
      else b.text.textContent = s.caption;
    } else if (b.text && (c.kind === 'check' || c.kind === 'label') && s.text !== undefined) {
      b.text.textContent = withoutAmpersand(s.text);
    }
    if (b.field && s.text !== undefined && b.field.value !== s.text) b.field.value = s.text;
    if (b.field instanceof HTMLInputElement && c.kind === 'slider') {
      // The range first: a value outside the old range would be clamped.
      const f = b.field;
      if (f.min !== String(c.min ?? 0)) f.min = String(c.min ?? 0);
      if (f.max !== String(c.max ?? 100)) f.max = String(c.max ?? 100);
      if (s.value !== undefined && Number(f.value) !== s.value) f.value = String(s.value);
    }
    if (b.check && s.value !== undefined) b.check.checked = s.value !== 0;
    if (b.list && s.items) this.applyItems(b, s.items, s.selected ?? -1);
    if (b.progress && s.value !== undefined) b.progress.value = s.value - (s.min ?? 0);
    if (b.table && s.rows) this.applyTable(b, s.columns ?? [], s.rows);
    if (c.kind === 'chart' && s.chart) {
      const text = JSON.stringify(s.chart);
      if (text !== b.chartText && s.visible) {
        b.chartText = text;
        // Drawn at once, or, while a timer of the window runs (a study), at most every 400 ms.
        const now = performance.now();
        const draw = () => {
          b.chartDue = undefined;
          this.drawChart(b, JSON.parse(b.chartText as string));
          b.chartDrawn = performance.now();
        };
        if (!this.ticking || b.chartDrawn === undefined || now - b.chartDrawn > 400) {
          if (b.chartDue !== undefined) clearTimeout(b.chartDue);
          draw();
        }
        else if (b.chartDue === undefined) b.chartDue = window.setTimeout(draw, 400);
      }
    }
    if ((c.kind === 'picture' || c.kind === 'canvas') && s.visible) {
      const d = drawings()[c.key];
      const text = d ? JSON.stringify(d) : '';
      if (text !== b.drawText) {
        b.drawText = text;
        b.el.textContent = '';
        const width = c.width > 0 ? px(c.width) : 320;
        const height = c.height > 0 ? px(c.height) : 240;
        const file = d?.picture || s.picture;
        if (file) {
          const url = this.host.picture(file);
          if (url) {
            const img = document.createElement('img');
            img.src = url;
            img.alt = file;
            img.style.maxWidth = `${width}px`;
            b.el.append(img);
          }
        }
        if (d && d.elements.length > 0) b.el.append(drawingSvg(d, width, height));
      }
    }
    if (c.kind === 'timer') this.applyTimer(b, s);
  }

  private drawChart(b: Bound, chart: import('./bridge').ChartValue) {
    const c = b.c;
    b.chart?.destroy();
    b.el.textContent = '';
    const width = this.chartWidth(b);
    // The plot takes the declared height; its title, legend and buttons come on top of it.
    const height = c.height > 0 ? px(c.height) - 40 : Math.round(width * 0.6);
    // The series' own colours, which the state's chart does not carry: asked of the bridge
    // when the chart's series change, not at each new point of a study.
    const series = chart.series.map((s) => `${s.kind}:${s.name}`).join('\n');
    if (b.colourKey !== series) {
      const full = this.host.chart?.(this.name, c.key);
      b.colours = full && full.series.length === chart.series.length ? full.series.map((s) => s.color ?? null) : [];
      b.colourKey = series;
    }
    const colours = b.colours ?? [];
    const coloured = { ...chart, series: chart.series.map((s, i) => ({ ...s, color: colours[i] ?? s.color })) };
    b.chart = renderChart(coloured, width, Math.max(160, height));
    b.chartWidth = width;
    b.el.append(b.chart.element, this.chartExports(b));
  }

  private applyItems(b: Bound, items: string[], selected: number) {
    const list = b.list as HTMLElement;
    if (!b.items || b.items.length !== items.length || b.items.some((t, i) => t !== items[i])) {
      list.textContent = '';
      items.forEach((text, i) => {
        const li = document.createElement('li');
        li.setAttribute('role', 'option');
        li.id = `${list.id}-${i}`;
        li.dataset.i = String(i);
        li.textContent = text;
        list.append(li);
      });
      b.items = items.slice();
      b.selected = undefined;
    }
    if (b.selected !== selected) {
      b.selected = selected;
      list.querySelectorAll('li').forEach((li, i) => li.setAttribute('aria-selected', String(i === selected)));
      const li = selected >= 0 ? (list.children[selected] as HTMLElement | undefined) : undefined;
      if (li) {
        list.setAttribute('aria-activedescendant', li.id);
        if (b.c.kind === 'list') li.scrollIntoView({ block: 'nearest' });
      } else list.removeAttribute('aria-activedescendant');
    }
  }

  // Rows only added at the end (a study filling its table) are appended; any other change
  // draws the table again.
  private applyTable(b: Bound, columns: string[], rows: string[][]) {
    const table = b.table as HTMLTableElement;
    const head = JSON.stringify(columns);
    const shown = b.tableRows ?? [];
    const grown =
      b.tableText === head &&
      rows.length >= shown.length &&
      shown.every((r, i) => r.length === rows[i].length && r.every((cell, k) => cell === rows[i][k]));
    if (grown && rows.length === shown.length) return;
    if (!grown) {
      table.textContent = '';
      if (columns.length) {
        const tr = table.createTHead().insertRow();
        for (const h of columns) {
          const th = document.createElement('th');
          th.textContent = h;
          tr.append(th);
        }
      }
      table.createTBody();
    }
    const body = table.tBodies[0];
    const from = grown ? shown.length : 0;
    const part = document.createDocumentFragment();
    for (const r of rows.slice(from)) {
      const tr = document.createElement('tr');
      for (const cell of r) tr.insertCell().textContent = cell;
      part.append(tr);
    }
    body.append(part);
    b.tableText = head;
    b.tableRows = rows;
  }

  // A timer's ticks are its clicks, one after the other, while it runs and its window shows.
  private applyTimer(b: Bound, s: ControlState) {
    const run = s.enabled && this.el.isConnected;
    if (run && b.timer === undefined) this.armTimer(b);
    else if (!run && b.timer !== undefined) {
      clearTimeout(b.timer);
      b.timer = undefined;
    }
  }

  private armTimer(b: Bound) {
    // The next tick comes one interval after the last one began, as a desktop timer's.
    const wait = Math.max(0, (b.c.interval ?? 100) - (performance.now() - (b.tickAt ?? 0)));
    const tick = () => {
      b.timer = undefined;
      if (!b.enabled || !this.el.isConnected) return;
      b.tickAt = performance.now();
      this.host.tick(this.name, b.c.key);
    };
    b.timer = window.setTimeout(tick, wait);
  }

  // A tick after which the page did not read the model's state: the timer runs on as it was.
  rearm(timer: string) {
    const b = this.bound.get(timer);
    if (b && b.enabled && b.timer === undefined && this.el.isConnected) this.armTimer(b);
  }

  // The three exports, as buttons under the chart and as its right-click menu.
  private chartExports(b: Bound): HTMLElement {
    const base = `${this.name}-${b.c.key.replace(/[()]/g, '')}`;
    const full = () => this.host.chart?.(this.name, b.c.key) ?? undefined;
    const actions: [string, () => void][] = [
      [
        'Exporter en PNG',
        () => {
          const svg = b.chart?.svg(full());
          if (!svg) return;
          void svgToPng(svg, REPORT_PNG_WIDTH).then((bytes) => this.host.download(`${base}.png`, bytes, 'image/png'));
        },
      ],
      [
        'Exporter en SVG',
        () => {
          const svg = b.chart?.svg(full());
          if (svg) this.host.download(`${base}.svg`, `<?xml version="1.0" encoding="UTF-8"?>\n${svg}\n`, 'image/svg+xml');
        },
      ],
      [
        'Exporter en CSV',
        () => {
          const csv = this.host.chartCsv(this.name, b.c.key);
          if (csv !== null) this.host.download(`${base}.csv`, csv, 'text/csv');
        },
      ],
    ];
    const bar = document.createElement('div');
    bar.className = 'aub-chart-exports';
    for (const [caption, run] of actions) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = caption;
      button.addEventListener('click', run);
      bar.append(button);
    }
    b.chart?.element.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      openContextMenu(event.clientX, event.clientY, actions);
    });
    return bar;
  }

  // The place of every control, in the model's order (what the tests and the dossier read).
  controlElement(key: string): HTMLElement | null {
    return this.bound.get(key)?.el ?? null;
  }

  stopTimers() {
    for (const b of this.bound.values()) {
      if (b.timer !== undefined) clearTimeout(b.timer);
      if (b.chartDue !== undefined) clearTimeout(b.chartDue);
    }
  }
}

// A chart exported as a picture for a report: drawn from its SVG at this width.
const REPORT_PNG_WIDTH = 1600;

// The chart's SVG drawn on a white canvas `width` pixels wide, as PNG bytes.
async function svgToPng(svg: string, width: number): Promise<Uint8Array> {
  const picture = new Image();
  picture.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(svg)}`;
  await picture.decode();
  const canvas = document.createElement('canvas');
  canvas.width = width;
  canvas.height = Math.round((width * picture.naturalHeight) / Math.max(1, picture.naturalWidth));
  const ctx = canvas.getContext('2d') as CanvasRenderingContext2D;
  ctx.fillStyle = '#ffffff';
  ctx.fillRect(0, 0, canvas.width, canvas.height);
  ctx.drawImage(picture, 0, 0, canvas.width, canvas.height);
  const blob = await new Promise<Blob | null>((done) => canvas.toBlob(done, 'image/png'));
  return new Uint8Array(blob ? await blob.arrayBuffer() : new ArrayBuffer(0));
}

// A right-click menu of French entries at (x, y): an entry runs on click or Enter; Escape,
// a click elsewhere or leaving it by Tab closes it.
function openContextMenu(x: number, y: number, entries: [string, () => void][]) {
  document.querySelector('.aub-context-menu')?.remove();
  const menu = document.createElement('ul');
  menu.className = 'aub-context-menu';
  menu.setAttribute('role', 'menu');
  const close = () => {
    menu.remove();
    document.removeEventListener('mousedown', outside, true);
  };
  const outside = (event: MouseEvent) => {
    if (!menu.contains(event.target as Node)) close();
  };
  for (const [caption, run] of entries) {
    const item = document.createElement('li');
    item.setAttribute('role', 'menuitem');
    item.tabIndex = -1;
    item.textContent = caption;
    item.addEventListener('click', () => {
      close();
      run();
    });
    menu.append(item);
  }
  const items = [...menu.children] as HTMLElement[];
  menu.addEventListener('keydown', (event) => {
    const at = items.indexOf(document.activeElement as HTMLElement);
    if (event.key === 'Escape' || event.key === 'Tab') close();
    else if (event.key === 'ArrowDown') items[(at + 1) % items.length].focus();
    else if (event.key === 'ArrowUp') items[(at - 1 + items.length) % items.length].focus();
    else if (event.key === 'Enter' && at >= 0) items[at].click();
    else return;
    event.preventDefault();
  });
  document.body.append(menu);
  // Kept on screen near the pointer.
  const room = menu.getBoundingClientRect();
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - room.width))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - room.height))}px`;
  document.addEventListener('mousedown', outside, true);
  items[0]?.focus();
}
