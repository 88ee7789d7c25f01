// The program folder between the browser and the disk: files come in from the disk as
// they are (the desktop's own Windows-1252, CR LF bytes), go out the same, and the whole
// folder goes out as one zip.

import { zipSync } from 'fflate';
import type { EmFS } from './bridge';

// A name typed or brought in is a name, not a path.
export function validName(name: string): boolean {
  return (
    name.length > 0 &&
    name.length <= 200 &&
    name !== '.' &&
    name !== '..' &&
    !/[/\\:*?"<>|\u0000-\u001f]/.test(name) &&
    name.trim() === name
  );
}

// The folder's files, recursively, by their path inside it ("aide/Nmanning.htm").
export function listFiles(FS: EmFS, folder: string, under = ''): string[] {
  const out: string[] = [];
  for (const name of FS.readdir(under ? `${folder}/${under}` : folder).sort()) {
    if (name === '.' || name === '..') continue;
    const rel = under ? `${under}/${name}` : name;
    if (FS.isDir(FS.stat(`${folder}/${rel}`).mode)) out.push(...listFiles(FS, folder, rel));
    else out.push(rel);
  }
  return out;
}

// The existing file that `name` names without regard to case, or null.
export function existing(FS: EmFS, folder: string, name: string): string | null {
  const lower = name.toLowerCase();
  for (const n of FS.readdir(folder)) if (n.toLowerCase() === lower) return n;
  return null;
}

// Writes beside the file, then renames over it: a failure leaves the old file whole.
export function writeWhole(FS: EmFS, path: string, data: Uint8Array) {
  const temp = `${path}.aub-tmp`;
  FS.writeFile(temp, data);
  FS.rename(temp, path);
}

export function zipFolder(FS: EmFS, folder: string): Uint8Array {
  const files: Record<string, Uint8Array> = {};
  for (const rel of listFiles(FS, folder)) files[rel] = FS.readFile(`${folder}/${rel}`);
  return zipSync(files, { level: 6 });
}

export function download(name: string, data: Uint8Array | string, type: string) {
  const blob = new Blob([data as BlobPart], { type });
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 60000);
}

// Windows-1252 (or UTF-8) text of a file, for showing it.
export function decodeText(bytes: Uint8Array): string {
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    return new TextDecoder('windows-1252').decode(bytes);
  }
}
