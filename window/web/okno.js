// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The window at work: the controls of the built page wired to the module's
// commands, and the undo of what a command replaced. No cipher or command
// logic lives here.

const CZAS_COFNIECIA = 8000;  // ms the "Cofnij" offer stays, as phone apps keep theirs
const HISTORIA = 10;  // replaced texts kept per field for Ctrl+Z

// What a command replaced in each field, and what the receiving panel put
// in at the caret, the latest last: a step is undone while the field still
// holds what was put there.
class Cofanie {
  #kroki = new Map();
  #oferta = document.getElementById('cofniecie');
  #zegar = 0;

  constructor(pola, poZmianie) {
    this.poZmianie = poZmianie;
    for (const pole of pola) {
      this.#kroki.set(pole, []);
      pole.addEventListener('keydown', (zdarzenie) => {
        const z = zdarzenie.key.toLowerCase() === 'z' && (zdarzenie.ctrlKey || zdarzenie.metaKey) && !zdarzenie.shiftKey;
        if (z && this.cofnij(pole)) zdarzenie.preventDefault();
      });
      pole.addEventListener('input', () => this.#schowaj());
    }
  }

  // Replaces the field's text, remembers the old one and offers it back.
  zastap(pole, tekst, podpis) {
    const przed = pole.value;
    pole.value = tekst;
    pole.setSelectionRange(0, 0);
    pole.scrollTop = 0;
    pole.scrollLeft = 0;
    this.poZmianie(pole);
    if (przed === tekst) return;
    const kroki = this.#kroki.get(pole);
    kroki.push({ przed, po: tekst });
    if (kroki.length > HISTORIA) kroki.shift();
    if (przed !== '') this.#zaproponuj(pole, `${podpis} ${tekst === '' ? 'wyczyszczone' : 'nadpisane'}.`);
  }

  // Records an edit made at the caret, the field's text before it being
  // `przed`. It joins the last step while that is open to its group and the
  // field has held that step's text since, so that a letter keyed element
  // by element goes back as one; `otwarty` leaves the step open for more.
  dopisz(pole, przed, kursor, grupa, otwarty) {
    const kroki = this.#kroki.get(pole);
    let krok = kroki.at(-1);
    if (krok?.grupa === grupa && grupa && krok.po === przed) {
      krok.po = pole.value;
    } else {
      krok = { przed, po: pole.value, kursor };
      kroki.push(krok);
      if (kroki.length > HISTORIA) kroki.shift();
    }
    krok.grupa = otwarty ? grupa : null;
    if (krok.przed === krok.po) kroki.pop();
  }

  cofnij(pole) {
    const kroki = this.#kroki.get(pole);
    const krok = kroki.at(-1);
    if (!krok || pole.value !== krok.po) return false;
    kroki.pop();
    pole.value = krok.przed;
    if (krok.kursor !== undefined) pole.setSelectionRange(krok.kursor, krok.kursor);
    this.poZmianie(pole);
    this.#schowaj();
    return true;
  }

  #zaproponuj(pole, napis) {
    const przycisk = document.createElement('button');
    przycisk.type = 'button';
    przycisk.textContent = 'Cofnij';
    przycisk.addEventListener('click', () => this.cofnij(pole));
    this.#oferta.replaceChildren(napis, przycisk);
    clearTimeout(this.#zegar);
    this.#zegar = setTimeout(() => this.#schowaj(), CZAS_COFNIECIA);
  }

  #schowaj() {
    this.#oferta.replaceChildren();
  }
}

// Wires the built window to the module; poZmianie(pole) follows every text
// a command writes. Runs the window's load. Returns the two fields and their
// undo record.
export function uruchomOkno(modul, poZmianie) {
  const { tabela } = modul;
  const [a, b, lista] = ['a', 'b', 'listaszyfrow'].map((id) => document.getElementById(id));
  const cofanie = new Cofanie([a, b], poZmianie);
  const podpis = (pole) => pole.labels[0].textContent;

  for (const pole of [a, b]) {
    // A single-line field: Enter inserts nothing, wherever it comes from.
    pole.addEventListener('beforeinput', (zdarzenie) => {
      if (zdarzenie.inputType === 'insertLineBreak' || zdarzenie.inputType === 'insertParagraph') zdarzenie.preventDefault();
    });
    pole.addEventListener('input', () => poZmianie(pole));
  }

  // Each command reads the fields and the list as they are now and writes
  // back only what it changed.
  const wykonaj = (polecenie) => {
    const wynik = modul.wykonaj(polecenie, a.value, b.value, lista.selectedIndex);
    if ('a' in wynik) cofanie.zastap(a, wynik.a, podpis(a));
    if ('b' in wynik) cofanie.zastap(b, wynik.b, podpis(b));
    if ('wybrany' in wynik) lista.selectedIndex = wynik.wybrany;
  };
  tabela.klikniecia.forEach((nazwa, numer) => {
    document.getElementById(nazwa).addEventListener('click', () => wykonaj(numer));
  });
  wykonaj(-1);
  return { pola: [a, b], cofanie };
}
