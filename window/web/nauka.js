// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The learning view: lessons by ear, a letter more each, and sending
// practice on a key of its own. The module keeps the course, chooses and
// plans the groups, scores what was typed and judges the hand; this page
// plays the plans on the audio clock as "Nadaj" does, shows the results
// and stores the course in the browser. Nothing here knows a Morse code.

import { CZESTOTLIWOSC, ZBOCZE, generator, harmonogram, liczba, wycisz, zaplanujTony } from './nadawanie.js';
import { podlaczKlucz, sygnal } from './odbieranie.js';
import { wykresReki, wykresTrafnosci } from './nauka_wykresy.js';

const ZAPIS = 'wirlok-nauka';  // the course, as the module writes it
const ZAPIS_USTAWIEN = 'wirlok-nauka-ustawienia';
const CISZA = 1;  // s of quiet before a lesson's groups
const WYPRZEDZENIE = 0.05;  // s from "Posłuchaj" to its first edge
const NAPRZOD = 1;  // s of sound scheduled ahead of the clock
const TAKT = 500;  // ms between two looks at a plan while it plays
const KONIEC_PROBY = 2000;  // ms of the key up that end a sending attempt
const NADMIAR = 2;  // what may be typed: this many times what was sent, and a group more
const KOD = { '.': '·', '-': '−' };
const KOD_SLOWNIE = { '.': 'kropka', '-': 'kreska' };

// The browser's storage, which may be refused: the course then lasts the visit.
const pamiec = {
  czytaj(klucz) {
    try {
      return localStorage.getItem(klucz);
    } catch {
      return null;
    }
  },
  pisz(klucz, wartosc) {
    try {
      localStorage.setItem(klucz, wartosc);
    } catch { /* as above */ }
  },
};

const ziarno = () => crypto.getRandomValues(new Uint32Array(1))[0] >>> 1;
const jedenPrzecinek = (x) => x.toLocaleString('pl', { minimumFractionDigits: 1, maximumFractionDigits: 1 });
const wielkie = (litery) => [...litery.toUpperCase()].join(' ');

// A plan (in units, at its letters' speed) played on a context from
// `opoznienie` s on, scheduled a second ahead; koniec() as it has sounded.
class Odtwarzanie {
  constructor(kontekst, plan, czestotliwosc, opoznienie, koniec) {
    Object.assign(this, { kontekst, plan, koniec, nastepny: 0, t0: kontekst.currentTime + opoznienie });
    this.dzwiek = generator(kontekst, czestotliwosc, this.t0);
    this.#krok();
  }

  #krok() {
    const { kontekst, plan, t0 } = this;
    this.nastepny = zaplanujTony(this.dzwiek.wzmocnienie.gain, plan, this.nastepny, t0, kontekst.currentTime + NAPRZOD);
    const zostalo = t0 + plan.dlugosc - kontekst.currentTime;
    if (zostalo <= 0) {
      this.dzwiek.oscylator.stop(kontekst.currentTime + ZBOCZE);
      this.koniec();
      return;
    }
    this.budzik = setTimeout(() => this.#krok(), Math.min(TAKT, zostalo * 1000 + ZBOCZE * 1000));
  }

  zatrzymaj() {
    clearTimeout(this.budzik);
    wycisz(this.dzwiek);
  }
}

// An attempt on the practice key: [mark, space, ..., mark] in seconds from
// the events' times; KONIEC_PROBY after the key last came up, koniec().
class Proba {
  czasy = [];
  #wcisniety = null;
  #puszczony = null;
  #zegar = 0;

  constructor(sygnal, koniec) {
    Object.assign(this, { sygnal, koniec });
  }

  get wcisniety() {
    return this.#wcisniety !== null;
  }

  wcisnij(ms) {
    if (this.#wcisniety !== null) return;
    clearTimeout(this.#zegar);
    if (this.#puszczony !== null) this.czasy.push(Math.max(0, ms - this.#puszczony) / 1000);
    this.#wcisniety = ms;
    this.sygnal(true);
  }

  pusc(ms) {
    if (this.#wcisniety === null) return;
    this.czasy.push(Math.max(0, ms - this.#wcisniety) / 1000);
    this.#wcisniety = null;
    this.#puszczony = ms;
    this.sygnal(false);
    this.#zegar = setTimeout(() => this.koniec(), KONIEC_PROBY);
  }

  // Lets the key go where it is held, and ends the attempt now.
  zakoncz() {
    this.pusc(performance.now());
    clearTimeout(this.#zegar);
    this.koniec();
  }

  odNowa() {
    clearTimeout(this.#zegar);
    if (this.#wcisniety !== null) this.sygnal(false);
    this.czasy = [];
    this.#wcisniety = null;
    this.#puszczony = null;
  }
}

// The aligned letters as columns, what was sent over what was typed, a
// group each block; a wrong, missed or extra letter underlined and bold,
// a letter that is not there an underscore. For a screen reader, the count.
function porownanie(kontener, znaki) {
  const bloki = [];
  let blok = null;
  const liczby = { dobrze: 0, zle: 0, brak: 0, nadmiar: 0 };
  for (const { wyslana, wpisana, stan } of znaki) {
    if (wyslana === ' ' && stan === 'dobrze') {
      blok = null;
      continue;
    }
    if (wyslana !== ' ') liczby[stan]++;
    if (!blok) bloki.push(blok = Object.assign(document.createElement('span'), { className: 'grupa' }));
    const kolumna = Object.assign(document.createElement('span'), { className: stan === 'dobrze' ? 'znak' : 'znak pomylka' });
    for (const litera of [stan === 'nadmiar' ? '_' : wyslana, stan === 'brak' ? '_' : wpisana]) {
      kolumna.append(Object.assign(document.createElement('span'), { textContent: (litera || '_').toUpperCase() }));
    }
    blok.append(kolumna);
  }
  const siatka = Object.assign(document.createElement('div'), { className: 'siatka' });
  siatka.setAttribute('aria-hidden', 'true');
  siatka.append(...bloki);
  const wyslane = liczby.dobrze + liczby.zle + liczby.brak;
  const podsumowanie = `Dobrze ${liczby.dobrze} z ${wyslane} nadanych liter; źle ${liczby.zle}, brakuje ${liczby.brak}, `
    + `nadmiarowych ${liczby.nadmiar}.`;
  kontener.replaceChildren(
    Object.assign(document.createElement('p'), { textContent: 'Nadane nad wpisanymi; błędy podkreślone, „_” to brak litery.' }),
    siatka, Object.assign(document.createElement('p'), { textContent: podsumowanie }));
  kontener.hidden = false;
}

// A gap or a dash in dots against its ideal, with its spread.
function proporcja(wartosc, wzor) {
  if (!wartosc) return 'nie było';
  return `${jedenPrzecinek(wartosc.dotow)} kropki (wzór ${wzor}), rozrzut ${Math.round(wartosc.rozrzut * 100)} %`;
}

// What the module made of an attempt: read against asked, the figures,
// the advice and the timing chart.
function ocenaReki(el, zadane, w) {
  const odczytane = w.odczytane ? wielkie(w.odczytane) : '(nic)';
  el('odczytane').textContent = `Zadane: ${wielkie(zadane)}. Odczytane: ${odczytane}. `
    + (w.zgodne ? 'Zgodne.' : 'Inne niż zadane.');
  const kropka = w.kropkaMs ? `${Math.round(w.kropkaMs)} ms, ${jedenPrzecinek(w.slowa)} słów na minutę` : 'nie było';
  const wiersze = [['Kropka', kropka], ['Kreska', proporcja(w.kreska, 3)], ['W literze', proporcja(w.wLiterze, 1)],
    ['Między literami', proporcja(w.miedzyLiterami, 3)], ['Między słowami', proporcja(w.miedzySlowami, 7)]];
  el('liczbyReki').replaceChildren(...wiersze.flatMap(([nazwa, opis]) => [
    Object.assign(document.createElement('dt'), { textContent: nazwa }),
    Object.assign(document.createElement('dd'), { textContent: opis })]));
  const zmierzone = w.kreska || w.wLiterze || w.miedzyLiterami;
  const porady = w.porady.length ? w.porady : [zmierzone ? 'Rytm w normie: każda proporcja w granicach 15 % wzoru.'
    : 'Za mało kropek i kresek, by ocenić rytm: nadaj całą grupę.'];
  el('porady').replaceChildren(...porady.map((porada) => Object.assign(document.createElement('li'), { textContent: porada })));
  el('wykresReki').replaceChildren(wykresReki(w.wykres));
  el('ocenaReki').hidden = false;
}

// Wires the "Nauka" control and the view to the module. The course is
// loaded as the view first opens; the sound stops as it closes or the
// page is hidden, and the audio context sleeps whenever nothing plays.
export function podlaczNauke(modul) {
  const el = (id) => document.getElementById(id);
  const [widok, przelacznik, stanLekcji, wynik, odebrane] = ['widokNauki', 'Nauka', 'stanLekcji', 'wynikLekcji', 'odebrane'].map(el);
  const pola = { tempoZnakow: el('tempoZnakow'), tempoEfektywne: el('tempoEfektywne'), minuty: el('czasLekcji') };
  let kontekst = null;
  let stan = null;  // the module's state of the course
  let odtwarzanie = null;  // what plays now
  let lekcja = null;  // the latest run: { gra, przerwana }

  const dajKontekst = () => (kontekst ??= new AudioContext({ latencyHint: 'interactive' }));
  // Past the last edge, with nothing playing and the key up, the context
  // sleeps: an idle one would still take the processor's time.
  const uspij = () => setTimeout(() => {
    if (!odtwarzanie && !proba.wcisniety) kontekst?.suspend();
  }, 4 * ZBOCZE * 1000);

  const pokazStan = (nowy) => {
    stan = nowy;
    pamiec.pisz(ZAPIS, stan.zapis);
    el('lekcja').textContent = `Lekcja ${stan.lekcja}`;
    el('literyLekcji').textContent = wielkie(stan.litery);
    el('nowaLitera').textContent = stan.nowa.toUpperCase();
    el('kodNowej').textContent = [...stan.kodNowej].map((z) => KOD[z]).join('');
    el('kodNowejSlownie').textContent = [...stan.kodNowej].map((z) => KOD_SLOWNIE[z]).join(' ');
    el('trafnosc').replaceChildren(wykresTrafnosci(stan.trafnosc));
  };

  // The settings as the module corrects them, written back and kept.
  const ustawienia = (zapisane) => {
    const wartosci = zapisane ?? Object.fromEntries(Object.entries(pola).map(([nazwa, pole]) => [nazwa, pole.valueAsNumber]));
    const u = modul.naukaUstawienia(wartosci.tempoZnakow, wartosci.tempoEfektywne, wartosci.minuty);
    for (const [nazwa, pole] of Object.entries(pola)) pole.value = u[nazwa];
    pola.tempoEfektywne.max = u.tempoZnakow;
    pamiec.pisz(ZAPIS_USTAWIEN, JSON.stringify(u));
    return u;
  };

  for (const pole of Object.values(pola)) pole.addEventListener('change', () => ustawienia());

  const zatrzymaj = () => {
    odtwarzanie?.zatrzymaj();
    odtwarzanie = null;
    if (lekcja?.gra) {
      Object.assign(lekcja, { gra: false, przerwana: true });
      stanLekcji.textContent = 'Lekcja przerwana, bez oceny. Naciśnij „Zacznij”, aby usłyszeć nowe grupy.';
    }
    uspij();
  };

  const odtwarzaj = (plan, opoznienie, koniec) => {
    const teraz = dajKontekst();
    teraz.resume();
    odtwarzanie = new Odtwarzanie(teraz, plan, liczba(el('czestotliwosc'), CZESTOTLIWOSC), opoznienie, () => {
      odtwarzanie = null;
      koniec();
      uspij();
    });
  };

  const wczytaj = () => {
    let zapisane = null;
    try {
      zapisane = JSON.parse(pamiec.czytaj(ZAPIS_USTAWIEN));
    } catch { /* damaged: the defaults */ }
    ustawienia(typeof zapisane === 'object' && zapisane !== null ? zapisane : { tempoZnakow: NaN, tempoEfektywne: NaN, minuty: NaN });
    const wczytany = modul.naukaWczytaj(pamiec.czytaj(ZAPIS));
    el('naukaKomunikat').textContent = wczytany.komunikat;
    el('naukaKomunikat').hidden = !wczytany.komunikat;
    pokazStan(wczytany);
  };

  const zamknij = () => {
    zatrzymaj();
    proba.odNowa();
    widok.hidden = true;
    przelacznik.ariaExpanded = 'false';
  };

  przelacznik.addEventListener('click', () => {
    if (!widok.hidden) {
      zamknij();
      return;
    }
    if (!stan) wczytaj();
    widok.hidden = false;
    przelacznik.ariaExpanded = 'true';
    el('lekcja').focus();
  });
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden) return;
    zatrzymaj();
    proba.zakoncz();
  });

  el('Posluchaj').addEventListener('click', () => {
    zatrzymaj();
    const { tempoZnakow } = ustawienia();
    odtwarzaj(harmonogram(modul.naukaPosluchaj(tempoZnakow), tempoZnakow), WYPRZEDZENIE, () => {});
  });

  el('Zacznij').addEventListener('click', () => {
    zatrzymaj();
    const u = ustawienia();
    const plan = harmonogram(modul.naukaGrupy(u.tempoZnakow, u.tempoEfektywne, u.minuty, ziarno()), u.tempoZnakow);
    const biezaca = { gra: true, przerwana: false };
    lekcja = biezaca;
    Object.assign(odebrane, { value: '', maxLength: NADMIAR * plan.tekst.length + 6 });
    wynik.textContent = '';
    el('porownanie').hidden = true;
    stanLekcji.textContent = 'Za sekundę grupy liter: wpisuj w pole „Odebrane”, co słychać.';
    odtwarzaj(plan, CISZA, () => {
      biezaca.gra = false;
      stanLekcji.textContent = 'Koniec grup. Dokończ wpisywanie i naciśnij „Sprawdź”.';
    });
    odebrane.focus();
  });

  const sprawdz = () => {
    if (!lekcja) {
      stanLekcji.textContent = 'Najpierw naciśnij „Zacznij” i wpisuj, co słychać.';
      return;
    }
    if (lekcja.gra || lekcja.przerwana) {
      stanLekcji.textContent = lekcja.gra ? 'Grupy jeszcze trwają: sprawdź po ich końcu.'
        : 'Przerwanej lekcji się nie ocenia. Naciśnij „Zacznij”, aby usłyszeć nowe grupy.';
      return;
    }
    if (!odebrane.value.trim()) {
      stanLekcji.textContent = 'Pole „Odebrane” jest puste: wpisz, co było słychać, i naciśnij „Sprawdź”.';
      return;
    }
    const w = modul.naukaSprawdz(odebrane.value);
    if (!w.ocenione) {
      stanLekcji.textContent = 'Ta lekcja jest już sprawdzona. Naciśnij „Zacznij”, aby usłyszeć nowe grupy.';
      return;
    }
    wynik.textContent = `Wynik: ${w.procent} %`;
    porownanie(el('porownanie'), w.znaki);
    pokazStan(w.stan);
    if (w.nastepna) stanLekcji.textContent = `Otwarta lekcja ${stan.lekcja}: ${wielkie(stan.litery)}.`;
    else if (w.procent >= 90) stanLekcji.textContent = 'To ostatnia lekcja: znasz już wszystkie litery.';
    else stanLekcji.textContent = 'Do następnej lekcji potrzeba 90 %. Naciśnij „Zacznij” i spróbuj jeszcze raz.';
  };
  el('Sprawdz').addEventListener('click', sprawdz);
  odebrane.addEventListener('keydown', (zdarzenie) => {
    if (zdarzenie.key !== 'Enter' || zdarzenie.isComposing) return;
    zdarzenie.preventDefault();
    sprawdz();
  });

  el('OdNowa').addEventListener('click', () => {
    if (!confirm('Zacząć naukę od nowa? Osiągnięta lekcja i trafność liter zostaną usunięte.')) return;
    zatrzymaj();
    lekcja = null;
    pokazStan(modul.naukaOdNowa());
    odebrane.value = '';
    wynik.textContent = '';
    el('porownanie').hidden = true;
    el('naukaKomunikat').hidden = true;
    stanLekcji.textContent = 'Nauka zaczęta od nowa: lekcja 1.';
  });

  // Sending practice: a group to key, the attempt judged as it ends.
  let zadane = '';
  const stanCwiczenia = el('stanCwiczenia');
  const proba = new Proba(sygnal(el('KluczCwiczen'), el('lampaCwiczen'), dajKontekst), () => {
    const { czasy } = proba;
    proba.odNowa();
    uspij();
    if (!zadane || czasy.length === 0) return;
    ocenaReki(el, zadane, modul.naukaReka(zadane, czasy));
    stanCwiczenia.textContent = 'Oceniono. Nadaj grupę jeszcze raz albo weź nową: „Ćwicz nadawanie”.';
  });
  podlaczKlucz(el('KluczCwiczen'), proba);
  el('Gotowe').addEventListener('click', () => proba.zakoncz());
  el('CwiczNadawanie').addEventListener('click', () => {
    zatrzymaj();
    proba.odNowa();
    zadane = modul.naukaGrupaDoNadania(ziarno()).tekst;
    el('doNadania').textContent = wielkie(zadane);
    el('ocenaReki').hidden = true;
    el('cwiczenie').hidden = false;
    stanCwiczenia.textContent = `Do nadania: ${wielkie(zadane)}. Po dwóch sekundach przerwy klucz oceni rytm.`;
    el('KluczCwiczen').focus();
  });
}
