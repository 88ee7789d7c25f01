// The command-line transcripts of tests/cli: each "$ aubelys-cli ..." line with the
// listing it printed.

const WITH_VALUE = new Set(['--repondre', '--dossier', '--etude', '--etude2', '--suivre']);

// The words of a command line as the shell splits them (double or single quotes, no escapes).
export function words(line) {
  const out = [];
  for (const m of line.matchAll(/"([^"]*)"|'([^']*)'|(\S+)/g)) out.push(m[1] ?? m[2] ?? m[3]);
  return out;
}

// [{options: [{name, value}], window, steps, output: [lines]}] in the transcript's order.
export function parseTranscript(text) {
  const commands = [];
  for (const line of text.split('\n')) {
    if (line.startsWith('$ ')) {
      const w = words(line.slice(2)).slice(1);
      const options = [];
      let i = 0;
      while (i < w.length && w[i].startsWith('--')) {
        if (WITH_VALUE.has(w[i])) {
          options.push({ name: w[i], value: w[i + 1] });
          i += 2;
        } else options.push({ name: w[i++], value: '' });
      }
      commands.push({ options, window: w[i], steps: w.slice(i + 1), output: [] });
    } else if (commands.length) commands[commands.length - 1].output.push(line);
  }
  for (const c of commands) while (c.output.length && c.output[c.output.length - 1] === '') c.output.pop();
  return commands;
}

// The listing without what a page does not show as text: a chart's listing (its first line
// and the lines under it), a timer's state.
export function stripUnlisted(lines, layouts) {
  const out = [];
  let window = '';
  let inChart = false;
  for (const line of lines) {
    if (line.startsWith('=== ')) {
      window = line.split(' ')[1];
      inChart = false;
      out.push(line);
      continue;
    }
    const key = line.startsWith('  ') && !line.startsWith('   ') ? line.slice(2).split(' ')[0] : null;
    if (key !== null) {
      const c = layouts[window]?.controls.find((x) => x.key === key);
      inChart = !!c && c.kind === 'chart';
      if (inChart || (c && c.kind === 'timer')) continue;
    } else if (inChart) continue;
    out.push(line);
  }
  return out;
}
