// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// Receiving Morse: a keypad of dots and dashes, a key tapped in rhythm,
// and whatever the module's receivers take in, put into the field that
// last had the focus, at its caret. The module reads the timing and makes
// the notation; nothing here knows a Morse code.

import { CZESTOTLIWOSC, ZBOCZE, generator, liczba, wycisz, zaplanujTony } from './nadawanie.js';

const KLUCZ = 0;  // the module's source for the key
const KLAWISZE = ['Kropka', 'Kreska', 'KoniecLitery', 'Odstep'];  // the keypad's buttons in the module's order of keys
const OTWIERAJA = 2;  // the first two keys leave the letter open for more
const LITERA = 'litera';  // the undo group of a letter keyed piece by piece
const TAKT = 50;  // ms between looks at the key's receiver while the key is up
const CISZA = 10000;  // ms of silence after which the receiver has long written its word gap
const CICHO = 0.1;  // the side tone's loudness; a message is sent at 0.4
const TON_KLUCZA = { tony: [0, 3600], jednostka: 1 };  // an hour's tone, cut short as the key comes up

// The field received text goes into: the one that last had the focus, at
// its caret. Each piece is an undo step (okno.js) or part of its letter's;
// "Usuń" takes the pieces back in turn while the field holds them where
// they were put, and nothing else.
class Cel {
  #wstawione = [];  // [{pole, od, tekst}], the latest last
  #po = null;  // the field's text after the latest
  #ostatnie = {};  // the source, field and caret of the latest

  constructor(pola, cofanie) {
    this.pole = pola[0];
    this.cofanie = cofanie;
    for (const pole of pola) {
      pole.addEventListener('focus', () => { this.pole = pole; });
      // A tap into the field is to type there: the system's keyboard again.
      pole.addEventListener('pointerdown', () => pole.removeAttribute('inputmode'));
      pole.addEventListener('blur', () => pole.removeAttribute('inputmode'));
    }
  }

  // Puts in what tekst(przed, dalej) makes of the code unit before the
  // caret, and of whether the caret is where the same source (a receiver's
  // number; null the keypad) put its latest, the field unchanged since.
  wstaw(tekst, grupa, otwarty, pole = this.pole, zrodlo = null) {
    const kursor = pole.selectionEnd;
    const { zrodlo: ktore, pole: gdzie, kursor: po } = this.#ostatnie;
    const dalej = zrodlo === ktore && pole === gdzie && kursor === po && pole.value === this.#po;
    const wstawka = tekst(kursor > 0 ? pole.value.charCodeAt(kursor - 1) : 0, dalej);
    if (wstawka === '') return;
    if (pole.value !== this.#po || this.#wstawione.at(-1)?.pole !== pole) this.#wstawione = [];
    this.#zmien(pole, kursor, kursor, wstawka, grupa, otwarty);
    this.#wstawione.push({ pole, od: kursor, tekst: wstawka });
    this.#ostatnie = { zrodlo, pole, kursor: pole.selectionEnd };
  }

  usun() {
    const ostatni = this.#wstawione.pop();
    if (!ostatni || ostatni.pole.value !== this.#po) {
      this.#wstawione = [];
      return;
    }
    const { pole, od, tekst } = ostatni;
    this.#zmien(pole, od, od + tekst.length, '', LITERA, true);
  }

  // The caret in the field, where a finger on the panel can see it, and
  // the system's keyboard down while the panel types.
  pokazKursor() {
    this.pole.inputMode = 'none';
    this.pole.focus({ preventScroll: true });
  }

  #zmien(pole, od, doZnaku, tekst, grupa, otwarty) {
    const przed = pole.value;
    pole.setRangeText(tekst, od, doZnaku, 'end');
    // A message keyed at its end stays in sight in a field grown past its height.
    if (pole.selectionEnd === pole.value.length) Object.assign(pole, { scrollTop: pole.scrollHeight, scrollLeft: pole.scrollWidth });
    this.#po = pole.value;
    this.cofanie.dopisz(pole, przed, od, grupa, otwarty);
    pole.dispatchEvent(new Event('input', { bubbles: true }));  // for the height, the undo offer, a sending's mark
  }
}

// The lamp, the key's look and a quiet side tone at the sending panel's
// pitch when sound is chosen there, while the key is down; the tone in the
// audio context dajKontekst() gives (its own one unless told).
export function sygnal(klucz, lampa = document.getElementById('lampa'), dajKontekst = null) {
  const el = (id) => document.getElementById(id);
  let kontekst = null;
  let dzwiek = null;
  return (wlaczony) => {
    lampa.classList.toggle('swieci', wlaczony);
    klucz.classList.toggle('wcisniety', wlaczony);
    if (dzwiek) wycisz(dzwiek);
    dzwiek = null;
    if (!wlaczony || !el('przezDzwiek').checked) return;
    kontekst = dajKontekst?.() ?? kontekst ?? new AudioContext({ latencyHint: 'interactive' });
    kontekst.resume();
    const t0 = kontekst.currentTime + ZBOCZE;  // a fresh context's clock starts at 0, and the edge before
    dzwiek = generator(kontekst, liczba(el('czestotliwosc'), CZESTOTLIWOSC), t0);
    zaplanujTony(dzwiek.wzmocnienie.gain, TON_KLUCZA, 0, t0, Infinity, CICHO);
  };
}

// The key: down, a mark; up, a space. Their lengths go to the key's
// receiver, which writes a letter as a pause ends it: so while the key is
// up it is asked every TAKT how long the pause is, until a long silence.
// What it writes goes into the field the key last went down for, even
// once the focus has moved on.
class Klucz {
  #wcisniety = null;  // ms the key went down, while it is down
  #puszczony = null;  // ms it last came up
  #zegar = 0;
  #pole = null;

  constructor(modul, cel, sygnal) {
    Object.assign(this, { modul, cel, sygnal });
  }

  wpisz() {
    this.cel.wstaw((przed, dalej) => this.modul.odebrane(KLUCZ, przed, dalej), null, false, this.#pole ?? this.cel.pole, KLUCZ);
  }

  wcisnij(czas) {
    if (this.#wcisniety !== null) return;
    clearInterval(this.#zegar);
    if (this.#puszczony !== null) this.modul.przerwa(KLUCZ, Math.max(0, czas - this.#puszczony) / 1000);
    this.wpisz();
    this.#pole = this.cel.pole;
    this.#wcisniety = czas;
    this.sygnal(true);
  }

  pusc(czas) {
    if (this.#wcisniety === null) return;
    this.modul.znak(KLUCZ, Math.max(0, czas - this.#wcisniety) / 1000);
    this.#wcisniety = null;
    this.#puszczony = czas;
    this.sygnal(false);
    this.wpisz();
    this.#zegar = setInterval(() => this.#cisza(), TAKT);
  }

  #cisza() {
    const ms = Math.max(0, performance.now() - this.#puszczony);
    this.modul.przerwa(KLUCZ, ms / 1000);
    this.wpisz();
    if (ms > CISZA) clearInterval(this.#zegar);
  }
}

// A button of the panel that leaves the caret in its field: a finger or
// the mouse does not take the focus, and the field gets it back.
function przyciskPanelu(przycisk, cel, dzialanie) {
  przycisk.addEventListener('pointerdown', (zdarzenie) => zdarzenie.preventDefault());
  przycisk.addEventListener('click', (zdarzenie) => {
    dzialanie();
    if (zdarzenie.detail > 0) cel.pokazKursor();  // not from the keyboard, which stays on the button
  });
}

// A key (anything with wcisnij(ms) and pusc(ms)) under a finger or the
// mouse (held with the pointer captured, so that a finger sliding off still
// lets go), and under Space when focused; poWcisnieciu() follows a press.
export function podlaczKlucz(przycisk, klucz, poWcisnieciu = () => {}) {
  let palec = null;
  przycisk.addEventListener('pointerdown', (zdarzenie) => {
    if (zdarzenie.button !== 0 || palec !== null) return;
    zdarzenie.preventDefault();
    palec = zdarzenie.pointerId;
    przycisk.setPointerCapture(palec);
    klucz.wcisnij(zdarzenie.timeStamp);
    poWcisnieciu();
  });
  const pusc = (zdarzenie) => {
    if (zdarzenie.pointerId !== palec) return;
    palec = null;
    klucz.pusc(zdarzenie.timeStamp);
  };
  for (const typ of ['pointerup', 'pointercancel', 'lostpointercapture']) przycisk.addEventListener(typ, pusc);
  przycisk.addEventListener('contextmenu', (zdarzenie) => zdarzenie.preventDefault());
  przycisk.addEventListener('keydown', (zdarzenie) => {
    if (zdarzenie.key !== ' ') return;
    zdarzenie.preventDefault();
    if (!zdarzenie.repeat) klucz.wcisnij(zdarzenie.timeStamp);
  });
  przycisk.addEventListener('keyup', (zdarzenie) => {
    if (zdarzenie.key !== ' ') return;
    zdarzenie.preventDefault();  // no click
    klucz.pusc(zdarzenie.timeStamp);
  });
  przycisk.addEventListener('blur', () => { if (palec === null) klucz.pusc(performance.now()); });
}

// Wires the receiving panel to the module, the window's fields and their
// undo record. Returns what the other receivers write with: wpisz(zrodlo)
// puts in what that source has received, as one undo step (called as each
// letter comes, a step is a letter); wpiszRazem(zrodlo) makes one step of
// all its calls in a row, for a whole recording.
export function podlaczOdbieranie(modul, pola, cofanie) {
  const el = (id) => document.getElementById(id);
  const cel = new Cel(pola, cofanie);
  KLAWISZE.forEach((id, klawisz) => przyciskPanelu(el(id), cel,
    () => cel.wstaw((przed) => modul.klawisz(klawisz, przed), LITERA, klawisz < OTWIERAJA)));
  przyciskPanelu(el('Usun'), cel, () => cel.usun());
  const odbior = {
    wpisz: (zrodlo) => cel.wstaw((przed, dalej) => modul.odebrane(zrodlo, przed, dalej), null, false, cel.pole, zrodlo),
    wpiszRazem: (zrodlo) => cel.wstaw((przed, dalej) => modul.odebrane(zrodlo, przed, dalej), `nagranie ${zrodlo}`, true,
      cel.pole, zrodlo),
  };
  const klucz = new Klucz(modul, cel, sygnal(el('Klucz')));
  podlaczKlucz(el('Klucz'), klucz, () => cel.pokazKursor());
  return odbior;
}
