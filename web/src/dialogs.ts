// The program's boxes in the page, in French: a message with "OK", a question with "Oui"
// and "Non", an input box or a file list with "OK" and "Annuler". One at a time; the rest
// of the page is blocked while a box is up, as a desktop modal box does.

import type { Dialog } from './bridge';

// What the person answered: "oui" / "non" for a question, the text typed (or the entry
// chosen) for an input box, null for Cancel; a message gives "".
export type Answer = string | null;

let chain: Promise<unknown> = Promise.resolve();

export function showDialog(d: Dialog, title = 'Aubelys'): Promise<Answer> {
  const next = chain.then(() => openBox(d, title));
  chain = next.catch(() => undefined);
  return next;
}

function button(text: string, onClick: () => void): HTMLButtonElement {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = text;
  b.addEventListener('click', onClick);
  return b;
}

function openBox(d: Dialog, fallbackTitle: string): Promise<Answer> {
  return new Promise((resolve) => {
    const before = document.activeElement as HTMLElement | null;
    const veil = document.createElement('div');
    veil.className = 'aub-veil aub-dialog-veil';
    const box = document.createElement('div');
    box.className = 'aub-dialog';
    box.setAttribute('role', d.kind === 'message' ? 'alertdialog' : 'dialog');
    box.setAttribute('aria-modal', 'true');
    box.dataset.kind = d.kind;
    const id = 'aub-dialog-' + Math.random().toString(36).slice(2);
    const head = document.createElement('div');
    head.className = 'aub-dialog-title';
    head.id = id + '-t';
    head.textContent = d.title || fallbackTitle;
    box.setAttribute('aria-labelledby', head.id);
    const body = document.createElement('div');
    body.className = 'aub-dialog-text';
    body.id = id + '-x';
    body.textContent = d.text;
    box.setAttribute('aria-describedby', body.id);
    box.append(head, body);

    const buttons = document.createElement('div');
    buttons.className = 'aub-dialog-buttons';
    let enter: () => void = () => undefined;
    let escape: () => void = () => undefined;
    let first: HTMLElement | null = null;

    const close = (a: Answer) => {
      veil.remove();
      document.removeEventListener('keydown', keys, true);
      if (before && document.contains(before)) before.focus();
      resolve(a);
    };

    if (d.kind === 'message') {
      const ok = button('OK', () => close(''));
      buttons.append(ok);
      first = ok;
      enter = escape = () => close('');
    } else if (d.kind === 'question') {
      const yes = button('Oui', () => close('oui'));
      const no = button('Non', () => close('non'));
      buttons.append(yes, no);
      first = yes;
      enter = () => close('oui');
      escape = () => close('non');
    } else {
      // The text typed, or an entry of the offered list (a file to choose) put into it.
      const field = document.createElement('input');
      field.type = 'text';
      field.value = d.default ?? '';
      let choices: HTMLElement | null = null;
      if (d.items && d.items.length > 0) {
        choices = document.createElement('ul');
        choices.className = 'aub-dialog-items';
        choices.setAttribute('role', 'listbox');
        for (const item of d.items) {
          const li = document.createElement('li');
          li.setAttribute('role', 'option');
          li.textContent = item;
          li.addEventListener('click', () => {
            field.value = item;
            for (const o of (choices as HTMLElement).children) o.setAttribute('aria-selected', String(o === li));
            field.focus();
          });
          li.addEventListener('dblclick', () => close(item));
          choices.append(li);
        }
      }
      field.id = id + '-f';
      field.className = 'aub-dialog-field';
      const label = document.createElement('label');
      label.htmlFor = field.id;
      label.textContent = d.text;
      body.textContent = '';
      body.append(label, field);
      if (choices) body.append(choices);
      const ok = button('OK', () => close(field.value));
      const cancel = button('Annuler', () => close(null));
      buttons.append(ok, cancel);
      first = field;
      enter = () => close(field.value);
      escape = () => close(null);
    }
    box.append(buttons);
    veil.append(box);
    document.body.append(veil);

    // Enter and Escape answer the box; Tab stays inside it.
    function keys(e: KeyboardEvent) {
      if (e.key === 'Enter') {
        const t = e.target as HTMLElement;
        if (t instanceof HTMLButtonElement && box.contains(t)) return; // the button's own click
        e.preventDefault();
        e.stopPropagation();
        enter();
      } else if (e.key === 'Escape') {
        e.preventDefault();
        e.stopPropagation();
        escape();
      } else if (e.key === 'Tab') {
        const stops = Array.from(box.querySelectorAll<HTMLElement>('button, input'));
        const at = stops.indexOf(document.activeElement as HTMLElement);
        const to = e.shiftKey ? (at <= 0 ? stops.length - 1 : at - 1) : (at + 1) % stops.length;
        e.preventDefault();
        stops[to].focus();
      }
    }
    document.addEventListener('keydown', keys, true);
    first?.focus();
    if (first instanceof HTMLInputElement) first.select();
  });
}

// True while a box is up (the view keeps the page's own keys away then).
export function dialogOpen(): boolean {
  return document.querySelector('.aub-dialog') !== null;
}
