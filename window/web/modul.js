// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The WebAssembly module of the engine and the window commands, without the
// page: texts move in and out as UTF-16, a lone surrogate as it is.

// Characters per String.fromCharCode call when reading a text back.
const KAWALEK = 8192;

export class Modul {
  static async zBajtow(bajty) {
    const { instance } = await WebAssembly.instantiate(bajty, {});  // it imports nothing
    instance.exports._initialize();
    return new Modul(instance.exports);
  }

  constructor(eksporty) {
    this.e = eksporty;
    const wskaznik = this.e.wirlok_tabela();
    const bajty = new Uint8Array(this.e.memory.buffer, wskaznik, this.e.wirlok_tabela_dlugosc());
    this.tabela = JSON.parse(new TextDecoder().decode(bajty));
  }

  // Runs a command (-1: the window's load; 0 and up: the buttons of
  // tabela.klikniecia) over the two fields and the selected entry (-1:
  // none). Returns only what the command changed: a, b, wybrany.
  wykonaj(polecenie, a, b, wybrany) {
    this.#zapisz(0, a);
    this.#zapisz(1, b);
    const zmiany = this.e.wirlok_wykonaj(polecenie, wybrany);
    const wynik = {};
    if (zmiany & 1) wynik.a = this.#odczytaj(0);
    if (zmiany & 2) wynik.b = this.#odczytaj(1);
    if (zmiany & 4) wynik.wybrany = this.e.wirlok_wybrany();
    return wynik;
  }

  // What "Nadaj" sends from the two fields: the field sent (0: a, 1: b),
  // the field its letters are marked in, the length in units, the tones as
  // [start, length, ...] in units and the letters as [start in units, first
  // code unit in the marked field, how many, ...].
  nadanie(a, b) {
    this.#zapisz(0, a);
    this.#zapisz(1, b);
    const ile = this.e.wirlok_nadaj();
    const liczby = new Int32Array(this.e.memory.buffer, this.e.wirlok_nadanie(), ile).slice();
    const [pole, znaczone, dlugosc, tonow] = liczby;
    return { pole, znaczone, dlugosc, tony: liczby.subarray(5, 5 + 2 * tonow), litery: liczby.subarray(5 + 2 * tonow) };
  }

  #zapisz(pole, tekst) {
    const wskaznik = this.e.wirlok_bufor(pole, tekst.length);
    const bufor = new Uint16Array(this.e.memory.buffer, wskaznik, tekst.length);
    for (let i = 0; i < tekst.length; i++) bufor[i] = tekst.charCodeAt(i);
  }

  #odczytaj(pole) {
    const bufor = new Uint16Array(this.e.memory.buffer, this.e.wirlok_tekst(pole), this.e.wirlok_dlugosc(pole));
    const czesci = [];
    for (let i = 0; i < bufor.length; i += KAWALEK) czesci.push(String.fromCharCode.apply(null, bufor.subarray(i, i + KAWALEK)));
    return czesci.join('');
  }
}
