// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// Sending a message as Morse code: a tone, an on-screen lamp, the phone's
// torch and vibration, or a WAV file, all on the one time line that the
// module computes from the engine's notation, with the letter being sent
// marked in its field. Nothing here knows a Morse code.

export const SLOWA = { od: 5, do: 40 };  // words per minute
export const CZESTOTLIWOSC = { od: 400, do: 1000 };  // Hz
export const ZBOCZE = 0.005;  // s: a tone rises and falls this long, centred on its edge, so nothing clicks
const WYPRZEDZENIE = 0.01;  // s from "Nadaj" to the first edge, room for the first slice
const NAPRZOD = 1;  // s of sound scheduled ahead of the clock
const TAKT = 0.2;  // s between two looks at the time line, at most
const GLOSNOSC = 0.4;

// The plan on a clock: a unit is 1.2 s divided by the words per minute,
// so "PARIS " (50 units) lasts a minute's fraction of one word. The times
// stay in units until used, so that a long message costs nothing up front.
export function harmonogram(plan, slowa) {
  return { ...plan, jednostka: 1.2 / slowa, dlugosc: plan.dlugosc * 1.2 / slowa };
}

// Tone i of a plan, and letter i: [start, end] in seconds, and [start in
// seconds, first code unit, end code unit] in its field.
export const ton = ({ tony, jednostka }, i) => [tony[2 * i] * jednostka, (tony[2 * i] + tony[2 * i + 1]) * jednostka];
export const litera = ({ litery, jednostka }, i) => [litery[3 * i] * jednostka, litery[3 * i + 1], litery[3 * i + 1] + litery[3 * i + 2]];

// Schedules on a gain parameter the plan's tones from number `od` that
// start before `doCzasu`, the message starting at t0 (seconds of its
// context's clock). Returns the number of the first tone left for later.
export function zaplanujTony(wzmocnienie, plan, od, t0, doCzasu, glosnosc = GLOSNOSC) {
  let i = od;
  for (; 2 * i < plan.tony.length && t0 + ton(plan, i)[0] < doCzasu; i++) {
    const [poczatek, koniec] = ton(plan, i);
    wzmocnienie.setValueAtTime(0, t0 + poczatek - ZBOCZE / 2);
    wzmocnienie.linearRampToValueAtTime(glosnosc, t0 + poczatek + ZBOCZE / 2);
    wzmocnienie.setValueAtTime(glosnosc, t0 + koniec - ZBOCZE / 2);
    wzmocnienie.linearRampToValueAtTime(0, t0 + koniec + ZBOCZE / 2);
  }
  return i;
}

// A tone generator into the context's output, silent until scheduled.
export function generator(kontekst, czestotliwosc, t0) {
  const oscylator = new OscillatorNode(kontekst, { frequency: czestotliwosc });
  const wzmocnienie = new GainNode(kontekst, { gain: 0 });
  oscylator.connect(wzmocnienie).connect(kontekst.destination);
  oscylator.start(t0 - ZBOCZE);
  oscylator.addEventListener('ended', () => wzmocnienie.disconnect());
  return { oscylator, wzmocnienie };
}

const CZESTOSC_ZAPISU = 22050;  // Hz of a saved message: far above any pitch it may have
const CISZA_ZAPISU = 1;  // s of quiet before and after a saved message, for a receiver to settle on

// The plan as a WAV file, 16-bit mono, rendered offline by the same
// generator and schedule as "Nadaj", so that it sounds the same.
export async function nagranie(plan, czestotliwosc) {
  const dlugosc = Math.ceil((plan.dlugosc + 2 * CISZA_ZAPISU) * CZESTOSC_ZAPISU);
  const kontekst = new OfflineAudioContext(1, dlugosc, CZESTOSC_ZAPISU);
  zaplanujTony(generator(kontekst, czestotliwosc, CISZA_ZAPISU).wzmocnienie.gain, plan, 0, CISZA_ZAPISU, Infinity);
  return wav((await kontekst.startRendering()).getChannelData(0), CZESTOSC_ZAPISU);
}

// Samples (-1..1) as a WAV file: the RIFF header and 16-bit PCM, one channel.
function wav(probki, czestosc) {
  const dane = new DataView(new ArrayBuffer(44 + 2 * probki.length));
  const napis = (gdzie, tekst) => [...tekst].forEach((znak, i) => dane.setUint8(gdzie + i, znak.charCodeAt(0)));
  napis(0, 'RIFF');
  dane.setUint32(4, 36 + 2 * probki.length, true);
  napis(8, 'WAVEfmt ');
  for (const [gdzie, bajty, wartosc] of [[16, 4, 16], [20, 2, 1], [22, 2, 1], [24, 4, czestosc], [28, 4, 2 * czestosc],
    [32, 2, 2], [34, 2, 16], [40, 4, 2 * probki.length]]) {
    dane[bajty === 4 ? 'setUint32' : 'setUint16'](gdzie, wartosc, true);
  }
  napis(36, 'data');
  probki.forEach((x, i) => dane.setInt16(44 + 2 * i, Math.round(Math.max(-1, Math.min(1, x)) * 32767), true));
  return new Blob([dane], { type: 'audio/wav' });
}

// Hands a file to the browser's downloads.
function pobierz(plik, nazwa) {
  const odnosnik = Object.assign(document.createElement('a'), { href: URL.createObjectURL(plik), download: nazwa });
  odnosnik.click();
  setTimeout(() => URL.revokeObjectURL(odnosnik.href), 60000);
}

// Silences a generator at once: the gain falls within one edge and the
// tone stops.
export function wycisz({ oscylator, wzmocnienie }) {
  const teraz = wzmocnienie.context.currentTime;
  const { gain } = wzmocnienie;
  gain.cancelScheduledValues(0);
  gain.setValueAtTime(gain.value, teraz);
  gain.linearRampToValueAtTime(0, teraz + ZBOCZE);
  oscylator.stop(teraz + 2 * ZBOCZE);
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
// vibration and mark look at the same clock at each edge, behind it by
// the output's latency, so that they go with what is heard.
class Nadawanie {
  constructor(plan, { kontekst, czestotliwosc, lampa, latarka, wibracje, pole, koniec }) {
    Object.assign(this, { plan, kontekst, lampa, latarka, wibracje, pole, koniec });
    this.zegar = kontekst ? () => kontekst.currentTime : () => performance.now() / 1000;
    this.t0 = this.zegar() + WYPRZEDZENIE;
    this.opoznienie = kontekst ? (kontekst.baseLatency || 0) + (kontekst.outputLatency || 0) : 0;
    if (kontekst) this.dzwiek = generator(kontekst, czestotliwosc, this.t0);
    Object.assign(this, { nastepnyTon: 0, ton: 0, litera: -1, swieci: false, znacznik: null });
  }

  start() {
    this.#krok();
  }

  #krok() {
    const teraz = this.zegar() - this.t0 - this.opoznienie;
    const { plan } = this;
    const [liczbaTonow, liczbaLiter] = [plan.tony.length / 2, plan.litery.length / 3];
    if (this.dzwiek) {
      this.nastepnyTon = zaplanujTony(this.dzwiek.wzmocnienie.gain, plan, this.nastepnyTon, this.t0, this.zegar() + NAPRZOD);
    }
    while (this.ton < liczbaTonow && ton(plan, this.ton)[1] <= teraz) this.ton++;
    const biezacy = this.ton < liczbaTonow ? ton(plan, this.ton) : null;
    this.#swiec(biezacy !== null && biezacy[0] <= teraz, biezacy);
    let numer = this.litera;
    while (numer + 1 < liczbaLiter && litera(plan, numer + 1)[0] <= teraz) numer++;
    if (numer !== this.litera && numer >= 0) {
      // Laid out at the first letter, after the sound's first slice.
      this.znacznik ??= this.pole ? new Znacznik(this.pole) : null;
      this.znacznik?.pokaz(...litera(plan, numer).slice(1));
    }
    this.litera = numer;
    if (teraz >= plan.dlugosc) {
      this.zatrzymaj();
      this.koniec();
      return;
    }
    // Wake at the next edge: a tone's start or end, the next letter, the end.
    const krawedzie = [plan.dlugosc, teraz + TAKT];
    if (biezacy) krawedzie.push(biezacy[0] > teraz ? biezacy[0] : biezacy[1]);
    if (numer + 1 < liczbaLiter) krawedzie.push(litera(plan, numer + 1)[0]);
    this.budzik = setTimeout(() => this.#krok(), Math.max(0, (Math.min(...krawedzie) - teraz) * 1000));
  }

  #swiec(swieci, biezacy) {
    if (swieci === this.swieci) return;
    this.swieci = swieci;
    this.lampa?.classList.toggle('swieci', swieci);
    this.latarka?.applyConstraints({ advanced: [{ torch: swieci }] }).catch(() => {});
    if (this.wibracje) navigator.vibrate(swieci ? Math.round((biezacy[1] - (this.zegar() - this.t0 - this.opoznienie)) * 1000) : 0);
  }

  zatrzymaj() {
    clearTimeout(this.budzik);
    this.#swiec(false);
    this.znacznik?.usun();
    this.znacznik = null;
    if (this.dzwiek) wycisz(this.dzwiek);
  }
}

// A number of a field within its limits, written back as it is used.
export function liczba(pole, { od, do: doWartosci }) {
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

  // The audio context is made as "Nadaj" goes down under a finger or the
  // mouse, so that the press itself only starts the sound.
  const przygotujDzwiek = () => {
    if (wybor.dzwiek.checked) kontekst ??= new AudioContext({ latencyHint: 'interactive' });
  };
  el('Nadaj').addEventListener('pointerdown', przygotujDzwiek);
  el('Nadaj').addEventListener('click', () => {
    zatrzymaj('');
    const slowa = liczba(el('slowa'), SLOWA);
    const plan = harmonogram(modul.nadanie(pola[0].value, pola[1].value), slowa);
    if (plan.tony.length === 0) {
      stan.textContent = 'Nie ma czego nadać: wpisz tekst w pole górne.';
      return;
    }
    przygotujDzwiek();
    if (wybor.dzwiek.checked) kontekst.resume();
    const nadawanie = new Nadawanie(plan, {
      kontekst: wybor.dzwiek.checked ? kontekst : null,
      czestotliwosc: liczba(el('czestotliwosc'), CZESTOTLIWOSC),
      lampa: wybor.lampa.checked ? el('lampa') : null,
      latarka: wybor.latarka.checked ? latarka : null,
      wibracje: wybor.wibracje.checked,
      pole: pola[plan.znaczone],
      koniec: () => {
        biezace = null;
        stan.textContent = 'Nadano.';
      },
    });
    biezace = nadawanie;
    nadawanie.start();
    const sekundy = String(Math.round(plan.dlugosc * 10) / 10).replace('.', ',');
    stan.textContent = `Nadawanie ${plan.pole === 0 ? 'pola górnego' : 'pola dolnego'}: ${sekundy} s.`;
  });
  el('Zatrzymaj').addEventListener('click', () => zatrzymaj('Zatrzymano.'));
  el('ZapiszDzwiek').addEventListener('click', async () => {
    const plan = harmonogram(modul.nadanie(pola[0].value, pola[1].value), liczba(el('slowa'), SLOWA));
    if (plan.tony.length === 0) {
      stan.textContent = 'Nie ma czego zapisać: wpisz tekst w pole górne.';
      return;
    }
    stan.textContent = 'Zapisuję dźwięk.';
    try {
      pobierz(await nagranie(plan, liczba(el('czestotliwosc'), CZESTOTLIWOSC)), 'wirlok-nadanie.wav');
      stan.textContent = `Zapisano dźwięk ${plan.pole === 0 ? 'pola górnego' : 'pola dolnego'}: wirlok-nadanie.wav.`;
    } catch {
      stan.textContent = 'Nie udało się zapisać dźwięku: ta przeglądarka nie zmieściła go w pamięci.';
    }
  });
  for (const nazwa of modul.tabela.klikniecia) el(nazwa).addEventListener('click', () => zatrzymaj('Zatrzymano.'));
  addEventListener('pagehide', () => {
    zatrzymaj('');
    latarka?.stop();  // the camera is let go with the page
    latarka = null;
    wybor.latarka.checked = false;
  });
  addEventListener('resize', () => biezace?.znacznik?.dopasuj());

  // The module and these scripts compile a function on its first call:
  // an empty message, sent through once while the page is idle, saves the
  // first press that time.
  (globalThis.requestIdleCallback ?? setTimeout)(() => harmonogram(modul.nadanie('', 'e'), SLOWA.od));
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
