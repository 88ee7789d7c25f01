// The dossier (the report model) as an HTML document laid out for A4: the study's name at
// the head of each page and the page numbers at its foot, each window with its data,
// results, observations, figures and method. The browser prints it to PDF.

import type { ChartValue, DrawingValue } from './bridge';
import { drawingSvg } from './svg';

export interface ReportRow {
  caption: string;
  value: string;
}
export interface ReportGroup {
  title: string;
  rows: ReportRow[];
}
export interface ReportFigure {
  kind: 'drawing' | 'picture' | 'chart';
  caption: string;
  width: number;
  height: number;
  drawing?: DrawingValue;
  picture?: string;
  chart?: ChartValue;
}
export interface WindowReport {
  window: string;
  title: string;
  calculated: boolean;
  inputs: ReportGroup[];
  results: ReportGroup[];
  messages: string[];
  observations: ReportGroup[];
  figures: ReportFigure[];
  method: string;
}
export interface Report {
  program: string;
  study: string;
  date: string;
  windows: WindowReport[];
}

const esc = (s: string) => s.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
// A text for a CSS string: quotes and backslashes escaped, no line ends.
const cssText = (s: string) => s.replace(/[\\"]/g, (c) => `\\${c}`).replace(/[\r\n]+/g, ' ');

function groups(title: string, list: ReportGroup[]): string {
  if (!list.some((g) => g.rows.length)) return '';
  let html = `<h3>${esc(title)}</h3>`;
  for (const g of list) {
    if (!g.rows.length) continue;
    html += '<table>';
    if (g.title) html += `<caption>${esc(g.title)}</caption>`;
    for (const r of g.rows) html += `<tr><th>${esc(r.caption)}</th><td>${esc(r.value)}</td></tr>`;
    html += '</table>';
  }
  return html;
}

// `picture(file)`: a URL of a picture of the program folder; `chartImage(chart)`: the chart
// drawn as an image (a data: URL).
export function dossierHtml(
  report: Report,
  picture: (file: string) => string | null,
  chartImage: (chart: ChartValue, width: number, height: number) => string,
): string {
  const head = cssText(`${report.study} — ${report.date}`);
  let body = `<header class="first"><h1>${esc(report.study)}</h1><p>${esc(report.program)} — ${esc(report.date)}</p>`;
  body += '<ol class="contents">';
  for (const w of report.windows) body += `<li>${esc(w.title.trim() || w.window)}</li>`;
  body += '</ol></header>';
  for (const w of report.windows) {
    body += `<section><h2>${esc(w.title.trim() || w.window)}</h2>`;
    if (!w.calculated) body += '<p class="none">Aucun calcul effectué</p>';
    body += groups('Données', w.inputs);
    body += groups('Résultats', w.results);
    if (w.messages.length) body += `<ul class="messages">${w.messages.map((m) => `<li>${esc(m)}</li>`).join('')}</ul>`;
    body += groups('Observations', w.observations);
    if (w.figures.length) {
      body += `<h3>${w.figures.some((f) => f.kind === 'chart') ? 'Dessins et graphes' : 'Dessins'}</h3>`;
      for (const f of w.figures) {
        const width = f.width > 0 ? Math.round(f.width / 15) : 480;
        const height = f.height > 0 ? Math.round(f.height / 15) : 320;
        let figure = '';
        if (f.kind === 'drawing' && f.drawing) figure = drawingSvg(f.drawing, width, height).outerHTML;
        else if (f.kind === 'picture' && f.picture) {
          const url = picture(f.picture);
          if (url) figure = `<img src="${url}" alt="${esc(f.picture)}">`;
        } else if (f.kind === 'chart' && f.chart) figure = `<img src="${chartImage(f.chart, width, height)}" alt="${esc(f.chart.title)}">`;
        if (figure) body += `<figure>${figure}<figcaption>${esc(f.caption)}</figcaption></figure>`;
      }
    }
    if (w.method.trim()) body += `<h3>Méthode</h3><div class="method">${esc(w.method.trim())}</div>`;
    body += '</section>';
  }
  return `<!doctype html><html lang="fr"><head><meta charset="utf-8"><title>${esc(report.study)}</title><style>
@page { size: A4; margin: 18mm 15mm 20mm;
  @top-center { content: "${head}"; font: 9pt sans-serif; color: #555; }
  @bottom-left { content: "${cssText(report.study)}"; font: 9pt sans-serif; color: #555; }
  @bottom-right { content: "Page " counter(page) " / " counter(pages); font: 9pt sans-serif; } }
body { font: 10.5pt/1.35 "DejaVu Sans", Arial, sans-serif; margin: 0 auto; max-width: 180mm; color: #111; }
header.first { page-break-after: always; padding-top: 60mm; text-align: center; }
header.first h1 { font-size: 22pt; }
.contents { text-align: left; display: inline-block; }
section { page-break-before: always; }
section:first-of-type { page-break-before: auto; }
h2 { font-size: 15pt; border-bottom: 1.5pt solid #2a4d7a; color: #2a4d7a; }
h3 { font-size: 12pt; margin: 12pt 0 4pt; }
table { border-collapse: collapse; width: 100%; margin-bottom: 6pt; page-break-inside: avoid; }
caption { text-align: left; font-style: italic; }
th, td { border-bottom: 0.5pt solid #bbb; padding: 1.5pt 4pt; text-align: left; vertical-align: top; }
th { font-weight: normal; width: 60%; }
td { font-variant-numeric: tabular-nums; }
.messages { color: #8a1c00; }
figure { margin: 6pt 0; page-break-inside: avoid; text-align: center; }
figure svg, figure img { max-width: 100%; height: auto; }
.method { white-space: pre-wrap; font-size: 9.5pt; }
@media screen { body { padding: 10mm; } section { border-top: 1px dashed #999; margin-top: 12mm; } }
</style></head><body>${body}</body></html>`;
}
