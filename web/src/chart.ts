// A chart of the chart model drawn with uPlot: lines and points as uPlot series on one
// shared x, linear or logarithmic axes with the range the model gives, and what uPlot has
// no series for (areas, zones, marked points, reference lines) drawn over the plot on its
// canvas, in the plot's own scale. The legend is the page's own list beside the chart.
// The same chart as vectors (the SVG export, the dossier) is chart-svg.ts's.

import uPlot from 'uplot';
import type { ChartSeriesValue, ChartValue } from './bridge';
import { axisCaption as caption, chartSvg, seriesColours } from './chart-svg';

function rgba(hex: string, alpha: number): string {
  const n = parseInt(hex.slice(1), 16);
  return `rgba(${(n >> 16) & 255}, ${(n >> 8) & 255}, ${n & 255}, ${alpha})`;
}

const isNum = (v: unknown): v is number => typeof v === 'number' && Number.isFinite(v);

export interface ChartView {
  element: HTMLElement;
  destroy(): void;
  png(): string; // a data: URL of the plot as drawn
  // The chart as an SVG document's text, at the size shown; `full`: the same chart with its
  // colours and ticks (Bridge.chart), when the view has it.
  svg(full?: ChartValue): string;
}

export function renderChart(c: ChartValue, width: number, height: number): ChartView {
  const element = document.createElement('figure');
  element.className = 'aub-chart';
  const titled = document.createElement('figcaption');
  titled.textContent = c.title;
  element.append(titled);

  // The series' own colours, else the desktop's palette, one colour per name.
  const colours = new Map<ChartSeriesValue, string>();
  const own = seriesColours(c);
  c.series.forEach((s, i) => colours.set(s, own[i]));
  const drawnAsSeries = c.series.filter((s) => s.kind === 'line' || s.kind === 'points');

  // One x for every series: the union of their x, each series null where it has no point.
  const xs = Array.from(new Set(drawnAsSeries.flatMap((s) => s.points.map((p) => p[0]).filter(isNum)))).sort(
    (a, b) => a - b,
  );
  const index = new Map(xs.map((x, i) => [x, i]));
  const data: (number | null)[][] = [xs];
  for (const s of drawnAsSeries) {
    const ys: (number | null)[] = new Array(xs.length).fill(null);
    for (const p of s.points) if (isNum(p[0]) && isNum(p[1])) ys[index.get(p[0]) as number] = p[1];
    data.push(ys);
  }

  const range = (a: ChartValue['x']): uPlot.Range.MinMax => {
    let lo = isNum(a.min) ? a.min : 0;
    let hi = isNum(a.max) ? a.max : 1;
    if (hi <= lo) hi = lo + (a.scale === 'log' ? lo * 9 || 1 : 1);
    if (a.scale === 'log' && lo <= 0) lo = hi / 1000;
    return [lo, hi];
  };

  const overlay = (u: uPlot) => {
    const ctx = u.ctx;
    const X = (v: number) => u.valToPos(v, 'x', true);
    const Y = (v: number) => u.valToPos(v, 'y', true);
    const { left, top, width: w, height: h } = u.bbox;
    ctx.save();
    ctx.beginPath();
    ctx.rect(left, top, w, h);
    ctx.clip();
    ctx.font = `${Math.round(11 * devicePixelRatio)}px sans-serif`;
    for (const s of c.series) {
      const col = colours.get(s) as string;
      const pts = s.points.filter((p) => isNum(p[0]) && isNum(p[1])) as number[][];
      if (pts.length === 0) continue;
      ctx.strokeStyle = col;
      ctx.fillStyle = col;
      ctx.lineWidth = 2 * devicePixelRatio;
      if (s.kind === 'area') {
        ctx.beginPath();
        pts.forEach((p, i) => (i ? ctx.lineTo(X(p[0]), Y(p[1])) : ctx.moveTo(X(p[0]), Y(p[1]))));
        for (let i = pts.length - 1; i >= 0; --i) ctx.lineTo(X(pts[i][0]), Y(isNum(pts[i][2]) ? pts[i][2] : pts[i][1]));
        ctx.closePath();
        ctx.fillStyle = rgba(col, 0.25);
        ctx.fill();
      } else if (s.kind === 'zone') {
        ctx.beginPath();
        pts.forEach((p, i) => (i ? ctx.lineTo(X(p[0]), Y(p[1])) : ctx.moveTo(X(p[0]), Y(p[1]))));
        ctx.closePath();
        ctx.fillStyle = rgba(col, 0.18);
        ctx.fill();
        ctx.stroke();
        const cx = pts.reduce((a, p) => a + X(p[0]), 0) / pts.length;
        const cy = pts.reduce((a, p) => a + Y(p[1]), 0) / pts.length;
        ctx.fillStyle = col;
        ctx.textAlign = 'center';
        ctx.fillText(s.label || s.name, cx, cy);
      } else if (s.kind === 'marker') {
        const [px, py] = pts[0];
        ctx.beginPath();
        ctx.arc(X(px), Y(py), 5 * devicePixelRatio, 0, 2 * Math.PI);
        ctx.fill();
        ctx.textAlign = 'left';
        ctx.fillText(s.label || s.name, X(px) + 8 * devicePixelRatio, Y(py) - 6 * devicePixelRatio);
      } else if (s.kind === 'hline') {
        ctx.beginPath();
        ctx.moveTo(left, Y(pts[0][1]));
        ctx.lineTo(left + w, Y(pts[0][1]));
        ctx.stroke();
      } else if (s.kind === 'vline') {
        ctx.beginPath();
        ctx.moveTo(X(pts[0][0]), top);
        ctx.lineTo(X(pts[0][0]), top + h);
        ctx.stroke();
      } else if (s.kind === 'line' && s.label) {
        const last = pts[pts.length - 1];
        ctx.textAlign = 'right';
        ctx.fillText(s.label, X(last[0]) - 4, Y(last[1]) - 6);
      }
    }
    ctx.restore();
  };

  const opts: uPlot.Options = {
    width,
    height,
    legend: { show: false },
    cursor: { drag: { x: true, y: true, uni: 20 } },
    scales: {
      x: { time: false, distr: c.x.scale === 'log' ? 3 : 1, log: 10, range: () => range(c.x) },
      y: { distr: c.y.scale === 'log' ? 3 : 1, log: 10, range: () => range(c.y) },
    },
    axes: [{ label: caption(c.x) }, { label: caption(c.y) }],
    series: [
      {},
      ...drawnAsSeries.map((s) => ({
        label: s.name,
        stroke: colours.get(s),
        width: s.kind === 'points' ? 0 : 2,
        spanGaps: true,
        points: { show: s.kind === 'points' || s.points.length < 40, size: 6, fill: colours.get(s) },
      })),
    ],
    hooks: { draw: [overlay] },
  };
  const plotHost = document.createElement('div');
  element.append(plotHost);
  const plot = new uPlot(opts, data as uPlot.AlignedData, plotHost);

  const legend = document.createElement('ul');
  legend.className = 'aub-legend';
  const listed = new Set<string>();
  for (const s of c.series) {
    if (!s.name || listed.has(s.name)) continue;
    listed.add(s.name);
    const li = document.createElement('li');
    const swatch = document.createElement('span');
    swatch.className = 'aub-swatch';
    swatch.style.background = colours.get(s) as string;
    li.append(swatch, document.createTextNode(s.name));
    legend.append(li);
  }
  element.append(legend);
  return {
    element,
    destroy: () => plot.destroy(),
    png: () => plot.ctx.canvas.toDataURL('image/png'),
    // The plot's height with room for the title, the axes' captions and the legend.
    svg: (full?: ChartValue) => chartSvg(full ?? c, width, height + 70),
  };
}
