// The bridge of the WebAssembly module (src/web/bridge-post.js) as the view sees it.

export interface Dialog {
  kind: 'message' | 'question' | 'input';
  text: string;
  title?: string;
  default?: string;
  answer?: string;
  items?: string[];
}

export interface Outcome {
  status: number; // 0 done, 1 program failure, 2 unknown or refused, 3 a dialog waits
  error: string;
  pending: Dialog | null;
}

export interface MenuEntry {
  key: string;
  caption: string;
  separator: boolean;
  mnemonic: string;
  shortcut: string;
  visible: boolean;
  enabled: boolean;
  checked: boolean;
  entries: MenuEntry[];
}

export interface ControlLayout {
  key: string;
  name: string;
  index: number;
  kind: string;
  caption?: string;
  frame: string;
  row: number;
  col: number;
  rowSpan: number;
  colSpan: number;
  keepsPlace: boolean;
  width: number;
  height: number;
  left: number;
  top: number;
  backColor: string | null;
  foreColor: string | null;
  fontSize: number;
  bold: boolean;
  alignment: 'left' | 'right' | 'centre';
  locked?: boolean;
  multiline?: boolean;
  password?: boolean;
  min?: number;
  max?: number;
  smallChange?: number;
  largeChange?: number;
  vertical?: boolean;
  interval?: number;
}

export interface FrameLayout {
  caption: string;
  rows: number;
  columns: number;
  controls: string[];
}

export interface WindowLayout {
  name: string;
  title: string;
  visible: boolean;
  modal: boolean;
  columns: number;
  width: number;
  height: number;
  left: number;
  top: number;
  backColor: string | null;
  default: string;
  cancel: string;
  frames: Record<string, FrameLayout>;
  controls: ControlLayout[];
  menus: MenuEntry[];
  charts: string[];
  drawings: string[];
}

export interface ChartAxisValue {
  title: string;
  unit: string;
  scale: 'log' | 'linear';
  range: 'auto' | 'fixed';
  min: number | null;
  max: number | null;
  // Given with a chart of the dossier or of Bridge.chart: the range shown and its labelled ticks.
  shown?: [number, number];
  ticks?: { value: number; text: string }[];
}

export interface ChartSeriesValue {
  name: string;
  kind: 'line' | 'points' | 'area' | 'zone' | 'marker' | 'hline' | 'vline' | string;
  label?: string;
  points: (number | null)[][];
  // Given with a chart of the dossier or of Bridge.chart: its colour (null: the palette's),
  // its pen width, whether the legend names it.
  color?: string | null;
  width?: number;
  inLegend?: boolean;
}

export interface ChartValue {
  title: string;
  x: ChartAxisValue;
  y: ChartAxisValue;
  series: ChartSeriesValue[];
}

export interface ControlState {
  kind: string;
  text?: string;
  caption?: string;
  visible: boolean;
  enabled: boolean;
  items?: string[];
  selected?: number;
  value?: number;
  min?: number;
  max?: number;
  picture?: string;
  chart?: ChartValue;
  columns?: string[];
  rows?: string[][];
}

export interface WindowState {
  title: string;
  visible: boolean;
  controls: Record<string, ControlState>;
}

export interface State {
  windows: Record<string, WindowState>;
  dialogs: Dialog[];
  shared: Record<string, unknown>;
  ended: boolean;
}

export interface DrawElement {
  line?: number[];
  box?: number[];
  circle?: number[];
  point?: number[];
  text?: string;
  at?: number[];
  color: string;
  width?: number;
  fontSize?: number;
  filled?: boolean;
}

export interface DrawingValue {
  scale: { left: number | null; top: number | null; right: number | null; bottom: number | null };
  backColor: string | null;
  picture: string;
  elements: DrawElement[];
}

export interface Bridge {
  open(window: string): Outcome;
  play(step: string): Outcome;
  answer(text: string): Outcome;
  queueAnswer(text: string): void;
  reset(): void;
  stateText(): string;
  state(): State;
  layout(window: string): WindowLayout;
  drawings(window: string): Record<string, DrawingValue>;
  windows(): string[];
  imported(name: string): Outcome;
  platform(): { calls: string[]; clipboard: string };
  dossier(): unknown;
  chart(window: string, chart: string): ChartValue & { error?: string };
  chartCsv(window: string, chart: string, separator: string): { csv?: string; error?: string };
  close(): void;
}

// What a window asked of the system since the run began (print, open a page, a help topic ...).
export interface PlatformAction {
  kind: string;
  text: string;
}

export interface FSStat {
  mode: number;
  size: number;
  mtime: Date;
}

export interface EmFS {
  readdir(path: string): string[];
  readFile(path: string, opts?: { encoding?: 'binary' }): Uint8Array;
  writeFile(path: string, data: Uint8Array | string): void;
  unlink(path: string): void;
  rename(from: string, to: string): void;
  stat(path: string): FSStat;
  isDir(mode: number): boolean;
  mkdir(path: string): void;
  mkdirTree(path: string): void;
  mount(type: unknown, opts: object, path: string): void;
  syncfs(populate: boolean, callback: (err: unknown) => void): void;
  analyzePath(path: string): { exists: boolean };
  filesystems: Record<string, unknown>;
}

export interface AubelysModule {
  FS: EmFS;
  bridge(folder: string): Bridge;
}

declare global {
  function createAubelys(options?: object): Promise<AubelysModule>;
}
