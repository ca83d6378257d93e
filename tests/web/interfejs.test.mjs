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
const zaladuj = async (plik) => {
  const zrodlo = await readFile(new URL(`../../window/web/${plik}`, import.meta.url));
  return import(`data:text/javascript;base64,${zrodlo.toString('base64')}`);
};
const { Modul } = await zaladuj('modul.js');
const { harmonogram, ton, litera } = await zaladuj('nadawanie.js');

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

// What "Nadaj" sends, in ms at the given speed (a unit is 1200 ms / WPM):
// a dot 1 unit, a dash 3, 1 between them, 3 between letters, 7 a word gap.
// [what, a, b, WPM, field sent, tones [start, length], letters [start,
// first code unit, how many], length]
const NADAWANIE = [
  ['"sos" at 12 WPM', 'sos', '', 12, 0,
    [[0, 100], [200, 100], [400, 100], [800, 300], [1200, 300], [1600, 300], [2200, 100], [2400, 100], [2600, 100]],
    [[0, 0, 1], [800, 1, 1], [2200, 2, 1]], 2700],
  ['"sos" at 20 WPM', 'sos', '', 20, 0,
    [[0, 60], [120, 60], [240, 60], [480, 180], [720, 180], [960, 180], [1320, 60], [1440, 60], [1560, 60]],
    [[0, 0, 1], [480, 1, 1], [1320, 2, 1]], 1620],
  ['"PARIS " at 12 WPM: 50 units', 'PARIS ', '', 12, 0,
    [[0, 100], [200, 300], [600, 300], [1000, 100], [1400, 100], [1600, 300], [2200, 100], [2400, 300], [2800, 100],
      [3200, 100], [3400, 100], [3800, 100], [4000, 100], [4200, 100]],
    [[0, 0, 1], [1400, 1, 1], [2200, 2, 1], [3200, 3, 1], [3800, 4, 1]], 5000],
  ['"PARIS " at 20 WPM: 3 s', 'PARIS ', '', 20, 0,
    [[0, 60], [120, 180], [360, 180], [600, 60], [840, 60], [960, 180], [1320, 60], [1440, 180], [1680, 60],
      [1920, 60], [2040, 60], [2280, 60], [2400, 60], [2520, 60]],
    [[0, 0, 1], [840, 1, 1], [1320, 2, 1], [1920, 3, 1], [2280, 4, 1]], 3000],
  ['a word gap', 'e e', '', 20, 0, [[0, 60], [480, 60]], [[0, 0, 1], [480, 2, 1]], 540],
  ['a digit kept in the notation: a letter of silence', 'e5e', '', 20, 0, [[0, 60], [420, 60]],
    [[0, 0, 1], [240, 1, 1], [420, 2, 1]], 480],
  ['Polish letters', 'Żół', '', 20, 0,
    [[0, 180], [240, 180], [480, 60], [600, 60], [840, 180], [1080, 180], [1320, 180], [1680, 60], [1800, 180],
      [2040, 60], [2160, 60]],
    [[0, 0, 1], [840, 1, 1], [1680, 2, 1]], 2220],
  ['an emoji: two code units, silent', '😀e', '', 20, 0, [[180, 60]], [[0, 0, 2], [180, 2, 1]], 240],
  ['a decode-direction text is sent as it stands', '', '\\...\\---\\...\\', 20, 1,
    [[0, 60], [120, 60], [240, 60], [480, 180], [720, 180], [960, 180], [1320, 60], [1440, 60], [1560, 60]],
    [[0, 1, 3], [480, 5, 3], [1320, 9, 3]], 1620],
  ['a stale Morse translation below: the upper field is sent', 'e', '..', 20, 0, [[0, 60]], [[0, 0, 1]], 60],
  ['the current translation below: its letters are marked', 'e', '\\.\\', 20, 0, [[0, 60]], [[0, 1, 1]], 60],
  ['nothing to send', '', '', 20, 1, [], [], 0],
];

for (const [nazwa, a, b, slowa, pole, tony, litery, dlugosc] of NADAWANIE) {
  test(`sending: ${nazwa}`, () => {
    const plan = harmonogram(modul.nadanie(a, b), slowa);
    const ms = (s) => Math.round(s * 1e9) / 1e6;  // exact to a nanosecond
    assert.deepEqual({ pole: plan.pole, dlugosc: ms(plan.dlugosc) }, { pole, dlugosc });
    const kazdy = (jaki, ile) => Array.from({ length: ile }, (_, i) => jaki(plan, i));
    assert.deepEqual(kazdy(ton, plan.tony.length / 2).map(([p, k]) => [ms(p), ms(k - p)]), tony);
    assert.deepEqual(kazdy(litera, plan.litery.length / 3).map(([p, od, doZnaku]) => [ms(p), od, doZnaku - od]), litery);
  });
}

// What a keypad key puts at the caret after the code unit before it: a "\"
// opens a letter where no separator stands. [before, Kropka, Kreska, Koniec litery, Odstęp]
const KLAWIATURA = [
  ['', '\\.', '\\-', '', '\\\\'],
  ['\\', '.', '-', '', '\\'],
  ['-', '.', '-', '\\', '\\\\'],
  ['a', '\\.', '\\-', '', '\\\\'],
  ['\uD83D', '\\.', '\\-', '', '\\\\'],
];
for (const [przed, ...wstawki] of KLAWIATURA) {
  test(`keypad after ${JSON.stringify(przed)}`, () => assert.deepEqual(
    wstawki.map((_, klawisz) => modul.klawisz(klawisz, przed.charCodeAt(0) || 0)), wstawki));
}
test('keypad: an unknown key puts nothing', () => assert.deepEqual([4, -1].map((k) => modul.klawisz(k, 46)), ['', '']));

// "sos" keyed at 12 WPM: [mark, space] in units of 0.1 s, each space growing as the page's timer sees it.
const SOS_12 = [[1, 1], [1, 1], [1, 3], [3, 1], [3, 1], [3, 3], [1, 1], [1, 1], [1, 3]];
test('the key: "sos" at 12 WPM, a word gap written with the letter after it; bad times break nothing', () => {
  modul.odNowa(0);
  for (const [znak, przerwa] of SOS_12) {
    modul.znak(0, znak / 10);
    for (let jednostki = 0; jednostki <= przerwa; jednostki += 0.5) modul.przerwa(0, jednostki / 10);
  }
  modul.przerwa(0, 1.5);
  assert.deepEqual([modul.odebrane(0, 0), modul.odebrane(0, 0)], ['\\...\\---\\...\\', '']);
  modul.znak(0, 0.1);
  modul.przerwa(0, 0.3);
  assert.equal(modul.odebrane(0, '\\'.charCodeAt(0)), '\\.\\');
  [1.5, 0.1, 0.3].forEach((s, i) => (i === 1 ? modul.znak : modul.przerwa).call(modul, 0, s));
  assert.equal(modul.odebrane(0, '\\'.charCodeAt(0), false), '.\\', 'elsewhere in the field: no word gap of its own');
  for (const zle of [NaN, -1, Infinity, 1e308]) [modul.znak, modul.przerwa].forEach((f) => f.call(modul, 0, zle));
  modul.koniec(0);
  assert.equal(typeof modul.odebrane(0, 0), 'string');
});

// The Morse course: stored values that are no progress start afresh with a message.
const USZKODZONY = 'Zapisany postęp nauki był uszkodzony, więc kurs zaczyna się od nowa.';
const ZAPISY = [
  ['nothing stored', null, 1, ''],
  ['a lesson reached', 'N1;3;k9/10m10/10u1/2', 3, ''],
  ['damaged', 'N1;3;k9/', 1, USZKODZONY],
  ['foreign', '{"lekcja":3}', 1, USZKODZONY],
  ['out of range', 'N1;26', 1, USZKODZONY],
  ['too long', `N1;2${';k1/1'.repeat(1000)}`, 1, USZKODZONY],
  ['a lone surrogate', 'N1;2\uD800', 1, USZKODZONY],
];
for (const [nazwa, zapis, lekcja, komunikat] of ZAPISY) {
  test(`course: stored value, ${nazwa}`, () => {
    const stan = modul.naukaWczytaj(zapis);
    assert.deepEqual([stan.lekcja, stan.litery.length, stan.komunikat], [lekcja, lekcja + 1, komunikat]);
    assert.equal(modul.naukaWczytaj(stan.zapis).komunikat, '', 'what it stores loads back');
  });
}

test('course: settings into their ranges', () => {
  assert.deepEqual(modul.naukaUstawienia(50, 40, 0.1), { tempoZnakow: 35, tempoEfektywne: 35, minuty: 0.5 });
  assert.deepEqual(modul.naukaUstawienia('x', undefined, NaN), { tempoZnakow: 20, tempoEfektywne: 10, minuty: 1 });
});

test('course: a run of lesson 1 plays as "Nadaj" does, is scored once and opens lesson 2', () => {
  modul.naukaOdNowa();
  const plan = modul.naukaGrupy(20, 10, 1, 7);
  assert.match(plan.tekst, /^[km]{5}( [km]{5})+$/);
  assert.ok(plan.tony instanceof Float64Array && plan.litery.length === 3 * plan.tekst.replace(/ /g, '').length);
  const grany = harmonogram(plan, 20);
  assert.ok(Math.abs(grany.dlugosc - 60) < 8, `${grany.dlugosc} s fill a minute`);
  assert.deepEqual(litera(grany, 1).slice(1), [1, 2]);
  assert.ok([0, 1].map((i) => ton(grany, i)[1] - ton(grany, i)[0]).every((s) => [0.06, 0.18].includes(Math.round(s * 1e6) / 1e6)));
  const wynik = modul.naukaSprawdz(`  ${plan.tekst.toUpperCase()}  `);
  assert.deepEqual([wynik.procent, wynik.ocenione, wynik.nastepna, wynik.stan.lekcja], [100, true, true, 2]);
  const znowu = modul.naukaSprawdz('');
  assert.deepEqual([znowu.procent, znowu.ocenione, znowu.stan.lekcja], [100, false, 2]);
  assert.equal(modul.naukaPosluchaj(20).tekst, 'u u u');
});

test('course: the hand, dashes keyed short; bad times break nothing', () => {
  const [k, d] = [0.06, 0.06 * 2.2];
  const reka = modul.naukaReka('km', [d, k, k, k, d, 3 * k, d, k, d]);
  assert.deepEqual([reka.odczytane, reka.zgodne, reka.kreska.dotow], ['km', true, 2.2]);
  assert.deepEqual(reka.porady, ['Kreski są za krótkie: 2,2 kropki zamiast 3.']);
  assert.deepEqual(reka.wykres.map((w) => w.rodzaj).slice(0, 3), ['kreska', 'wLiterze', 'kropka']);
  assert.equal(typeof modul.naukaReka('km', [NaN, -1, Infinity, 60, 'x']).odczytane, 'string');
});
