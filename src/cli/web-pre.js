// Loader of a WebAssembly program of Aubelys under node (the command line and the test
// programs). Emscripten 3.1.6 would fetch its module with node's fetch, which knows no
// file paths: the module is read from the disk beside the script. The program sees the
// environment of the process, as a native program does, and the folder of its script.
var Module = typeof Module !== 'undefined' ? Module : {};
if (typeof process === 'object' && typeof require === 'function') {
  Module.wasmBinary = require('fs').readFileSync(__filename.replace(/\.js$/, '.wasm'));
  Module.preRun = (Module.preRun || []).concat([function () {
    Object.keys(process.env).forEach(function (name) { ENV[name] = process.env[name]; });
    ENV.AUBELYS_PROGRAM_DIR = __dirname;
  }]);
}
