// The browser view's bundle: node build.mjs OUT MODULE_DIR [ONE_FILE]
// writes OUT/index.html, OUT/aubelys.js, OUT/aubelys.css and copies the WebAssembly
// module (aubelys-web.js, .wasm, .data) from MODULE_DIR beside them; with ONE_FILE, also
// that page alone with everything inside it (the module and its data as base64), which a
// browser opens from the disk.
import { build } from 'esbuild';
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [out, moduleDir, oneFile] = process.argv.slice(2);
if (!out || !moduleDir) {
  console.error('usage : node build.mjs DOSSIER_DE_SORTIE DOSSIER_DU_MODULE');
  process.exit(2);
}
mkdirSync(out, { recursive: true });
await build({
  entryPoints: [join(here, 'src/main.ts')],
  bundle: true,
  minify: true,
  format: 'iife',
  target: 'es2020',
  outfile: join(out, 'aubelys.js'),
  logLevel: 'warning',
});
const css = readFileSync(join(here, 'node_modules/uplot/dist/uPlot.min.css'), 'utf8') + readFileSync(join(here, 'src/style.css'), 'utf8');
writeFileSync(join(out, 'aubelys.css'), css);
copyFileSync(join(here, 'index.html'), join(out, 'index.html'));
for (const f of ['aubelys-web.js', 'aubelys-web.wasm', 'aubelys-web.data']) copyFileSync(join(moduleDir, f), join(out, f));

if (oneFile) {
  // A script's text inside the page: "</script" would end it early.
  const inline = (js) => js.replace(/<\/script/gi, '<\\/script');
  const b64 = (f) => readFileSync(join(moduleDir, f)).toString('base64');
  const page = readFileSync(join(here, 'index.html'), 'utf8')
    .replace('<link rel="stylesheet" href="aubelys.css">', () => `<style>${css}</style>`)
    .replace(
      '<script src="aubelys-web.js"></script>',
      () =>
        `<script>window.aubelysEmbedded={wasm:"${b64('aubelys-web.wasm')}",data:"${b64('aubelys-web.data')}"};</script>\n` +
        `<script>${inline(readFileSync(join(moduleDir, 'aubelys-web.js'), 'utf8'))}</script>`,
    )
    .replace('<script src="aubelys.js"></script>', () => `<script>${inline(readFileSync(join(out, 'aubelys.js'), 'utf8'))}</script>`);
  writeFileSync(oneFile, page);
}
