// The browser view's bundle: node build.mjs OUT MODULE_DIR
// writes OUT/index.html, OUT/aubelys.js, OUT/aubelys.css and copies the WebAssembly
// module (aubelys-web.js, .wasm, .data) from MODULE_DIR beside them.
import { build } from 'esbuild';
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [out, moduleDir] = process.argv.slice(2);
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
