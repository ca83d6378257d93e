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

  // The tone detector of a source (1 the microphone, 3 a recording):
  // samples (-1..1, mono) at `probkowanie` Hz; it feeds the source's receiver.
  dzwiek(zrodlo, probki, probkowanie) {
    const wskaznik = this.e.wirlok_dzwiek_bufor(probki.length);
    new Float32Array(this.e.memory.buffer, wskaznik, probki.length).set(probki);
    this.e.wirlok_dzwiek(zrodlo, probki.length, probkowanie);
  }

  dzwiekOdNowa(zrodlo) {
    this.e.wirlok_dzwiek_od_nowa(zrodlo);
  }

  // Whether a tone is locked, its pitch (Hz), words per minute and level (dB).
  dzwiekStan(zrodlo) {
    const [zlapany, czestotliwosc, slowa, poziom] = new Float64Array(this.e.memory.buffer, this.e.wirlok_dzwiek_stan(zrodlo), 4);
    return { zlapany: zlapany !== 0, czestotliwosc, slowa, poziom };
  }

  // A camera frame's brightness, a byte a pixel row by row, taken at `czas` s.
  obraz(jasnosc, szerokosc, wysokosc, czas) {
    const wskaznik = this.e.wirlok_obraz_bufor(szerokosc, wysokosc);
    new Uint8Array(this.e.memory.buffer, wskaznik, szerokosc * wysokosc).set(jasnosc.subarray(0, szerokosc * wysokosc));
    this.e.wirlok_obraz(czas);
  }

  // Follow the light at x, y (0..1 of the frame's width and height).
  obrazWskaz(x, y) {
    this.e.wirlok_obraz_wskaz(x, y);
  }

  obrazOdNowa() {
    this.e.wirlok_obraz_od_nowa();
  }

  // Whether a light is locked, where (0..1) and at how many words per minute.
  obrazStan() {
    const [zlapany, x, y, slowa] = new Float64Array(this.e.memory.buffer, this.e.wirlok_obraz_stan(), 4);
    return { zlapany: zlapany !== 0, x, y, slowa };
  }

  // Receiving, from a source (0 the key, 1 the microphone, 2 the camera,
  // 3 a recording): a mark and the space after it so far, in seconds, the
  // message's end, a new receiver, and the unit it follows now.
  znak(zrodlo, sekundy) {
    this.e.wirlok_odbior_znak(zrodlo, sekundy);
  }

  przerwa(zrodlo, sekundy) {
    this.e.wirlok_odbior_przerwa(zrodlo, sekundy);
  }

  koniec(zrodlo) {
    this.e.wirlok_odbior_koniec(zrodlo);
  }

  odNowa(zrodlo) {
    this.e.wirlok_odbior_od_nowa(zrodlo);
  }

  jednostka(zrodlo) {
    return this.e.wirlok_odbior_jednostka(zrodlo);
  }

  // What a source has received (taken from its receiver), and what a key
  // of the keypad (0 Kropka, 1 Kreska, 2 Koniec litery, 3 Odstęp) puts,
  // as text for a field's caret after the code unit `przed` (0 at the
  // field's start); `dalej`: where that source's text last went in.
  odebrane(zrodlo, przed, dalej = true) {
    return this.#wstawka(this.e.wirlok_odebrane(zrodlo, przed, dalej ? 1 : 0));
  }

  klawisz(klawisz, przed) {
    return this.#wstawka(this.e.wirlok_klawisz(klawisz, przed));
  }

  // The Morse course (sygnal/nauka.h): objects come back as JSON. `zapis`:
  // the stored progress, or null; a value that is no progress starts a
  // fresh course, and `komunikat` says so.
  naukaWczytaj(zapis) {
    const brak = zapis === null || zapis === undefined;
    const dlugosc = brak ? 0 : this.#zapiszUtf8(String(zapis));
    return this.#json(this.e.wirlok_nauka_wczytaj(dlugosc, brak ? 1 : 0));
  }

  naukaStan() {
    return this.#json(this.e.wirlok_nauka_stan());
  }

  // The settings corrected into their ranges; a non-number takes its default.
  naukaUstawienia(tempoZnakow, tempoEfektywne, minuty) {
    return this.#json(this.e.wirlok_nauka_ustawienia(tempoZnakow, tempoEfektywne, minuty));
  }

  // A run of the lesson, and the new letter alone: plans in units of the
  // letters' speed, shaped as nadanie()'s for nadawanie.js.
  naukaGrupy(tempoZnakow, tempoEfektywne, minuty, ziarno) {
    return this.#plan(this.e.wirlok_nauka_grupy(tempoZnakow, tempoEfektywne, minuty, ziarno));
  }

  naukaPosluchaj(tempoZnakow) {
    return this.#plan(this.e.wirlok_nauka_posluchaj(tempoZnakow));
  }

  // Scores the run once against the typed text.
  naukaSprawdz(wpisane) {
    return this.#json(this.e.wirlok_nauka_sprawdz(this.#zapiszUtf8(String(wpisane ?? ''))));
  }

  naukaOdNowa() {
    return this.#json(this.e.wirlok_nauka_od_nowa());
  }

  naukaGrupaDoNadania(ziarno) {
    return this.#json(this.e.wirlok_nauka_grupa(ziarno));
  }

  // Judges a keyed attempt at `zadane` from the key's times in seconds:
  // mark, space, ..., mark.
  naukaReka(zadane, czasy) {
    const dlugosc = this.#zapiszUtf8(String(zadane ?? ''));
    const liczby = Float64Array.from(czasy ?? [], Number);
    new Float64Array(this.e.memory.buffer, this.e.wirlok_nauka_czasy(liczby.length), liczby.length).set(liczby);
    return this.#json(this.e.wirlok_nauka_reka(dlugosc, liczby.length));
  }

  #zapiszUtf8(tekst) {
    const bajty = new TextEncoder().encode(tekst);
    new Uint8Array(this.e.memory.buffer, this.e.wirlok_nauka_bufor(bajty.length), bajty.length).set(bajty);
    return bajty.length;
  }

  #json(dlugosc) {
    return JSON.parse(new TextDecoder().decode(new Uint8Array(this.e.memory.buffer, this.e.wirlok_nauka_json(), dlugosc)));
  }

  #plan(dlugosc) {
    const plan = this.#json(dlugosc);
    const liczby = (wskaznik, ile) => new Float64Array(this.e.memory.buffer, wskaznik, ile).slice();
    plan.tony = liczby(this.e.wirlok_nauka_tony(), this.e.wirlok_nauka_tonow());
    plan.litery = liczby(this.e.wirlok_nauka_litery(), this.e.wirlok_nauka_liter());
    return plan;
  }

  #wstawka(dlugosc) {
    return this.#tekst(this.e.wirlok_wstawka(), dlugosc);
  }

  #zapisz(pole, tekst) {
    const wskaznik = this.e.wirlok_bufor(pole, tekst.length);
    const bufor = new Uint16Array(this.e.memory.buffer, wskaznik, tekst.length);
    for (let i = 0; i < tekst.length; i++) bufor[i] = tekst.charCodeAt(i);
  }

  #odczytaj(pole) {
    return this.#tekst(this.e.wirlok_tekst(pole), this.e.wirlok_dlugosc(pole));
  }

  #tekst(wskaznik, dlugosc) {
    const bufor = new Uint16Array(this.e.memory.buffer, wskaznik, dlugosc);
    const czesci = [];
    for (let i = 0; i < bufor.length; i += KAWALEK) czesci.push(String.fromCharCode.apply(null, bufor.subarray(i, i + KAWALEK)));
    return czesci.join('');
  }
}
