// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The page listens and watches: the microphone ("Słuchaj"), a recording
// ("Odbierz z nagrania") and the camera ("Patrz"). Samples and frames go to
// the module's tone and light detectors as they come; what the source's
// receiver makes of them is written into a field as the keypad writes. No
// signal processing lives here.

const MIKROFON = 1;
const APARAT = 2;
const NAGRANIE = 3;
const CZESTOSC_NAGRANIA = 16000;  // Hz a recording is decoded at: room above any whistle, little work
const KAWALEK = 4096;  // samples of a recording per call into the module
const NA_RAZ = 25;  // ms of a recording's work before the page gets its turn
const CISZA_NA_KONCU = 0.5;  // s of quiet after a recording, so that a tone cut off at its end closes
const SZEROKOSC_KLATKI = 160;  // px a frame is scaled down to: the light's place needs no more
const TAKT_STANU = 1000;  // ms between two updates of the status line, so that a screen reader keeps up

// The status line: a part for each source, shown together. A start, a stop
// or a fault shows at once, and takes away what other sources said as they
// stopped; what a detector follows shows at most once a second.
class Stan {
  constructor(element) {
    Object.assign(this, { element, czesci: new Map(), koncowe: new Set(), zegar: 0, ostatnio: 0 });
  }

  pokaz(zrodlo, tekst) {
    for (const inne of this.koncowe) this.czesci.delete(inne);
    this.koncowe.clear();
    this.czesci.set(zrodlo, tekst);
    this.#wypisz();
  }

  zakoncz(zrodlo, tekst) {
    this.pokaz(zrodlo, tekst);
    this.koncowe.add(zrodlo);
  }

  sledz(zrodlo, tekst) {
    this.czesci.set(zrodlo, tekst);
    this.zegar ||= setTimeout(() => this.#wypisz(), Math.max(0, this.ostatnio + TAKT_STANU - performance.now()));
  }

  #wypisz() {
    clearTimeout(this.zegar);
    this.zegar = 0;
    this.ostatnio = performance.now();
    const tekst = [...this.czesci.values()].filter(Boolean).join(' ');
    if (this.element.textContent !== tekst) this.element.textContent = tekst;
  }
}

// Why a microphone or a camera could not be had, in the words of the device.
function opisBledu(blad, { dopelniacz, przycisk }) {
  switch (blad?.name) {
    case 'NotAllowedError':
    case 'SecurityError':
      return `Brak zgody na użycie ${dopelniacz}: zezwól na nie tej stronie w ustawieniach przeglądarki i naciśnij „${przycisk}” jeszcze raz.`;
    case 'NotFoundError':
    case 'OverconstrainedError':
      return `Nie znaleziono ${dopelniacz}: to urządzenie go nie ma albo jest wyłączony.`;
    case 'NotReadableError':
    case 'AbortError':
      return `Nie można użyć ${dopelniacz}: zajmuje go inny program albo system go nie udostępnia.`;
    default:
      return `Nie można użyć ${dopelniacz}: ta przeglądarka go tu nie udostępnia.`;
  }
}

const liczba = (x) => Math.round(x).toLocaleString('pl');

function opisTonu({ zlapany, czestotliwosc, slowa, poziom }) {
  if (!zlapany) return 'Słucham: nie słychać tonu Morse\'a.';
  const tempo = slowa > 0 ? `, ${liczba(slowa)} słów na minutę` : '';
  return `Słychać ton ${liczba(czestotliwosc)} Hz${tempo}, poziom ${liczba(poziom)} dB.`;
}

function opisSwiatla({ zlapany, slowa }) {
  if (!zlapany) return 'Patrzę: nie widać migającego światła. Stuknij podgląd tam, gdzie miga.';
  return `Widać światło${slowa > 0 ? `, ${liczba(slowa)} słów na minutę` : ''}.`;
}

// One capture turned on and off by a toggle button. `uruchom` acquires its
// devices, pushing how to let each go onto `porzadki`, and calls `przerwij`
// when a device is taken away; all of it is let go on a stop, on a failure
// and when the page is hidden.
class Przelacznik {
  constructor(przycisk, stan, zrodlo, urzadzenie, uruchom) {
    Object.assign(this, { przycisk, stan, zrodlo, urzadzenie, uruchom, proba: 0, porzadki: null });
    przycisk.addEventListener('click', () => (this.porzadki ? this.zatrzymaj('') : this.wlacz()));
  }

  async wlacz() {
    const proba = ++this.proba;
    const porzadki = [];
    this.porzadki = porzadki;
    this.przycisk.setAttribute('aria-pressed', 'true');
    try {
      await this.uruchom(porzadki, (komunikat) => proba === this.proba && this.zatrzymaj(komunikat));
      if (proba !== this.proba) this.#puscic(porzadki);  // stopped while starting
    } catch (blad) {
      this.#puscic(porzadki);
      if (proba === this.proba) this.zatrzymaj(opisBledu(blad, this.urzadzenie));
    }
  }

  zatrzymaj(komunikat) {
    this.proba++;
    if (this.porzadki) this.#puscic(this.porzadki);
    this.porzadki = null;
    this.przycisk.setAttribute('aria-pressed', 'false');
    this.stan.zakoncz(this.zrodlo, komunikat);
  }

  // Each step on its own, so that a fault in one cannot keep a device.
  #puscic(porzadki) {
    while (porzadki.length) {
      try {
        porzadki.pop()();
      } catch (blad) {
        reportError(blad);
      }
    }
  }
}

// The microphone, raw: echo cancelling, noise suppression and gain control
// smear a keyed tone. Its samples come in batches from the worklet.
async function sluchaj({ modul, odbior, stan }, porzadki, przerwij) {
  // Made while the press lasts, which a browser may require of sound; the
  // worklet loads while the microphone is asked for.
  const kontekst = new AudioContext();
  porzadki.push(() => kontekst.close());
  const worklet = kontekst.audioWorklet.addModule('probki.js');
  worklet.catch(() => {});  // a refused microphone is the fault to tell
  const strumien = await navigator.mediaDevices.getUserMedia(
    { audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false } });
  porzadki.push(() => strumien.getTracks().forEach((sciezka) => sciezka.stop()));
  strumien.getAudioTracks()[0].addEventListener('ended', () => przerwij('Mikrofon został odłączony: słuchanie przerwane.'));
  await worklet;
  modul.dzwiekOdNowa(MIKROFON);
  const probki = new AudioWorkletNode(kontekst, 'probki', { channelCount: 1, channelCountMode: 'explicit' });
  probki.port.onmessage = ({ data }) => {
    modul.dzwiek(MIKROFON, data, kontekst.sampleRate);
    odbior.wpisz(MIKROFON);
    stan.sledz(MIKROFON, opisTonu(modul.dzwiekStan(MIKROFON)));
  };
  // Pulled by the output, which stays silent: the worklet writes nothing there.
  new MediaStreamAudioSourceNode(kontekst, { mediaStream: strumien }).connect(probki).connect(kontekst.destination);
  porzadki.push(() => {
    probki.port.onmessage = null;
    modul.koniec(MIKROFON);
    odbior.wpisz(MIKROFON);
  });
  await kontekst.resume();
  stan.pokaz(MIKROFON, 'Słucham.');
}

// The camera facing away, its frames scaled down, their brightness to the
// module with the time each was taken; the preview marks the light followed.
async function patrz({ modul, odbior, stan, podglad, wideo, swiatlo }, porzadki, przerwij) {
  const strumien = await navigator.mediaDevices.getUserMedia(
    { video: { facingMode: 'environment', width: { ideal: 640 }, height: { ideal: 480 } } });
  porzadki.push(() => strumien.getTracks().forEach((sciezka) => sciezka.stop()));
  strumien.getVideoTracks()[0].addEventListener('ended', () => przerwij('Aparat został odłączony: patrzenie przerwane.'));
  wideo.srcObject = strumien;
  podglad.hidden = false;
  porzadki.push(() => {
    wideo.srcObject = null;
    podglad.hidden = true;
  });
  await wideo.play();
  modul.obrazOdNowa();
  const plotno = document.createElement('canvas');
  const rysunek = plotno.getContext('2d', { willReadFrequently: true });
  let jasnosc = new Uint8Array(0);
  let dziala = true;
  const dalej = 'requestVideoFrameCallback' in wideo
    ? () => wideo.requestVideoFrameCallback(klatka) : () => requestAnimationFrame(klatka);
  function klatka(teraz, dane) {
    if (!dziala || !wideo.videoWidth) return dziala && dalej();
    const [szerokosc, wysokosc] = [SZEROKOSC_KLATKI, Math.max(1, Math.round(SZEROKOSC_KLATKI * wideo.videoHeight / wideo.videoWidth))];
    if (plotno.width !== szerokosc || plotno.height !== wysokosc) Object.assign(plotno, { width: szerokosc, height: wysokosc });
    rysunek.drawImage(wideo, 0, 0, szerokosc, wysokosc);
    const rgba = rysunek.getImageData(0, 0, szerokosc, wysokosc).data;
    if (jasnosc.length !== szerokosc * wysokosc) jasnosc = new Uint8Array(szerokosc * wysokosc);
    for (let i = 0, j = 0; i < jasnosc.length; i++, j += 4) jasnosc[i] = (77 * rgba[j] + 150 * rgba[j + 1] + 29 * rgba[j + 2]) >> 8;
    modul.obraz(jasnosc, szerokosc, wysokosc, (dane?.captureTime ?? dane?.expectedDisplayTime ?? teraz) / 1000);
    odbior.wpisz(APARAT);
    const widac = modul.obrazStan();
    swiatlo.hidden = !widac.zlapany;
    Object.assign(swiatlo.style, { left: `${widac.x * 100}%`, top: `${widac.y * 100}%` });
    stan.sledz(APARAT, opisSwiatla(widac));
    dalej();
  }
  const wskaz = (zdarzenie) => {
    const r = wideo.getBoundingClientRect();
    modul.obrazWskaz((zdarzenie.clientX - r.left) / r.width, (zdarzenie.clientY - r.top) / r.height);
  };
  wideo.addEventListener('pointerdown', wskaz);
  porzadki.push(() => {
    dziala = false;
    wideo.removeEventListener('pointerdown', wskaz);
    modul.koniec(APARAT);
    odbior.wpisz(APARAT);
  });
  stan.pokaz(APARAT, opisSwiatla({ zlapany: false }));
  dalej();
}

// A recording's channels mixed to one.
function mono(dzwiek) {
  const wynik = new Float32Array(dzwiek.length);
  for (let k = 0; k < dzwiek.numberOfChannels; k++) {
    const kanal = dzwiek.getChannelData(k);
    for (let i = 0; i < wynik.length; i++) wynik[i] += kanal[i] / dzwiek.numberOfChannels;
  }
  return wynik;
}

// A recording through the module faster than it plays, the page getting
// its turn between slices; what it holds goes into the field as one step.
async function odbierzNagranie(plik, { modul, odbior, stan, postep }) {
  stan.pokaz(NAGRANIE, `Odbieram nagranie „${plik.name}”.`);
  let dzwiek;
  try {
    dzwiek = await new OfflineAudioContext(1, 1, CZESTOSC_NAGRANIA).decodeAudioData(await plik.arrayBuffer());
  } catch {
    stan.zakoncz(NAGRANIE, `Nie można odebrać „${plik.name}”: to nie jest nagranie dźwięku, które ta przeglądarka umie odczytać (WAV, MP3, Ogg, M4A).`);
    return;
  }
  const probki = mono(dzwiek);
  modul.dzwiekOdNowa(NAGRANIE);
  Object.assign(postep, { hidden: false, max: probki.length || 1, value: 0 });
  let zlapany = null;
  for (let i = 0; i < probki.length;) {
    for (const koniecPracy = performance.now() + NA_RAZ; i < probki.length && performance.now() < koniecPracy; i += KAWALEK) {
      modul.dzwiek(NAGRANIE, probki.subarray(i, i + KAWALEK), dzwiek.sampleRate);
      const teraz = modul.dzwiekStan(NAGRANIE);
      if (teraz.zlapany) zlapany = teraz;
    }
    postep.value = i;
    await new Promise((dalej) => setTimeout(dalej));
  }
  modul.dzwiek(NAGRANIE, new Float32Array(Math.round(CISZA_NA_KONCU * dzwiek.sampleRate)), dzwiek.sampleRate);
  modul.koniec(NAGRANIE);
  postep.hidden = true;
  if (!zlapany) {
    modul.dzwiekOdNowa(NAGRANIE);
    stan.zakoncz(NAGRANIE, `W nagraniu „${plik.name}” nie słychać tonu Morse'a: nic nie wpisano.`);
    return;
  }
  odbior.wpiszRazem(NAGRANIE);
  const tempo = zlapany.slowa > 0 ? `, ${liczba(zlapany.slowa)} słów na minutę` : '';
  stan.zakoncz(NAGRANIE, `Odebrano nagranie „${plik.name}”: ton ${liczba(zlapany.czestotliwosc)} Hz${tempo}.`);
}

// Wires "Słuchaj", "Patrz" and "Odbierz z nagrania" to the module and the
// receiving panel's `odbior` (wpisz, wpiszRazem). The microphone and the
// camera are let go when the page is hidden.
export function podlaczNasluch(modul, odbior) {
  const el = (id) => document.getElementById(id);
  const stan = new Stan(el('stanNasluchu'));
  const razem = { modul, odbior, stan, podglad: el('podglad'), wideo: el('obrazAparatu'), swiatlo: el('swiatlo') };
  const przelaczniki = [
    new Przelacznik(el('Sluchaj'), stan, MIKROFON, { mianownik: 'mikrofon', dopelniacz: 'mikrofonu', przycisk: 'Słuchaj' },
      (porzadki, przerwij) => sluchaj(razem, porzadki, przerwij)),
    new Przelacznik(el('Patrz'), stan, APARAT, { mianownik: 'aparat', dopelniacz: 'aparatu', przycisk: 'Patrz' },
      (porzadki, przerwij) => patrz(razem, porzadki, przerwij)),
  ];
  const schowana = () => przelaczniki.forEach((p) => p.porzadki && p.zatrzymaj(`Strona schowana: wyłączono ${p.urzadzenie.mianownik}.`));
  document.addEventListener('visibilitychange', () => document.hidden && schowana());
  addEventListener('pagehide', schowana);

  const nagranie = el('nagranie');
  nagranie.addEventListener('change', async () => {
    const [plik] = nagranie.files;
    if (!plik) return;
    nagranie.disabled = true;
    try {
      await odbierzNagranie(plik, { ...razem, postep: el('postepNagrania') });
    } finally {
      nagranie.disabled = false;
      nagranie.value = '';  // the same file may be chosen again
    }
  });
}
