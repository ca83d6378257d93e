// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// Writes the page as built, at build time, from the module's own tables:
// the window's controls into index.html, so that the first paint shows
// them, and the window's geometry into styl.css, where the two layouts
// take turns by the screen (uklad.js).
//   node strona.mjs wirlok.wasm SOURCE_DIR OUTPUT_DIR
import { readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

const [wasm, zrodla, cel] = process.argv.slice(2);

// The page's own modules, loaded as ES modules, which .js files outside an
// npm package are not to Node.js 18.
async function zaladuj(nazwa) {
  const tresc = await readFile(join(zrodla, nazwa));
  return import(`data:text/javascript;base64,${tresc.toString('base64')}`);
}
const { Modul } = await zaladuj('modul.js');
const { zapytania, kolejnoscCzytania, MARGINESY } = await zaladuj('uklad.js');
const tabela = (await Modul.zBajtow(await readFile(wasm))).tabela;

const ZNAKI_HTML = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' };
const html = (tekst) => tekst.replace(/[&<>"]/g, (znak) => ZNAKI_HTML[znak]);
const podpis = (k) => `<label for="${k.nazwa}">${html(k.podpis)}</label>\n    `;

// One element per kind of control; the fields and the list carry a label.
const ELEMENT = {
  pole: (k) => `${podpis(k)}<textarea id="${k.nazwa}" rows="1" spellcheck="false" autocomplete="off"></textarea>`,
  lista: (k) => `${podpis(k)}<select id="${k.nazwa}">${tabela.lista.map((w) => `<option>${html(w)}</option>`).join('')}</select>`,
  przycisk: (k) => `<button type="button" id="${k.nazwa}">${html(k.podpis)}</button>`,
};

// The pair ciphers are named after their keys: "Gaderypoluki" swaps
// GA-DE-RY-PO-LU-KI. Every entry but the first ("Mors") is one.
const pary = tabela.lista.slice(1).map((wpis) => {
  const klucz = wpis.toUpperCase().match(/../g).join('-');
  return `          <li><strong>${html(wpis)}</strong>: <kbd>${klucz}</kbd></li>`;
});

const strona = (await readFile(join(zrodla, 'index.html.in'), 'utf8'))
  .replaceAll('@TYTUL@', html(tabela.tytul))
  .replace('@OKNO@', tabela.nazwa)
  .replace('@KONTROLKI@', kolejnoscCzytania(tabela).map((k) => `    ${ELEMENT[k.rodzaj](k)}`).join('\n'))
  .replace('@PARY@', pary.join('\n'));

// The window where the table puts it, in CSS pixels times --px: the
// window's scale, up to twice its size, to fit the page's width.
const px = (liczba) => `calc(${liczba} * var(--px))`;
const geometria = [
  `:root { --px: min(2px, (100vw - ${MARGINESY}px) / ${tabela.szerokosc}); --okno: ${px(tabela.szerokosc)}; }`,
  `#${tabela.nazwa} { width: var(--okno); height: ${px(tabela.wysokosc)}; }`,
  ...tabela.kontrolki.map(({ nazwa, miejsce: [lewo, gora, szerokosc, wysokosc] }) =>
    `#${nazwa} { left: ${px(lewo)}; top: ${px(gora)}; width: ${px(szerokosc)}; height: ${px(wysokosc)}; }`),
];
const css = async (nazwa) => (await readFile(join(zrodla, nazwa), 'utf8')).trim();
const { telefon, komputer } = zapytania(tabela);
const styl = `${await css('styl.css')}

/* The phone layout. */
@media ${telefon} {
${await css('telefon.css')}
}

/* The desktop layout: the window as the shared table draws it. */
@media ${komputer} {
${await css('komputer.css')}

${geometria.join('\n')}
}
`;

await writeFile(join(cel, 'index.html'), strona);
await writeFile(join(cel, 'styl.css'), styl);
