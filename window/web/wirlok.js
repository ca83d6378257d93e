// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The page: builds the window from the module's tables and runs the
// module's commands on clicks. No cipher or command logic lives here.
import { Modul } from './modul.js';
import { podlaczNadawanie } from './nadawanie.js';

const NAJWIEKSZA_SKALA = 2;
const NAJNIZSZY_PRZYCISK = 24;  // CSS px, for a finger
const MARGINES = 8;

const UTWORZ = {
  pole(kontrolka) {
    const pole = document.createElement('textarea');
    Object.assign(pole, { wrap: 'off', spellcheck: false, rows: 1 });
    pole.setAttribute('autocomplete', 'off');
    pole.setAttribute('aria-label', kontrolka.podpis);
    // A single-line field: Enter inserts nothing, wherever it comes from.
    pole.addEventListener('beforeinput', (zdarzenie) => {
      if (zdarzenie.inputType === 'insertLineBreak' || zdarzenie.inputType === 'insertParagraph') zdarzenie.preventDefault();
    });
    return pole;
  },
  lista(kontrolka, tabela) {
    const lista = document.createElement('select');
    lista.setAttribute('aria-label', kontrolka.podpis);
    for (const wpis of tabela.lista) lista.add(new Option(wpis));
    lista.selectedIndex = -1;
    return lista;
  },
  przycisk(kontrolka) {
    const przycisk = document.createElement('button');
    przycisk.type = 'button';
    przycisk.textContent = kontrolka.podpis;
    return przycisk;
  },
};

// Replaces a field's text as the browser's own edit, so that its undo
// brings the old text back; the focus stays where it was.
function zastap(pole, tekst) {
  const fokus = document.activeElement;
  pole.focus();
  pole.select();
  const zrobione = tekst === '' ? document.execCommand('delete') : document.execCommand('insertText', false, tekst);
  if (!zrobione || pole.value !== tekst) pole.value = tekst;
  pole.setSelectionRange(0, 0);
  pole.scrollLeft = 0;
  fokus?.focus();
}

function zbudujOkno(tabela) {
  const okno = document.getElementById(tabela.nazwa);
  okno.style.width = `${tabela.szerokosc}px`;
  okno.style.height = `${tabela.wysokosc}px`;
  // Appended in tab order, which the keyboard focus follows.
  for (const kontrolka of tabela.kontrolki) {
    const element = UTWORZ[kontrolka.rodzaj](kontrolka, tabela);
    element.id = kontrolka.nazwa;
    const [lewo, gora, szerokosc, wysokosc] = kontrolka.miejsce;
    Object.assign(element.style, { left: `${lewo}px`, top: `${gora}px`, width: `${szerokosc}px`, height: `${wysokosc}px` });
    okno.append(element);
  }
  return okno;
}

// The whole window scaled to the screen's width, at most twice its size;
// on a narrow phone the buttons grow to a finger's height.
function dopasuj(okno, tabela) {
  const skala = Math.min(NAJWIEKSZA_SKALA, (document.documentElement.clientWidth - 2 * MARGINES) / tabela.szerokosc);
  okno.style.transform = `scale(${skala})`;
  document.body.style.height = `${tabela.wysokosc * skala + 2 * MARGINES}px`;
  for (const przycisk of okno.querySelectorAll('button')) {
    const [, gora, , wysokosc] = tabela.kontrolki.find((k) => k.nazwa === przycisk.id).miejsce;
    przycisk.style.height = `${Math.max(wysokosc, Math.min(NAJNIZSZY_PRZYCISK / skala, tabela.wysokosc - gora))}px`;
  }
}

async function uruchom() {
  const odpowiedz = await fetch('wirlok.wasm');
  const modul = await Modul.zBajtow(await odpowiedz.arrayBuffer());
  const tabela = modul.tabela;
  document.title = tabela.tytul;
  document.getElementById('tytul').textContent = tabela.tytul;
  const okno = zbudujOkno(tabela);
  const [a, b, lista] = ['a', 'b', 'listaszyfrow'].map((id) => document.getElementById(id));

  // Each command reads the fields and the list as they are now and writes
  // back only what it changed.
  const wykonaj = (polecenie) => {
    const wynik = modul.wykonaj(polecenie, a.value, b.value, lista.selectedIndex);
    if ('a' in wynik) zastap(a, wynik.a);
    if ('b' in wynik) zastap(b, wynik.b);
    if ('wybrany' in wynik) lista.selectedIndex = wynik.wybrany;
  };
  tabela.klikniecia.forEach((nazwa, numer) => {
    document.getElementById(nazwa).addEventListener('click', () => wykonaj(numer));
  });

  dopasuj(okno, tabela);
  addEventListener('resize', () => dopasuj(okno, tabela));
  wykonaj(-1);
  podlaczNadawanie(modul);
  document.getElementById('Tlumacz').focus();
  document.documentElement.dataset.gotowe = performance.now().toFixed(1);
}

uruchom();
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
