// The bridge's WebAssembly module under node, called as a browser view calls it: the
// overshot window's worked example played step by step must give the native command
// line's JSON listing byte for byte; the layout, a dialog answered after its step.
//   node bridge-node.js BUILD/aubelys-web.js tests/web/overshot-example.json
'use strict';
const assert = require('assert');
const fs = require('fs');
const path = require('path');

const modulePath = path.resolve(process.argv[2]);
const expected = fs.readFileSync(process.argv[3], 'utf8').replace(/\s+$/, '');
const createAubelys = require(modulePath);

const example = ['4', '0.5', '10', '1', '3', '0.8', '0.1', '2', '0.3', '5', '0.014', 'OUI', '0.6', '5', '30', '12', '50']
  .map((v, i) => 'Valbox(' + i + ')=' + v).concat(['Calcul']);

function ok(outcome, what) {
  assert.strictEqual(outcome.status, 0, what + ' : ' + outcome.error);
}

// The module read from the disk: emscripten's loader would ask node's fetch, which knows no files.
createAubelys({ wasmBinary: fs.readFileSync(modulePath.replace(/\.js$/, '.wasm')) }).then((aubelys) => {
  // The program folder seeded from the packed data, then its help-text file emptied, as
  // the native listing was made; the new run starts from that folder.
  const folder = '/aubelys/dossier';
  const bridge = aubelys.bridge(folder);
  assert.ok(aubelys.FS.readdir(folder).includes('H0Dalmor.txt'), 'folder seeded');
  aubelys.FS.writeFile(folder + '/Microfich.txt', '');
  bridge.reset();

  ok(bridge.open('Formrouehaut'), 'Formrouehaut');
  for (const step of example) ok(bridge.play(step), step);
  // Every box, list, dialog and shared value exactly as the native listing has it. The
  // drawings' coordinates come from the system's mathematical library (sine, cosine ...),
  // which is not the same in both builds: they may differ by one unit of their seventh
  // digit, and are compared to that.
  const state = JSON.parse(bridge.stateText().split(folder).join('<dossier>'));
  state.shared.TodayText = '<date>';  // today, kept as a mark beside the tests
  const native = JSON.parse(expected);
  let drawnCoordinates = 0;
  let lastDigit = 0;
  function near(a, b, where) {
    if (typeof a === 'number' && typeof b === 'number') {
      ++drawnCoordinates;
      if (a !== b) ++lastDigit;
      assert.ok(Math.abs(a - b) <= 1.5e-6 * Math.max(Math.abs(a), Math.abs(b), 1e-30) || a === b,
                where + ': ' + a + ' / ' + b);
      return;
    }
    if (typeof a !== 'object' || a === null) return assert.strictEqual(a, b, where);
    assert.deepStrictEqual(Object.keys(a), Object.keys(b), where);
    for (const k of Object.keys(a)) near(a[k], b[k], where + '/' + k);
  }
  for (const name of Object.keys(native.windows)) {
    near(state.windows[name].drawing, native.windows[name].drawing, name);
    delete state.windows[name].drawing;
    delete native.windows[name].drawing;
  }
  assert.strictEqual(JSON.stringify(state), JSON.stringify(native), 'listing differs from the native one');
  assert.strictEqual(bridge.state().windows.Formrouehaut.controls['Resubox(3)'].text, '3084.872');

  const layout = bridge.layout('Formrouehaut');
  assert.strictEqual(layout.modal, true);
  assert.ok(Object.keys(layout.frames).length > 1, 'frames');
  assert.ok(layout.controls.some((c) => c.key === 'Valbox(0)' && c.kind === 'textbox'), 'Valbox(0)');
  assert.deepStrictEqual(layout.menus[0].entries.map((e) => e.caption), ['Fermer', 'Enregistre', 'Ouvre', 'Efface données']);
  assert.ok(Object.keys(bridge.drawings('Formgraph')).length > 0, 'drawings');

  // A save asks for a name: the step stops, the answer replays it.
  const asked = bridge.play('Fichier/Enregistre');
  assert.strictEqual(asked.status, 3);
  assert.strictEqual(asked.pending.kind, 'input');
  ok(bridge.answer('Hnode'), 'answer');
  assert.ok(aubelys.FS.readdir(folder).includes('Hnode.txt'), 'Hnode.txt saved');
  assert.strictEqual(bridge.play('Nulle').status, 2);
  bridge.close();
  console.log('bridge under node: the worked example\'s listing is the native one; ' + lastDigit + ' of ' +
              drawnCoordinates + ' drawn coordinates differ in their seventh digit');
}).catch((e) => {
  console.error(e && e.stack ? e.stack : e);
  process.exit(1);
});
