// The dossier (the report model) as an HTML document laid out for A4, as the desktop
// prints it: a first page with the program, the study, the date, the site (head, flow,
// gross power) and the list of sections; then each section on a page of its own with its
// data, results, observations, figures and method; the study, the date and "Page n / N"
// at the foot of every page. Charts and drawings are SVG: printed to PDF they stay
// vectors. The browser prints it.

import type { ChartValue, DrawingValue } from './bridge';
import { chartSvg } from './chart-svg';
import { drawingSvg } from './svg';

export interface ReportRow {
  caption: string;
  value: string;
  unit?: string; // the unit its caption names, "" when none
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
  section?: string; // the name its calculation is known by ("Roue au dessus")
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
  site?: string[]; // "Hauteur de chute : 3.2 m (Productible annuel)", ...
  windows: WindowReport[];
}

const esc = (s: string) => s.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
// A text for a CSS string: quotes and backslashes escaped, no line ends.
const cssText = (s: string) => s.replace(/[\\"]/g, (c) => `\\${c}`).replace(/[\r\n]+/g, ' ');

const TWIPS_PER_PIXEL = 15;

// A row's value with its unit, as the desktop writes it.
const shownValue = (r: ReportRow) => (r.value && r.unit ? `${r.value} ${r.unit}` : r.value);

function groups(list: ReportGroup[]): string {
  let html = '';
  for (const g of list) {
    if (g.title) html += `<p class="group">${esc(g.title)}</p>`;
    if (!g.rows.length) continue;
    html += '<table>';
    for (const r of g.rows) html += `<tr><th>${esc(r.caption)}</th><td>${esc(shownValue(r))}</td></tr>`;
    html += '</table>';
  }
  return html;
}

const paragraphs = (text: string) =>
  text
    .replace(/\r\n?/g, '\n')
    .split('\n')
    .map((p) => p.trim())
    .filter((p) => p)
    .map((p) => `<p>${esc(p)}</p>`)
    .join('');

// A chart smaller on its window than a page's figure (a thumbnail beside the results) is
// drawn at a page's size, so that its labels and legend are read whole.
const smallChart = (f: ReportFigure) => f.kind === 'chart' && f.width / TWIPS_PER_PIXEL < 600;

// A figure at the width of the text, its proportions those of its area on the window.
function figureHtml(f: ReportFigure, picture: (file: string) => string | null): string {
  const sized = f.width > 0 && f.height > 0 && !smallChart(f);
  const width = sized ? Math.round(f.width / TWIPS_PER_PIXEL) : f.kind === 'chart' ? 720 : 480;
  const height = sized ? Math.round(f.height / TWIPS_PER_PIXEL) : f.kind === 'chart' ? 540 : 360;
  let figure = '';
  if (f.kind === 'drawing' && f.drawing) figure = drawingSvg(f.drawing, width, height).outerHTML;
  else if (f.kind === 'picture' && f.picture) {
    const url = picture(f.picture);
    if (url) figure = `<img src="${url}" alt="${esc(f.picture)}">`;
  } else if (f.kind === 'chart' && f.chart) figure = chartSvg(f.chart, width, height);
  if (!figure) return '';
  const caption = f.caption ? `<figcaption>${esc(f.caption)}</figcaption>` : '';
  return `<figure class="${f.kind}">${caption}${figure}</figure>`;
}

// `picture(file)`: a URL of a picture of the program folder (a data: URL, so that the
// document saved alone keeps it).
export function dossierHtml(report: Report, picture: (file: string) => string | null): string {
  const foot = cssText(report.study ? `${report.study}  —  ${report.date}` : report.date);
  const sectionName = (w: WindowReport) => (w.section || w.title).trim() || w.window;
  let body = '<header class="first">';
  body += `<p class="program">${esc(report.program)}</p>`;
  body += report.study ? '<p class="kind">Dossier de calcul</p>' : '<h1 class="kind">Dossier de calcul</h1>';
  if (report.study) body += `<h1>${esc(report.study)}</h1>`;
  body += `<p class="date">Date : ${esc(report.date)}</p>`;
  // The first page tells a reader what the dossier is about: the site, then its sections.
  if (report.site?.length) {
    body += '<div class="site"><p class="label">Site</p>';
    for (const line of report.site) body += `<p>${esc(line)}</p>`;
    body += '</div>';
  }
  if (report.windows.length) {
    body += '<div class="sections"><p class="label">Sections du dossier</p><ul>';
    report.windows.forEach((w, i) => {
      const name = sectionName(w);
      const title = w.title.trim();
      body += `<li>${i + 1}. ${esc(name)}${title && title !== name ? `  (${esc(title)})` : ''}</li>`;
    });
    body += '</ul></div>';
  }
  body += '</header>';
  report.windows.forEach((w, i) => {
    const name = sectionName(w);
    body += `<section data-window="${esc(w.window)}"><h2>${i + 1}. ${esc(name)}</h2>`;
    if (w.title.trim() && w.title.trim() !== name) body += `<p class="window-title">${esc(w.title.trim())}</p>`;
    if (w.inputs.length) body += `<h3>Données</h3>${groups(w.inputs)}`;
    body += '<h3>Résultats</h3>';
    body += w.calculated ? groups(w.results) : '<p class="none">Aucun calcul effectué</p>';
    if (w.messages.length || w.observations.length) {
      body += '<h3>Observations</h3>';
      for (const m of w.messages) body += `<p class="message">${esc(m.replace(/\r\n?/g, '\n').trim())}</p>`;
      for (const g of w.observations) {
        if (g.title) body += `<p class="group">${esc(g.title)}</p>`;
        for (const r of g.rows) body += `<p class="observation">${esc(r.caption)}</p>`;
      }
    }
    if (w.figures.length) {
      body += `<h3>${w.figures.some((f) => f.kind === 'chart') ? 'Dessins et graphes' : 'Dessins'}</h3>`;
      for (const f of w.figures) body += figureHtml(f, picture);
    }
    if (w.method.trim()) body += `<h3>Méthode</h3><div class="method">${paragraphs(w.method)}</div>`;
    body += '</section>';
  });
  return `<!doctype html><html lang="fr"><head><meta charset="utf-8"><title>${esc(report.study || 'Dossier de calcul')}</title><style>
@page { size: A4; margin: 20mm 20mm 20mm;
  @bottom-left { content: "${foot}"; font: 8pt "DejaVu Sans", Arial, sans-serif; color: #555; vertical-align: middle; }
  @bottom-right { content: "Page " counter(page) " / " counter(pages); font: 8pt "DejaVu Sans", Arial, sans-serif; color: #555; vertical-align: middle; } }
body { font: 10pt/1.35 "DejaVu Sans", Arial, sans-serif; margin: 0 auto; max-width: 170mm; color: #000; }
p { margin: 0; }
header.first .program { color: #555; white-space: pre-wrap; }
header.first .kind { font-size: 20pt; font-weight: bold; color: #1f3a5f; margin-top: 10pt; }
header.first h1 { font-size: 14pt; margin: 6pt 0 0; }
header.first .date { margin-top: 6pt; }
header.first .label { font-weight: bold; margin-top: 14pt; }
header.first .site p:not(.label), header.first li { margin-top: 2pt; }
header.first ul { list-style: none; padding: 0; margin: 0; }
section { break-before: page; }
h2 { font-size: 15pt; color: #1f3a5f; border-bottom: 0.8pt solid #1f3a5f; margin: 0 0 4pt; padding-top: 8pt; }
h3 { font-size: 12pt; color: #1f3a5f; border-bottom: 0.8pt solid #1f3a5f; margin: 12pt 0 4pt; break-after: avoid; }
.window-title { font-size: 9pt; color: #555; margin-top: 2pt; }
.group { font-size: 9pt; font-weight: bold; color: #555; margin-top: 6pt; break-after: avoid; }
table { border-collapse: collapse; width: 100%; }
tr { break-inside: avoid; }
th, td { border-bottom: 0.5pt solid #c8c8c8; padding: 2pt 0 3pt; vertical-align: top; }
th { font-weight: normal; font-size: 9.5pt; text-align: left; padding-right: 8pt; }
td { font: 9pt "DejaVu Sans Mono", monospace; text-align: right; width: 36%; }
.none { font-weight: bold; margin-top: 4pt; }
.message { font-size: 9.5pt; margin-top: 4pt; white-space: pre-line; }
.observation { font-size: 9.5pt; margin-top: 1pt; }
figure { margin: 6pt 0 8pt; break-inside: avoid; }
figcaption { font-size: 9pt; font-weight: bold; color: #555; margin-bottom: 4pt; }
figure svg, figure img { display: block; margin: 0 auto; width: 100%; height: auto; max-height: 141mm; border: 0.5pt solid #c8c8c8; box-sizing: border-box; }
.method p { font-size: 9.5pt; margin-top: 4pt; }
@media screen { body { padding: 10mm; } section { border-top: 1px dashed #999; margin-top: 12mm; } }
</style></head><body>${body}</body></html>`;
}
