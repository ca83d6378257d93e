// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The learning view's two charts, as SVG in the page's own colours (the
// style sheet paints them, light or dark): each letter's accuracy, and a
// keyed attempt over the ideal grid of 1 : 3 : 1 : 3 : 7. Each carries
// its content in words for a screen reader.

const SVG = 'http://www.w3.org/2000/svg';
const WIERSZ = 28;  // px a letter's row of the accuracy chart
const NAZWA = 28;  // px for the letter before its bar
const PASEK = 200;  // px of a bar at 100 %
const LICZBA = 64;  // px for the figure after it

function svg(nazwa, cechy = {}, ...dzieci) {
  const element = document.createElementNS(SVG, nazwa);
  for (const [cecha, wartosc] of Object.entries(cechy)) element.setAttribute(cecha, wartosc);
  element.append(...dzieci);
  return element;
}

const procenty = (procent) => (procent === null ? 'brak wyników' : `${procent} %`);

// trafnosc: [{ litera, procent (null: no results yet), proby }], a row each.
export function wykresTrafnosci(trafnosc) {
  const wysokosc = trafnosc.length * WIERSZ;
  const szerokosc = NAZWA + PASEK + LICZBA;
  const opis = trafnosc.map(({ litera, procent }) => `${litera.toUpperCase()} ${procenty(procent)}`).join(', ');
  const wykres = svg('svg', { class: 'wykres', width: szerokosc, height: wysokosc, viewBox: `0 0 ${szerokosc} ${wysokosc}`,
    role: 'img', 'aria-label': `Trafność liter: ${opis}.` });
  trafnosc.forEach(({ litera, procent }, i) => {
    const y = i * WIERSZ;
    wykres.append(
      svg('text', { x: 4, y: y + 20, class: 'litera' }, litera.toUpperCase()),
      svg('rect', { x: NAZWA, y: y + 6, width: PASEK, height: 16, class: 'tlo' }),
      svg('rect', { x: NAZWA, y: y + 6, width: PASEK * (procent ?? 0) / 100, height: 16, class: 'slupek' }),
      svg('text', { x: NAZWA + PASEK + 6, y: y + 20 }, procent === null ? 'brak' : `${procent} %`));
  });
  return wykres;
}

const ZNAKI = ['kropka', 'kreska'];

// wykres: [{ rodzaj, poczatek, dlugosc, wzorPoczatek, wzorDlugosc }] in
// dots: the ideal lane above, the keyed one below, a grid line each dot.
// Marks are tall bars, gaps thin ones; the chart stretches to the width.
export function wykresReki(wykres) {
  const koniec = Math.max(1, ...wykres.map((e) => Math.max(e.poczatek + e.dlugosc, e.wzorPoczatek + e.wzorDlugosc)));
  const szerokosc = Math.ceil(koniec);
  const znaki = wykres.filter((e) => ZNAKI.includes(e.rodzaj)).length;
  const rysunek = svg('svg', { class: 'wykres rytm', viewBox: `0 0 ${szerokosc} 10`, preserveAspectRatio: 'none', role: 'img',
    'aria-label': `Rytm ręki: ${znaki} kropek i kresek na tle wzoru, ${szerokosc} kropek długości.` });
  for (let x = 0; x <= szerokosc; x++) rysunek.append(svg('line', { x1: x, x2: x, y1: 0, y2: 10, class: 'siatka' }));
  for (const { rodzaj, poczatek, dlugosc, wzorPoczatek, wzorDlugosc } of wykres) {
    const [gora, wysokosc] = ZNAKI.includes(rodzaj) ? [0.5, 4] : [2, 1];
    rysunek.append(
      svg('rect', { x: wzorPoczatek, y: gora, width: wzorDlugosc, height: wysokosc, class: `wzor ${rodzaj}` }),
      svg('rect', { x: poczatek, y: 5 + gora, width: dlugosc, height: wysokosc, class: `slupek ${rodzaj}` }));
  }
  return rysunek;
}
