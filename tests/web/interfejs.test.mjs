// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The module's C interface as the page uses it, through modul.js, on the
// built .wasm: the commands, the UTF-16 edge and a long text.
//   node --test interfejs.test.mjs   (WIRLOK_WASM: the built wirlok.wasm)
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { test } from 'node:test';

// The page's own module, loaded as the browser loads it: as an ES module,
// which a .js file outside an npm package is not to Node.js 18.
const zrodlo = await readFile(new URL('../../window/web/modul.js', import.meta.url));
const { Modul } = await import(`data:text/javascript;base64,${zrodlo.toString('base64')}`);

const modul = await Modul.zBajtow(await readFile(process.env.WIRLOK_WASM));
const [TLUMACZ, WYCZYSC1, WYCZYSC2] = ['Tlumacz', 'Wyczysc1', 'Wyczysc2'].map((n) => modul.tabela.klikniecia.indexOf(n));
const LADOWANIE = -1;

test('the tables: window, controls in tab order, list', () => {
  const { tabela } = modul;
  assert.equal(tabela.tytul, 'Wirlok by DREVNOK');
  assert.deepEqual([tabela.szerokosc, tabela.wysokosc], [312, 131]);
  assert.deepEqual(tabela.kontrolki.map((k) => k.nazwa), ['Tlumacz', 'b', 'Wyczysc1', 'Wyczysc2', 'listaszyfrow', 'a']);
  assert.deepEqual(tabela.kontrolki.filter((k) => k.rodzaj === 'przycisk').map((k) => k.podpis),
    ['Przetłumacz', 'Wyczyść górę', 'Wyczyść dół']);
  assert.deepEqual(tabela.lista, ['Mors', 'Gaderypoluki', 'Koniecmatury', 'Flashpoint']);
});

// [what, command, a, b, selected entry, what it changes]
const POLECENIA = [
  ['load selects Mors', LADOWANIE, '', '', -1, { wybrany: 0 }],
  ['upper field to the lower', TLUMACZ, 'Ala ma kota', 'stare', 1, { b: 'Gug mg iptg' }],
  ['lower field to the upper when the upper is empty', TLUMACZ, '', 'Mlm am okum', 2, { a: 'Ala ma kota' }],
  ['Flashpoint is cipher 2', TLUMACZ, '', 'Sfs ms kins', 3, { a: 'Ala ma kota' }],
  ['Morse encodes', TLUMACZ, 'sos', '', 0, { b: '\\...\\---\\...\\' }],
  ['Morse decodes', TLUMACZ, '', '\\...\\---\\...\\', 0, { a: 'sos' }],
  ['both empty, Morse: the upper field gets "\\"', TLUMACZ, '', '', 0, { a: '\\' }],
  ['both empty, a pair cipher: nothing changes', TLUMACZ, '', '', 1, {}],
  ['a space is not empty', TLUMACZ, ' ', 'x', 1, { b: ' ' }],
  ['no entry selected: nothing', TLUMACZ, 'Ala', 'b', -1, {}],
  ['an index past the list: nothing', TLUMACZ, 'Ala', 'b', 4, {}],
  ['clear top', WYCZYSC1, 'Ala', 'kot', 0, { a: '' }],
  ['clear bottom', WYCZYSC2, 'Ala', 'kot', 0, { b: '' }],
  ['clearing an empty field changes nothing', WYCZYSC2, 'Ala', '', 0, {}],
  ['an unknown command: nothing', 7, 'Ala', 'kot', 0, {}],
];

for (const [nazwa, polecenie, a, b, wybrany, zmiany] of POLECENIA) {
  test(`command: ${nazwa}`, () => assert.deepEqual(modul.wykonaj(polecenie, a, b, wybrany), zmiany));
}

// [what, text in the upper field, cipher entry, lower field afterwards]
const UTF16 = [
  ['emoji pass a pair cipher whole', 'gA😀', 1, 'aG😀'],
  ['a lone high surrogate stays', 'a\uD83Db', 1, 'g\uD83Db'],
  ['a lone low surrogate stays', '\uDE00a', 1, '\uDE00g'],
  ['surrogates in the wrong order stay', '\uDE00\uD83D', 1, '\uDE00\uD83D'],
  ['an emoji is one Morse unit', 'a😀', 0, '\\.-\\😀\\'],
  ['line breaks pass', 'Ala\r\nma\nkota', 1, 'Gug\r\nmg\niptg'],
];

for (const [nazwa, a, wybrany, b] of UTF16) {
  test(`UTF-16: ${nazwa}`, () => assert.deepEqual(modul.wykonaj(TLUMACZ, a, '', wybrany), { b }));
}

test('a 1,000,000-character text to Morse and back', () => {
  const proza = 'Zażółć gęślą jaźń, ala ma kota! '.repeat(31250);
  const { b: mors } = modul.wykonaj(TLUMACZ, proza, '', 0);
  assert.ok(mors.startsWith('\\--..\\.-\\--..\\---\\'));
  const { a } = modul.wykonaj(TLUMACZ, '', mors, 0);
  assert.ok(a === 'zazolc gesla jazn, ala ma kota! '.repeat(31250), 'the text comes back');  // no megabyte diff
  assert.equal(modul.wykonaj(TLUMACZ, proza, '', 1).b.length, proza.length);
});
