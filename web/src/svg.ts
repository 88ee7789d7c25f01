// A drawing area's display list as SVG: lines, boxes, circles, points and texts given in
// the area's own scale (left, top, right, bottom), drawn with their pen and colour.

import type { DrawingValue } from './bridge';

const NS = 'http://www.w3.org/2000/svg';

function el(name: string, attrs: Record<string, string | number>): SVGElement {
  const e = document.createElementNS(NS, name);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, String(v));
  return e;
}

const fin = (v: number | null | undefined, d: number) => (typeof v === 'number' && Number.isFinite(v) ? v : d);

// Draws `d` into an SVG of `width` × `height` pixels; the scale maps user coordinates to
// pixels as the desktop canvas does (a default scale is the pixel grid itself).
export function drawingSvg(d: DrawingValue, width: number, height: number): SVGSVGElement {
  const svg = el('svg', { width, height, viewBox: `0 0 ${width} ${height}`, role: 'img' }) as SVGSVGElement;
  const left = fin(d.scale.left, 0);
  const top = fin(d.scale.top, 0);
  let right = fin(d.scale.right, width);
  let bottom = fin(d.scale.bottom, height);
  if (right === left) right = left + 1;
  if (bottom === top) bottom = top + 1;
  const sx = width / (right - left);
  const sy = height / (bottom - top);
  const X = (x: number) => (x - left) * sx;
  const Y = (y: number) => (y - top) * sy;
  if (d.backColor) svg.append(el('rect', { x: 0, y: 0, width, height, fill: d.backColor }));
  for (const e of d.elements) {
    const pen = Math.max(1, e.width ?? 1);
    if (e.line) {
      const [x1, y1, x2, y2] = e.line;
      svg.append(el('line', { x1: X(x1), y1: Y(y1), x2: X(x2), y2: Y(y2), stroke: e.color, 'stroke-width': pen }));
    } else if (e.box) {
      const [x1, y1, x2, y2] = e.box;
      const x = Math.min(X(x1), X(x2));
      const y = Math.min(Y(y1), Y(y2));
      svg.append(
        el('rect', {
          x,
          y,
          width: Math.abs(X(x2) - X(x1)),
          height: Math.abs(Y(y2) - Y(y1)),
          fill: e.filled ? e.color : 'none',
          stroke: e.color,
          'stroke-width': pen,
        }),
      );
    } else if (e.circle) {
      const [cx, cy, r] = e.circle;
      // The radius is in the horizontal scale, as on the desktop.
      svg.append(
        el('circle', {
          cx: X(cx),
          cy: Y(cy),
          r: Math.abs(r * sx),
          fill: e.filled ? e.color : 'none',
          stroke: e.color,
          'stroke-width': pen,
        }),
      );
    } else if (e.point) {
      const [px, py] = e.point;
      svg.append(el('rect', { x: X(px) - pen / 2, y: Y(py) - pen / 2, width: pen, height: pen, fill: e.color }));
    } else if (e.text !== undefined && e.at) {
      const size = fin(e.fontSize, 8) * (96 / 72);
      const t = el('text', { x: X(e.at[0]), y: Y(e.at[1]), fill: e.color, 'font-size': size, 'dominant-baseline': 'hanging' });
      t.textContent = e.text;
      svg.append(t);
    }
  }
  return svg;
}
