// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// Sending a message as Morse code: a tone, an on-screen lamp, the phone's
// torch and vibration, all on the one time line that the module computes
// from the engine's notation, with the letter being sent marked in its
// field. Nothing here knows a Morse code.

export const SLOWA = { od: 5, do: 40 };  // words per minute
export const CZESTOTLIWOSC = { od: 400, do: 1000 };  // Hz
const ZBOCZE = 0.005;  // s: a tone rises and falls this long, centred on its edge, so nothing clicks
const WYPRZEDZENIE = 0.02;  // s from "Nadaj" to the first edge, room for the first slice
const NAPRZOD = 1;  // s of sound scheduled ahead of the clock
const TAKT = 0.2;  // s between two looks at the time line, at most
const GLOSNOSC = 0.4;

// The plan's times in seconds: a unit is 1.2 s divided by the words per
// minute, so "PARIS " (50 units) lasts a minute's fraction of one word.
// Tones [start, end]; letters [start, first code unit, end code unit].
export function harmonogram(plan, slowa) {
  const jednostka = 1.2 / slowa;
  const tony = [];
  for (let i = 0; i < plan.tony.length; i += 2) {
    tony.push([plan.tony[i] * jednostka, (plan.tony[i] + plan.tony[i + 1]) * jednostka]);
  }
  const litery = [];
  for (let i = 0; i < plan.litery.length; i += 3) {
    litery.push([plan.litery[i] * jednostka, plan.litery[i + 1], plan.litery[i + 1] + plan.litery[i + 2]]);
  }
  return { pole: plan.pole, tony, litery, dlugosc: plan.dlugosc * jednostka };
}

// Schedules on a gain parameter the tones from index `od` that start before
// `doCzasu`, the message starting at t0 (seconds of its context's clock).
// Returns the index of the first tone left for later.
export function zaplanujTony(wzmocnienie, tony, od, t0, doCzasu) {
  let i = od;
  for (; i < tony.length && t0 + tony[i][0] < doCzasu; i++) {
    const [poczatek, koniec] = tony[i];
    wzmocnienie.setValueAtTime(0, t0 + poczatek - ZBOCZE / 2);
    wzmocnienie.linearRampToValueAtTime(GLOSNOSC, t0 + poczatek + ZBOCZE / 2);
    wzmocnienie.setValueAtTime(GLOSNOSC, t0 + koniec - ZBOCZE / 2);
    wzmocnienie.linearRampToValueAtTime(0, t0 + koniec + ZBOCZE / 2);
  }
  return i;
}

// A tone generator into the context's output, silent until scheduled.
export function generator(kontekst, czestotliwosc, t0) {
  const ton = new OscillatorNode(kontekst, { frequency: czestotliwosc });
  const wzmocnienie = new GainNode(kontekst, { gain: 0 });
  ton.connect(wzmocnienie).connect(kontekst.destination);
  ton.start(t0 - ZBOCZE);
  return { ton, wzmocnienie };
}

// The letter being sent, marked over its field: a copy of the field's text
// laid out as the field lays it out, invisible but for the letter, which
// a highlight shows. The field's own text is never touched.
class Znacznik {
  constructor(pole) {
    this.pole = pole;
    this.lustro = document.createElement('div');
    this.lustro.className = 'lustro';
    this.lustro.setAttribute('aria-hidden', 'true');
    this.tekst = document.createTextNode(pole.value);
    this.lustro.append(this.tekst);
    pole.after(this.lustro);
    this.dopasuj();
    this.przewin = () => this.#przewinLustro();
    pole.addEventListener('scroll', this.przewin);
    // An edit moves the letters: the mark would point at the wrong one.
    this.edycja = () => this.usun();
    pole.addEventListener('input', this.edycja);
  }

  // Over the field, in its font, padding and wrapping.
  dopasuj() {
    const styl = getComputedStyle(this.pole);
    for (const cecha of ['font', 'letterSpacing', 'lineHeight', 'whiteSpace', 'overflowWrap', 'wordBreak', 'tabSize',
      'textAlign', 'direction', 'paddingTop', 'paddingRight', 'paddingBottom', 'paddingLeft', 'borderTopWidth',
      'borderRightWidth', 'borderBottomWidth', 'borderLeftWidth', 'borderStyle', 'boxSizing']) {
      this.lustro.style[cecha] = styl[cecha];
    }
    const pole = this.pole;
    const pasek = pole.offsetWidth - pole.clientWidth - parseFloat(styl.borderLeftWidth) - parseFloat(styl.borderRightWidth);
    Object.assign(this.lustro.style, {
      left: `${pole.offsetLeft}px`, top: `${pole.offsetTop}px`, width: `${pole.offsetWidth - pasek}px`,
      height: `${pole.offsetHeight}px`, transform: styl.transform === 'none' ? '' : styl.transform,
    });
    this.#przewinLustro();
  }

  pokaz(od, doZnaku) {
    if (!this.lustro.isConnected || !globalThis.CSS?.highlights) return;
    const zakres = new Range();
    zakres.setStart(this.tekst, Math.min(od, this.tekst.length));
    zakres.setEnd(this.tekst, Math.min(doZnaku, this.tekst.length));
    CSS.highlights.set('nadawana', new Highlight(zakres));
    this.#pokazZakres(zakres);
  }

  // Scrolls the field so that the letter can be seen.
  #pokazZakres(zakres) {
    const litera = zakres.getBoundingClientRect();
    const lustro = this.lustro.getBoundingClientRect();
    const skala = lustro.width / this.lustro.offsetWidth || 1;
    const margines = 2 * litera.width;
    if (litera.left < lustro.left + margines || litera.right > lustro.right - margines) {
      this.pole.scrollLeft += (litera.left - (lustro.left + lustro.width / 2)) / skala;
    }
    if (litera.top < lustro.top || litera.bottom > lustro.bottom) {
      this.pole.scrollTop += (litera.top - (lustro.top + lustro.height / 3)) / skala;
    }
    this.#przewinLustro();
  }

  #przewinLustro() {
    this.lustro.scrollLeft = this.pole.scrollLeft;
    this.lustro.scrollTop = this.pole.scrollTop;
  }

  usun() {
    globalThis.CSS?.highlights?.delete('nadawana');
    this.pole.removeEventListener('scroll', this.przewin);
    this.pole.removeEventListener('input', this.edycja);
    this.lustro.remove();
  }
}

// One sending of a message, from start() to its end or zatrzymaj().
// Sound is scheduled on the audio clock a slice ahead; the lamp, torch,
// vibration and mark look at the same clock at each edge.
class Nadawanie {
  constructor(plan, { kontekst, czestotliwosc, lampa, latarka, wibracje, pole, koniec }) {
    Object.assign(this, { plan, kontekst, lampa, latarka, wibracje, koniec });
    this.zegar = kontekst ? () => kontekst.currentTime : () => performance.now() / 1000;
    this.t0 = this.zegar() + WYPRZEDZENIE;
    if (kontekst) this.dzwiek = generator(kontekst, czestotliwosc, this.t0);
    this.znacznik = pole && plan.litery.length ? new Znacznik(pole) : null;
    Object.assign(this, { nastepnyTon: 0, ton: 0, litera: -1, swieci: false });
  }

  start() {
    this.#krok();
  }

  #krok() {
    const teraz = this.zegar() - this.t0;
    const { tony, litery, dlugosc } = this.plan;
    if (this.dzwiek) {
      this.nastepnyTon = zaplanujTony(this.dzwiek.wzmocnienie.gain, tony, this.nastepnyTon, this.t0, this.zegar() + NAPRZOD);
    }
    while (this.ton < tony.length && tony[this.ton][1] <= teraz) this.ton++;
    const ton = tony[this.ton];
    this.#swiec(ton !== undefined && ton[0] <= teraz, ton);
    let litera = this.litera;
    while (litera + 1 < litery.length && litery[litera + 1][0] <= teraz) litera++;
    if (litera !== this.litera && litera >= 0) this.znacznik?.pokaz(litery[litera][1], litery[litera][2]);
    this.litera = litera;
    if (teraz >= dlugosc) {
      this.#zakoncz();
      this.koniec(true);
      return;
    }
    // Wake at the next edge: a tone's start or end, the next letter, the end.
    const krawedzie = [dlugosc, teraz + TAKT];
    if (ton) krawedzie.push(ton[0] > teraz ? ton[0] : ton[1]);
    if (litera + 1 < litery.length) krawedzie.push(litery[litera + 1][0]);
    this.budzik = setTimeout(() => this.#krok(), Math.max(0, (Math.min(...krawedzie) - teraz) * 1000));
  }

  #swiec(swieci, ton) {
    if (swieci === this.swieci) return;
    this.swieci = swieci;
    this.lampa?.classList.toggle('swieci', swieci);
    this.latarka?.applyConstraints({ advanced: [{ torch: swieci }] }).catch(() => {});
    if (this.wibracje) navigator.vibrate(swieci ? Math.round((ton[1] - (this.zegar() - this.t0)) * 1000) : 0);
  }

  #zakoncz() {
    clearTimeout(this.budzik);
    this.#swiec(false);
    this.znacznik?.usun();
    this.znacznik = null;
  }

  // Silent at once: the gain falls within one edge and the tone stops.
  zatrzymaj() {
    this.#zakoncz();
    if (!this.dzwiek) return;
    const teraz = this.kontekst.currentTime;
    const { gain } = this.dzwiek.wzmocnienie;
    gain.cancelScheduledValues(0);
    gain.setValueAtTime(gain.value, teraz);
    gain.linearRampToValueAtTime(0, teraz + ZBOCZE);
    this.dzwiek.ton.stop(teraz + 2 * ZBOCZE);
  }
}

// A number of a field within its limits, written back as it is used.
function liczba(pole, { od, do: doWartosci }) {
  const wartosc = Math.min(doWartosci, Math.max(od, Math.round(Number(pole.value)) || Number(pole.defaultValue)));
  pole.value = wartosc;
  return wartosc;
}

// The torch of the camera that faces away, asked for only when chosen.
async function wlaczLatarke() {
  const strumien = await navigator.mediaDevices.getUserMedia({ video: { facingMode: 'environment' } });
  const [sciezka] = strumien.getVideoTracks();
  if (!sciezka?.getCapabilities?.().torch) {
    strumien.getTracks().forEach((s) => s.stop());
    throw new Error('brak latarki');
  }
  return sciezka;
}

const POWODY = {
  latarka: 'niedostępna: ta przeglądarka nie steruje latarką telefonu',
  bezAparatu: 'niedostępna: to urządzenie nie ma aparatu z latarką',
  bezLatarki: 'niedostępna: aparat tego urządzenia nie ma latarki dostępnej dla przeglądarki',
  wibracje: 'niedostępne: to urządzenie lub ta przeglądarka nie wibruje',
};

// A choice that cannot be made here: off, disabled, and saying why.
function niedostepny(wybor, powod) {
  wybor.checked = false;
  wybor.disabled = true;
  document.getElementById(wybor.getAttribute('aria-describedby')).textContent = powod;
}

// Wires the sending panel and the copy and share buttons to the module and
// the window's fields. Any of the window's commands stops the sending.
export function podlaczNadawanie(modul) {
  const el = (id) => document.getElementById(id);
  const pola = [el('a'), el('b')];
  const stan = el('stanNadawania');
  const wybor = { dzwiek: el('przezDzwiek'), lampa: el('przezLampe'), latarka: el('przezLatarke'), wibracje: el('przezWibracje') };
  let kontekst = null;
  let latarka = null;
  let biezace = null;

  if (matchMedia('(prefers-reduced-motion: reduce)').matches) wybor.lampa.checked = false;
  if (!navigator.mediaDevices?.getSupportedConstraints?.().torch) {
    niedostepny(wybor.latarka, POWODY.latarka);
  } else {
    navigator.mediaDevices.enumerateDevices().then((urzadzenia) => {
      if (!urzadzenia.some((u) => u.kind === 'videoinput')) niedostepny(wybor.latarka, POWODY.bezAparatu);
    });
  }
  if (!('vibrate' in navigator) || !matchMedia('(any-pointer: coarse)').matches) niedostepny(wybor.wibracje, POWODY.wibracje);
  wybor.latarka.addEventListener('change', async () => {
    if (!wybor.latarka.checked) {
      latarka?.stop();
      latarka = null;
      return;
    }
    try {
      latarka = await wlaczLatarke();
    } catch {
      niedostepny(wybor.latarka, POWODY.bezLatarki);
    }
  });

  const zatrzymaj = (komunikat) => {
    if (!biezace) return;
    biezace.zatrzymaj();
    biezace = null;
    stan.textContent = komunikat;
  };

  el('Nadaj').addEventListener('click', () => {
    zatrzymaj('');
    const slowa = liczba(el('slowa'), SLOWA);
    const plan = harmonogram(modul.nadanie(pola[0].value, pola[1].value), slowa);
    if (plan.tony.length === 0) {
      stan.textContent = 'Nie ma czego nadać: wpisz tekst w pole górne.';
      return;
    }
    if (wybor.dzwiek.checked) {
      kontekst ??= new AudioContext({ latencyHint: 'interactive' });
      kontekst.resume();
    }
    const nadawanie = new Nadawanie(plan, {
      kontekst: wybor.dzwiek.checked ? kontekst : null,
      czestotliwosc: liczba(el('czestotliwosc'), CZESTOTLIWOSC),
      lampa: wybor.lampa.checked ? el('lampa') : null,
      latarka: wybor.latarka.checked ? latarka : null,
      wibracje: wybor.wibracje.checked,
      pole: pola[plan.pole],
      koniec: () => {
        biezace = null;
        stan.textContent = 'Nadano.';
      },
    });
    biezace = nadawanie;
    const sekundy = plan.dlugosc.toLocaleString('pl', { maximumFractionDigits: 1 });
    stan.textContent = `Nadawanie ${plan.pole === 0 ? 'pola górnego' : 'pola dolnego'}: ${sekundy} s.`;
    nadawanie.start();
  });
  el('Zatrzymaj').addEventListener('click', () => zatrzymaj('Zatrzymano.'));
  for (const nazwa of modul.tabela.klikniecia) el(nazwa).addEventListener('click', () => zatrzymaj('Zatrzymano.'));
  addEventListener('pagehide', () => zatrzymaj(''));
  addEventListener('resize', () => biezace?.znacznik?.dopasuj());

  podlaczKopiowanie(pola, stan);
}

// "1 znak", "2 znaki", "5 znaków", "22 znaki".
function znaki(ile) {
  const reszta = ile % 100;
  const slowo = ile === 1 ? 'znak' : ile % 10 >= 2 && ile % 10 <= 4 && (reszta < 12 || reszta > 14) ? 'znaki' : 'znaków';
  return `${ile.toLocaleString('pl')} ${slowo}`;
}

// "Kopiuj" puts a field's whole text on the clipboard; "Udostępnij" hands
// the lower field's text to the system's share sheet, where there is one.
function podlaczKopiowanie(pola, stan) {
  const nazwy = ['pole górne', 'pole dolne'];
  pola.forEach((pole, i) => {
    document.getElementById(`Kopiuj${pole.id}`).addEventListener('click', async () => {
      try {
        await navigator.clipboard.writeText(pole.value);
        stan.textContent = `Skopiowano ${nazwy[i]}: ${znaki(pole.value.length)}.`;
      } catch {
        stan.textContent = 'Nie udało się skopiować: przeglądarka nie dała dostępu do schowka.';
      }
    });
  });
  if (!navigator.share) return;
  const udostepnij = document.createElement('button');
  Object.assign(udostepnij, { type: 'button', id: 'Udostepnij', textContent: 'Udostępnij' });
  udostepnij.setAttribute('aria-label', 'Udostępnij pole dolne');
  document.getElementById('Kopiujb').nextElementSibling.after(udostepnij);
  udostepnij.addEventListener('click', async () => {
    try {
      await navigator.share({ text: pola[1].value });
      stan.textContent = 'Udostępniono pole dolne.';
    } catch (blad) {
      if (blad.name !== 'AbortError') stan.textContent = 'Nie udało się udostępnić pola dolnego.';
    }
  });
}
