// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The page's two layouts. Where the screen holds the window at 1.5 times
// its size and the main pointer is not a finger, the desktop layout: the
// window as the shared table draws it. Anywhere else, phones in either
// orientation, tablets used by touch and narrow windows, the phone layout:
// the controls one under another in the order the eye reads them. The
// built style sheet carries both (strona.mjs); this module keeps the order
// of the controls in the document, which the keyboard focus and a screen
// reader follow, to the layout on the screen.

const SKALA_KOMPUTERA = 1.5;
export const MARGINESY = 64;  // CSS px beside the desktop window: the page's margins, its frame and a scroll bar

// The media queries of the two layouts, one the other's complement.
export function zapytania({ szerokosc, wysokosc }) {
  const miejsce = `(min-width: ${Math.ceil(szerokosc * SKALA_KOMPUTERA) + MARGINESY}px)`;
  const wysokie = `(min-height: ${Math.ceil(wysokosc * SKALA_KOMPUTERA)}px)`;
  return {
    komputer: `${miejsce} and ${wysokie} and (pointer: fine), ${miejsce} and ${wysokie} and (pointer: none)`,
    telefon: `not all and ${miejsce}, not all and ${wysokie}, (pointer: coarse)`,
  };
}

// The controls as the eye reads them: row by row, left to right.
export function kolejnoscCzytania(tabela) {
  return [...tabela.kontrolki].sort((x, y) => x.miejsce[1] - y.miejsce[1] || x.miejsce[0] - y.miejsce[0]);
}

// Puts the controls, each after its label, in the layout's order: the tab
// order of the table on a desktop, the reading order on a phone. Moves
// nothing when they are in order already; the focus stays where it was.
function uporzadkuj(okno, kontrolki) {
  const elementy = kontrolki.flatMap(({ nazwa }) => {
    const element = document.getElementById(nazwa);
    return [...(element.labels ?? []), element];
  });
  if (elementy.every((element, i) => okno.children[i] === element)) return;
  const fokus = document.activeElement;
  okno.append(...elementy);
  if (fokus !== document.activeElement) fokus?.focus();
}

// A field as tall as its text, for browsers whose CSS cannot say so
// (field-sizing); the style sheet caps the height.
const ROSNIE_SAM = globalThis.CSS?.supports('field-sizing', 'content');  // no CSS at build time
export function dopasujWysokosc(pole, telefon) {
  if (ROSNIE_SAM) return;
  pole.style.height = '';
  if (telefon) pole.style.height = `${pole.scrollHeight + pole.offsetHeight - pole.clientHeight}px`;
}

// Follows the screen: on a turn or a resize that crosses from one layout
// to the other, reorders the controls; on any resize, fits the fields'
// heights anew. Returns a function that tells whether the phone layout is on.
export function sledzUklad(tabela, pola) {
  const okno = document.getElementById(tabela.nazwa);
  const komputer = matchMedia(zapytania(tabela).komputer);
  const dopasujPola = () => pola.forEach((pole) => dopasujWysokosc(pole, !komputer.matches));
  const zastosuj = () => {
    uporzadkuj(okno, komputer.matches ? tabela.kontrolki : kolejnoscCzytania(tabela));
    dopasujPola();
  };
  komputer.addEventListener('change', zastosuj);
  addEventListener('resize', dopasujPola);
  zastosuj();
  return () => !komputer.matches;
}
