// A chart of the chart model as SVG, laid out as the desktop draws it: the title above,
// the plot with its grid, the axes with round ticks (1, 2 or 5 × 10^k on a linear axis,
// the decades and a few of their 2 … 9 on a logarithmic one) and their captions with the
// unit, the series (lines, points, filled areas, zones with their label at their centre,
// marked points, reference lines), the legend under the plot (beside it when it is long).
// Vectors all through: the dossier prints them as such and the SVG export writes them.
//
// The ticks are those the bridge gives with a chart (the desktop's own) when it gives
// them; a chart of the listing alone has its ticks worked out here the same way.

import type { ChartAxisValue, ChartSeriesValue, ChartValue } from './bridge';

// The desktop's colours for series that set none: distinct on white, readable in print.
export const PALETTE = [
  '#1f77b4',
  '#ff7f0e',
  '#2ca02c',
  '#d62728',
  '#9467bd',
  '#8c564b',
  '#e377c2',
  '#7f7f7f',
  '#bcbd22',
  '#17becf',
];

const isNum = (v: unknown): v is number => typeof v === 'number' && Number.isFinite(v);

// Each series' colour: its own, else the palette's at the first series of its name (the
// pieces of a curve broken by failed points are one curve).
export function seriesColours(c: ChartValue): string[] {
  const first = new Map<string, number>();
  return c.series.map((s, i) => {
    if (!first.has(s.name)) first.set(s.name, i);
    return s.color ?? PALETTE[(first.get(s.name) as number) % PALETTE.length];
  });
}

export function axisCaption(a: { title: string; unit: string }): string {
  return a.unit ? `${a.title} (${a.unit})` : a.title;
}

// ---------------------------------------------------------------- ticks

export interface Tick {
  value: number;
  text: string;
}

// A step of 1, 2 or 5 × 10^k such that [lo, hi] holds at most `maxIntervals` of them.
export function linearTicks(lo: number, hi: number, maxIntervals = 8): { first: number; step: number; count: number } {
  if (!isNum(lo) || !isNum(hi) || maxIntervals < 1) return { first: 0, step: 1, count: 0 };
  if (hi < lo) [lo, hi] = [hi, lo];
  const span = hi - lo;
  if (!(span > 0)) return { first: lo, step: 1, count: 1 };
  const raw = span / maxIntervals;
  let step = Math.pow(10, Math.floor(Math.log10(raw)));
  for (const m of [1, 2, 5, 10])
    if (m * step >= raw * (1 - 1e-9)) {
      step *= m;
      break;
    }
  let first = Math.ceil(lo / step - 1e-9) * step;
  if (Math.abs(first) < step * 1e-9) first = 0;
  const count = Math.floor((hi - first) / step + 1e-9) + 1;
  return { first, step, count };
}

// The range rounded outward to its ticks' step.
export function roundedRange(lo: number, hi: number, maxIntervals = 8): [number, number] {
  const t = linearTicks(lo, hi, maxIntervals);
  if (!(hi > lo)) return [lo, hi];
  const from = Math.floor(lo / t.step + 1e-9) * t.step;
  const to = Math.ceil(hi / t.step - 1e-9) * t.step;
  return [from === 0 ? 0 : from, to === 0 ? 0 : to];
}

// A tick's label: rounded to the step's decimals, no trailing zeros, digits grouped by
// three with a blank from 10 000 up, "." as separator, never an exponent.
export function tickText(v: number, step: number): string {
  if (!isNum(v)) return '-';
  let decimals = 0;
  if (step > 0 && step < 1) decimals = Math.min(12, Math.ceil(-Math.log10(step) - 1e-9));
  if (Math.abs(v) < step * 1e-9) v = 0;
  let t = Math.abs(v) < 1e21 ? v.toFixed(decimals) : v.toLocaleString('en-US', { useGrouping: false });
  if (t.includes('.')) t = t.replace(/0+$/, '').replace(/\.$/, '');
  if (t === '-0') t = '0';
  const start = t.startsWith('-') ? 1 : 0;
  let point = t.indexOf('.');
  if (point < 0) point = t.length;
  if (point - start > 4) for (let i = point - 3; i > start; i -= 3) t = `${t.slice(0, i)} ${t.slice(i)}`;
  return t;
}

// The decades 10^k between lo and hi.
export function logDecades(lo: number, hi: number): number[] {
  const out: number[] = [];
  if (!(lo > 0) || !(hi >= lo) || !isNum(hi)) return out;
  for (let k = Math.ceil(Math.log10(lo) - 1e-9); k <= Math.floor(Math.log10(hi) + 1e-9); ++k) out.push(Math.pow(10, k));
  return out;
}

// The values m·10^k (m = 2 … 9) inside (lo, hi); `labelled` keeps those the desktop
// labels: every one but 7 and 9 under a decade and a half, 2 and 5 up to three decades,
// none beyond.
export function logMinorValues(lo: number, hi: number, labelled: boolean): number[] {
  const values: number[] = [];
  if (!(lo > 0) || !(hi > lo)) return values;
  const decades = Math.log10(hi / lo);
  if (labelled && decades > 3) return values;
  for (let k = Math.floor(Math.log10(lo)); k <= Math.ceil(Math.log10(hi)); ++k)
    for (let m = 2; m <= 9; ++m) {
      if (labelled && decades > 1.5 && m !== 2 && m !== 5) continue;
      if (labelled && decades <= 1.5 && (m === 7 || m === 9)) continue;
      const v = m * Math.pow(10, k);
      if (v > lo * (1 + 1e-9) && v < hi * (1 - 1e-9)) values.push(Number(v.toPrecision(12)));
    }
  return values;
}

export interface AxisLayout {
  lo: number;
  hi: number;
  log: boolean;
  ticks: Tick[]; // labelled, with a grid line
  minorLabels: Tick[]; // labelled values between the decades of a logarithmic axis
  minor: number[]; // light grid lines
}

// The range an axis shows and its ticks: the bridge's when it gives them, else the
// model's range (an automatic linear one rounded outward to its ticks).
export function axisLayout(a: ChartAxisValue): AxisLayout {
  const log = a.scale === 'log';
  let lo: number;
  let hi: number;
  if (a.shown && isNum(a.shown[0]) && isNum(a.shown[1])) [lo, hi] = a.shown;
  else {
    lo = isNum(a.min) ? a.min : log ? 1 : 0;
    hi = isNum(a.max) ? a.max : log ? 10 : 1;
    if (!log && a.range !== 'fixed') [lo, hi] = roundedRange(lo, hi);
  }
  if (log && !(lo > 0)) lo = hi > 0 ? hi / 1000 : 1;
  if (!(hi > lo)) hi = log ? lo * 10 : lo + 1;
  let ticks: Tick[];
  const minor: number[] = [];
  let minorLabels: Tick[] = [];
  if (a.ticks && a.ticks.length) ticks = a.ticks.filter((t) => isNum(t.value));
  else if (log) ticks = logDecades(lo, hi).map((v) => ({ value: v, text: tickText(v, v) }));
  else {
    const t = linearTicks(lo, hi);
    ticks = [];
    for (let i = 0; i < t.count; ++i) {
      const v = Math.abs(t.first + i * t.step) < t.step * 1e-9 ? 0 : t.first + i * t.step;
      ticks.push({ value: v, text: tickText(v, t.step) });
    }
  }
  if (log) {
    minor.push(...logMinorValues(lo, hi, false));
    minorLabels = logMinorValues(lo, hi, true).map((v) => ({ value: v, text: tickText(v, v) }));
  } else if (ticks.length > 1) {
    // Four minor lines in each step, as on the desktop.
    const step = ticks[1].value - ticks[0].value;
    for (let v = ticks[0].value - step; v < hi + step; v += step)
      for (let k = 1; k < 5; ++k) {
        const m = v + (k * step) / 5;
        if (m > lo && m < hi) minor.push(m);
      }
  }
  return { lo, hi, log, ticks, minorLabels, minor };
}

// ---------------------------------------------------------------- drawing

const FONT = "'DejaVu Sans', Arial, Helvetica, sans-serif";
const TICK_SIZE = 11;
const TITLE_SIZE = 12;
const HEAD_SIZE = 13;
// A text's width, roughly: the fonts above average a little over half their size.
const textWidth = (s: string, size: number) => s.length * size * 0.58;

const xml = (s: string) =>
  s.replace(/[&<>"']/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;', "'": '&#39;' })[c] as string);
// A coordinate with a tenth of a pixel, kept in a range any viewer draws.
const n = (v: number) => String(Math.round(Math.max(-1e6, Math.min(1e6, v)) * 10) / 10);

function shade(hex: string, factor: number): string {
  const v = parseInt(hex.slice(1, 7), 16);
  const part = (shift: number) =>
    Math.max(0, Math.min(255, Math.round(((v >> shift) & 255) / factor)))
      .toString(16)
      .padStart(2, '0');
  return `#${part(16)}${part(8)}${part(0)}`;
}

let clipCount = 0;

export interface LegendEntry {
  name: string;
  colour: string;
  kind: string;
}

// The legend's entries: each name once, the marked points left out (they carry their label).
export function legendEntries(c: ChartValue, colours = seriesColours(c)): LegendEntry[] {
  const seen = new Set<string>();
  const out: LegendEntry[] = [];
  c.series.forEach((s, i) => {
    if (!s.name || s.inLegend === false || s.kind === 'marker' || seen.has(s.name)) return;
    seen.add(s.name);
    out.push({ name: s.name, colour: colours[i], kind: s.kind });
  });
  return out;
}

// The chart drawn in `width` × `height` pixels, as an SVG document's text.
export function chartSvg(c: ChartValue, width: number, height: number): string {
  const W = Math.max(200, Math.round(width));
  const H = Math.max(150, Math.round(height));
  const colours = seriesColours(c);
  const ax = axisLayout(c.x);
  const ay = axisLayout(c.y);
  const legend = legendEntries(c, colours);
  const xCaption = axisCaption(c.x);
  const yCaption = axisCaption(c.y);

  // The margins: the title above; the y labels and caption at the left; the x labels,
  // caption and a short legend under the plot; a long legend at the right.
  const top = c.title ? HEAD_SIZE + 14 : 10;
  const yLabelW = Math.max(10, ...[...ay.ticks, ...ay.minorLabels].map((t) => textWidth(t.text, TICK_SIZE)));
  const left = 8 + (yCaption ? TITLE_SIZE + 6 : 0) + yLabelW + 6;
  const beside = legend.length > 4;
  const legendW = beside
    ? Math.min(W * 0.4, 30 + Math.max(...legend.map((e) => textWidth(e.name, TICK_SIZE))))
    : 0;
  const lastX = ax.ticks.length ? textWidth(ax.ticks[ax.ticks.length - 1].text, TICK_SIZE) / 2 : 0;
  const right = W - legendW - Math.max(14, lastX + 4);
  // A short legend in rows under the x caption.
  const rows: LegendEntry[][] = [];
  if (!beside && legend.length) {
    let row: LegendEntry[] = [];
    let used = 0;
    for (const e of legend) {
      const w = 28 + textWidth(e.name, TICK_SIZE);
      if (row.length && used + w > W - 20) {
        rows.push(row);
        row = [];
        used = 0;
      }
      row.push(e);
      used += w;
    }
    rows.push(row);
  }
  const legendH = rows.length ? rows.length * 16 + 6 : 0;
  const bottom = H - legendH - (xCaption ? TITLE_SIZE + 8 : 0) - TICK_SIZE - 10;
  const plotW = Math.max(20, right - left);
  const plotH = Math.max(20, bottom - top);

  const map = (a: AxisLayout, v: number, from: number, span: number, flip: boolean) => {
    const f = a.log ? Math.log10(v / a.lo) / Math.log10(a.hi / a.lo) : (v - a.lo) / (a.hi - a.lo);
    return flip ? from + span - f * span : from + f * span;
  };
  const X = (v: number) => map(ax, v, left, plotW, false);
  const Y = (v: number) => map(ay, v, top, plotH, true);
  const drawable = (p: (number | null)[]) =>
    isNum(p[0]) && isNum(p[1]) && (!ax.log || p[0] > 0) && (!ay.log || p[1] > 0);

  const clip = `aub-plot-${++clipCount}`;
  const out: string[] = [];
  out.push(
    `<svg xmlns="http://www.w3.org/2000/svg" width="${W}" height="${H}" viewBox="0 0 ${W} ${H}" role="img" ` +
      `aria-label="${xml(c.title || 'Graphique')}" font-family="${xml(FONT)}" font-size="${TICK_SIZE}">`,
  );
  if (c.title) out.push(`<title>${xml(c.title)}</title>`);
  out.push(`<defs><clipPath id="${clip}"><rect x="${n(left)}" y="${n(top)}" width="${n(plotW)}" height="${n(plotH)}"/></clipPath></defs>`);
  out.push(`<rect x="0" y="0" width="${W}" height="${H}" fill="#ffffff"/>`);

  // The grid: minor lines, then the ticks' lines.
  const grid: string[] = [];
  for (const v of ax.minor) grid.push(`M${n(X(v))} ${n(top)}V${n(bottom)}`);
  for (const v of ay.minor) grid.push(`M${n(left)} ${n(Y(v))}H${n(right)}`);
  if (grid.length) out.push(`<path class="grid-minor" d="${grid.join('')}" stroke="#e4e4e4" stroke-width="1" fill="none"/>`);
  const major: string[] = [];
  for (const t of ax.ticks) major.push(`M${n(X(t.value))} ${n(top)}V${n(bottom)}`);
  for (const t of ay.ticks) major.push(`M${n(left)} ${n(Y(t.value))}H${n(right)}`);
  if (major.length) out.push(`<path class="grid" d="${major.join('')}" stroke="#c8c8c8" stroke-width="1" fill="none"/>`);

  // The series, each a group of its own (an empty one for a series without points).
  const labels: string[] = [];
  const lineLabels: { x: number; y: number; w: number; h: number }[] = [];
  c.series.forEach((s: ChartSeriesValue, i) => {
    const col = colours[i];
    const pen = isNum(s.width) && s.width > 0 ? s.width : 2;
    const pts = s.points.filter(drawable) as number[][];
    let body = '';
    const label = s.label || s.name;
    if (s.kind === 'line') {
      // A point left out breaks the line.
      let d = '';
      let moving = true;
      for (const p of s.points) {
        if (!drawable(p)) {
          moving = true;
          continue;
        }
        d += `${moving ? 'M' : 'L'}${n(X(p[0] as number))} ${n(Y(p[1] as number))}`;
        moving = false;
      }
      if (d)
        body = `<path d="${d}" fill="none" stroke="${col}" stroke-width="${pen}" stroke-linejoin="round" stroke-linecap="round"/>`;
      if (s.label) {
        // At the last point inside the plot, kept inside it, never over another line's label.
        const last = [...pts].reverse().find((p) => {
          const x = X(p[0]);
          const y = Y(p[1]);
          return x >= left - 0.5 && x <= right + 0.5 && y >= top - 0.5 && y <= bottom + 0.5;
        });
        if (last) {
          const size = TICK_SIZE * 0.95;
          const w = textWidth(s.label, size);
          const x = Math.min(Math.max(X(last[0]) - w - 3, left + 2), right - w - 2);
          const y = Math.min(Math.max(Y(last[1]) - 3, top + size + 1), bottom - 2);
          const box = { x, y: y - size, w, h: size * 1.2 };
          const covers = lineLabels.some((o) => o.x < box.x + box.w && box.x < o.x + o.w && o.y < box.y + box.h && box.y < o.y + o.h);
          if (!covers) {
            lineLabels.push(box);
            labels.push(`<text class="label" x="${n(x)}" y="${n(y)}" font-size="${n(size)}" fill="${shade(col, 1.2)}">${xml(s.label)}</text>`);
          }
        }
      }
    } else if (s.kind === 'points') {
      body = pts.map((p) => `<circle cx="${n(X(p[0]))}" cy="${n(Y(p[1]))}" r="3.5"/>`).join('');
      if (body) body = `<g fill="${col}">${body}</g>`;
    } else if (s.kind === 'area' && pts.length) {
      const upper = pts.map((p, k) => `${k ? 'L' : 'M'}${n(X(p[0]))} ${n(Y(p[1]))}`).join('');
      const lower = [...pts]
        .reverse()
        .map((p) => `L${n(X(p[0]))} ${n(Y(isNum(p[2]) && (!ay.log || p[2] > 0) ? p[2] : p[1]))}`)
        .join('');
      body = `<path d="${upper}${lower}Z" fill="${col}" fill-opacity="0.35" stroke="${shade(col, 1.3)}" stroke-width="1"/>`;
    } else if (s.kind === 'zone' && pts.length >= 3) {
      const d = pts.map((p, k) => `${k ? 'L' : 'M'}${n(X(p[0]))} ${n(Y(p[1]))}`).join('') + 'Z';
      body = `<path d="${d}" fill="${col}" fill-opacity="0.22" stroke="${col}" stroke-width="1.5"/>`;
      // The label at the centre of the zone's area, as the plot shows it.
      const [cx, cy] = centre(pts.map((p) => [X(p[0]), Y(p[1])]));
      labels.push(
        `<text class="label" x="${n(cx)}" y="${n(cy)}" text-anchor="middle" dy="0.35em" font-weight="bold" fill="${shade(col, 1.7)}">${xml(label)}</text>`,
      );
    } else if (s.kind === 'marker' && pts.length) {
      const x = X(pts[0][0]);
      const y = Y(pts[0][1]);
      body = `<circle cx="${n(x)}" cy="${n(y)}" r="5.5" fill="${col}" stroke="#000000" stroke-width="1"/>`;
      // Beside the point, where the text fits in the plot, on a white ground.
      const w = textWidth(label, TICK_SIZE) * 1.05;
      let tx = x + 9;
      if (tx + w > right) tx = x - 9 - w;
      tx = Math.min(Math.max(tx, left + 4), Math.max(left + 4, right - w - 4));
      let ty = y - 8;
      if (ty - TICK_SIZE < top) ty = y + 8 + TICK_SIZE;
      labels.push(
        `<rect x="${n(tx - 3)}" y="${n(ty - TICK_SIZE - 1)}" width="${n(w + 6)}" height="${n(TICK_SIZE + 6)}" rx="3" fill="#ffffff" fill-opacity="0.86"/>` +
          `<text class="label" x="${n(tx)}" y="${n(ty)}" font-weight="bold" fill="${col}">${xml(label)}</text>`,
      );
    } else if ((s.kind === 'hline' || s.kind === 'vline') && pts.length) {
      const d =
        s.kind === 'hline' ? `M${n(left)} ${n(Y(pts[0][1]))}H${n(right)}` : `M${n(X(pts[0][0]))} ${n(top)}V${n(bottom)}`;
      body = `<path d="${d}" fill="none" stroke="${col}" stroke-width="${pen}" stroke-dasharray="6 4"/>`;
    }
    out.push(`<g class="series" data-series="${i}" data-kind="${xml(s.kind)}" data-name="${xml(s.name)}" clip-path="url(#${clip})">${body}</g>`);
  });
  if (labels.length) out.push(`<g class="labels" clip-path="url(#${clip})">${labels.join('')}</g>`);

  // The frame of the plot, then the axes' labels and captions.
  out.push(`<rect x="${n(left)}" y="${n(top)}" width="${n(plotW)}" height="${n(plotH)}" fill="none" stroke="#7a7a7a" stroke-width="1"/>`);
  const text: string[] = [];
  for (const t of ax.ticks)
    text.push(`<text class="tick tick-x" x="${n(X(t.value))}" y="${n(bottom + TICK_SIZE + 3)}" text-anchor="middle">${xml(t.text)}</text>`);
  for (const t of ay.ticks)
    text.push(`<text class="tick tick-y" x="${n(left - 5)}" y="${n(Y(t.value))}" dy="0.35em" text-anchor="end">${xml(t.text)}</text>`);
  for (const t of ax.minorLabels)
    text.push(`<text class="tick tick-x minor" x="${n(X(t.value))}" y="${n(bottom + TICK_SIZE + 3)}" text-anchor="middle" font-size="${TICK_SIZE * 0.85}" fill="#606060">${xml(t.text)}</text>`);
  for (const t of ay.minorLabels)
    text.push(`<text class="tick tick-y minor" x="${n(left - 5)}" y="${n(Y(t.value))}" dy="0.35em" text-anchor="end" font-size="${TICK_SIZE * 0.85}" fill="#606060">${xml(t.text)}</text>`);
  out.push(`<g fill="#333333">${text.join('')}</g>`);
  if (xCaption)
    out.push(`<text class="axis-title axis-x" x="${n(left + plotW / 2)}" y="${n(bottom + TICK_SIZE + TITLE_SIZE + 10)}" text-anchor="middle" font-size="${TITLE_SIZE}">${xml(xCaption)}</text>`);
  if (yCaption) {
    const x = 8 + TITLE_SIZE;
    const y = top + plotH / 2;
    out.push(`<text class="axis-title axis-y" transform="translate(${n(x)} ${n(y)}) rotate(-90)" text-anchor="middle" font-size="${TITLE_SIZE}">${xml(yCaption)}</text>`);
  }
  if (c.title)
    out.push(`<text class="chart-title" x="${n(W / 2)}" y="${HEAD_SIZE + 4}" text-anchor="middle" font-size="${HEAD_SIZE}" font-weight="bold">${xml(c.title)}</text>`);

  // The legend: a stroke for a line, a square for what is filled or marked.
  const entry = (e: LegendEntry, x: number, y: number) => {
    const swatch =
      e.kind === 'line' || e.kind === 'hline' || e.kind === 'vline'
        ? `<path d="M${n(x)} ${n(y)}H${n(x + 18)}" stroke="${e.colour}" stroke-width="2.5"${e.kind === 'line' ? '' : ' stroke-dasharray="5 3"'}/>`
        : `<rect x="${n(x + 3)}" y="${n(y - 5)}" width="10" height="10" fill="${e.colour}" fill-opacity="${e.kind === 'points' ? 1 : 0.5}" stroke="${shade(e.colour, 1.3)}"/>`;
    return `<g class="legend-entry">${swatch}<text x="${n(x + 23)}" y="${n(y)}" dy="0.35em">${xml(e.name)}</text></g>`;
  };
  const items: string[] = [];
  if (beside) {
    legend.forEach((e, k) => items.push(entry(e, right + Math.max(14, lastX + 4), top + 8 + k * 16)));
  } else {
    rows.forEach((row, r) => {
      const widths = row.map((e) => 28 + textWidth(e.name, TICK_SIZE));
      let x = (W - widths.reduce((a, b) => a + b, 0)) / 2;
      const y = H - legendH + 8 + r * 16;
      row.forEach((e, k) => {
        items.push(entry(e, x, y));
        x += widths[k];
      });
    });
  }
  if (items.length) out.push(`<g class="legend">${items.join('')}</g>`);
  out.push('</svg>');
  return out.join('');
}

// The centre of a polygon's area (its vertices' mean when it has none).
function centre(pts: number[][]): [number, number] {
  let a = 0;
  let cx = 0;
  let cy = 0;
  for (let i = 0; i < pts.length; ++i) {
    const [x0, y0] = pts[i];
    const [x1, y1] = pts[(i + 1) % pts.length];
    const cross = x0 * y1 - x1 * y0;
    a += cross;
    cx += (x0 + x1) * cross;
    cy += (y0 + y1) * cross;
  }
  if (Math.abs(a) < 1e-9) return [pts.reduce((s, p) => s + p[0], 0) / pts.length, pts.reduce((s, p) => s + p[1], 0) / pts.length];
  return [cx / (3 * a), cy / (3 * a)];
}
