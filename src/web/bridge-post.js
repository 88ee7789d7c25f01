// The bridge's functions for JavaScript, each result read from its JSON text:
//   const aubelys = await createAubelys();
//   const b = aubelys.bridge('/aubelys/dossier');
//   b.open('Formrouehaut'); b.play('Valbox(0)=4'); b.state().windows.Formrouehaut ...
Module.bridge = function (programFolder) {
  var call = {
    make: Module.cwrap('aub_new', 'number', ['string', 'string']),
    free: Module.cwrap('aub_delete', null, ['number']),
    open: Module.cwrap('aub_open', 'string', ['number', 'string']),
    play: Module.cwrap('aub_play', 'string', ['number', 'string']),
    answer: Module.cwrap('aub_answer', 'string', ['number', 'string']),
    queueAnswer: Module.cwrap('aub_queue_answer', null, ['number', 'string']),
    reset: Module.cwrap('aub_reset', null, ['number']),
    state: Module.cwrap('aub_state', 'string', ['number']),
    layout: Module.cwrap('aub_layout', 'string', ['number', 'string']),
    drawings: Module.cwrap('aub_drawings', 'string', ['number', 'string']),
    windows: Module.cwrap('aub_windows', 'string', ['number']),
    platform: Module.cwrap('aub_platform', 'string', ['number']),
    imported: Module.cwrap('aub_imported', 'string', ['number', 'string']),
    chart: Module.cwrap('aub_chart', 'string', ['number', 'string', 'string']),
    chartCsv: Module.cwrap('aub_chart_csv', 'string', ['number', 'string', 'string', 'string']),
    dossier: Module.cwrap('aub_dossier', 'string', ['number'])
  };
  var handle = call.make(programFolder || '/aubelys/dossier', '/aubelys');
  if (!handle) throw new Error('Aubelys : dossier du programme impossible à créer : ' + programFolder);
  return {
    open: function (window) { return JSON.parse(call.open(handle, window)); },
    play: function (step) { return JSON.parse(call.play(handle, step)); },
    answer: function (text) { return JSON.parse(call.answer(handle, text)); },
    queueAnswer: function (text) { call.queueAnswer(handle, text); },
    reset: function () { call.reset(handle); },
    // The state as the command line's --json prints it: the text itself, and read.
    stateText: function () { return call.state(handle); },
    state: function () { return JSON.parse(call.state(handle)); },
    layout: function (window) { return JSON.parse(call.layout(handle, window || '')); },
    drawings: function (window) { return JSON.parse(call.drawings(handle, window)); },
    windows: function () { return JSON.parse(call.windows(handle)); },
    platform: function () { return JSON.parse(call.platform(handle)); },
    imported: function (name) { return JSON.parse(call.imported(handle, name)); },
    dossier: function () { return JSON.parse(call.dossier(handle)); },
    chart: function (window, chart) { return JSON.parse(call.chart(handle, window, chart)); },
    chartCsv: function (window, chart, separator) {
      return JSON.parse(call.chartCsv(handle, window, chart, separator || '.'));
    },
    close: function () { call.free(handle); handle = 0; }
  };
};
