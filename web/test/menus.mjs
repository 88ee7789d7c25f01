// Menus of the page's windows, worked with the mouse as a person does: the tests' shared
// way to reach a menu entry by its captions or by its key.
import assert from 'node:assert/strict';

// A window's section in the page.
export const section = (name) => `section.aub-window[data-window="${name}"]`;

// A caption without its "&" marks and surrounding blanks ("&&" stands for one "&").
export const norm = (s) => s.replace(/&(&?)/g, '$1').trim();

// Clicks through a window's menus, top caption first.
export async function clickMenu(page, window, captions) {
  const w = page.locator(section(window));
  const tops = w.locator('.aub-menubar .aub-menu-top');
  const n = await tops.count();
  let top = null;
  for (let i = 0; i < n; ++i) if (norm(await tops.nth(i).textContent()) === norm(captions[0])) top = tops.nth(i);
  assert.ok(top, `${window} : menu « ${captions[0]} » absent`);
  await top.click();
  let holder = top.locator('xpath=..');
  for (const caption of captions.slice(1)) {
    const items = holder.locator('ul[role=menu] > li > button:visible');
    const m = await items.count();
    let hit = null;
    for (let i = 0; i < m; ++i) if (norm((await items.nth(i).textContent()).replace(/^✓ /, '')) === norm(caption)) hit = items.nth(i);
    assert.ok(hit, `${window} : entrée « ${captions.join('/')} » absente`);
    await hit.click();
    holder = hit.locator('xpath=..');
  }
}

// The menu captions leading to the entry `key` of a window's menu tree, or null.
export function menuPath(menus, key, trail = []) {
  for (const m of menus) {
    const here = [...trail, m.caption];
    if (m.key.toLowerCase() === key.toLowerCase()) return here;
    const deeper = menuPath(m.entries, key, here);
    if (deeper) return deeper;
  }
  return null;
}
