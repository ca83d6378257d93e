# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

"""The web page's speed in headless Chromium over the built site served on
127.0.0.1, in the desktop layout (1280 x 800, a mouse) and the phone layout
(390 x 844, a finger): the ready time (navigation start to the window wired,
"Mors" selected and the focus on Tlumacz), median of 10 loads with warm
caches and of 10 with cold ones, the first paint, and a 1,000,000-character
Polish text translated to Morse and back, from the click to the frame that
shows the result (in the phone layout the fields wrap it), and the learning
view's first paint after "Nauka" (median of 10 loads); and "Nadaj" on a
10,000-character message: how soon its sound starts and the longest the
page is kept busy while it sends; listening and watching: the microphone's
cost per 128-sample block, the camera's per frame, and a 10-minute
recording received. Prints the numbers; sets no limit.
    strona.py SITE_DIR
"""
import array
import math
import os
import statistics
import sys
import tempfile
import time
import wave

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from przegladarka import Serwer, chromium, otworz  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

PROZA = "Zażółć gęślą jaźń, ala ma kota, a kot ma Alę! "
# [layout, width, height, pixel ratio, a finger?]
UKLADY = [("desktop", 1280, 800, 1, False), ("phone", 390, 844, 3, True)]

# Clicks the button, then waits for the frame that shows the result.
KLIK = """const [przycisk, gotowe] = arguments;
const t0 = performance.now();
document.getElementById(przycisk).click();
requestAnimationFrame(() => setTimeout(() => gotowe(performance.now() - t0)));"""
PIERWSZE_MALOWANIE = """new PerformanceObserver((lista) => arguments[0](lista.getEntries()[0].startTime))
    .observe({type: 'paint', buffered: true});"""


def mediana(czasy):
    return f"median {statistics.median(czasy):.1f} ms, {min(czasy):.1f} to {max(czasy):.1f} ms"


def zaladuj(p, adres, zimno):
    """One load: its ready time and first paint; a cold one with no HTTP cache and no service worker."""
    if zimno:
        p.execute_cdp_cmd("Network.clearBrowserCache", {})
        p.execute_cdp_cmd("Storage.clearDataForOrigin", {"origin": adres.rstrip("/"), "storageTypes": "all"})
    gotowe = otworz(p, adres)
    return gotowe, p.execute_async_script(PIERWSZE_MALOWANIE)


# Before the page's scripts: keeps the audio context and the time of the
# first change the page schedules on a gain, its first tone's first edge.
NASLUCH = """const Kontekst = AudioContext;
window.AudioContext = class extends Kontekst {
  constructor(...argumenty) { super(...argumenty); window.kontekst = this; }
};
const ustaw = AudioParam.prototype.setValueAtTime;
AudioParam.prototype.setValueAtTime = function (wartosc, czas) {
  window.pierwszaZmiana ??= czas;
  return ustaw.call(this, wartosc, czas);
};"""

# From each press of "Nadaj" (the pointer going down on it) keeps a timer
# task queued for 3 s, whose gaps show how long the page was busy. The
# result in ms: from the press to the first tone leaving the audio output,
# the click's own task, the longest gap.
PROBA = """const nadaj = document.getElementById('Nadaj');
let [t0, klik, ostatni, najdluzej] = [0, 0, 0, 0];
nadaj.addEventListener('pointerdown', (zdarzenie) => {
  [t0, ostatni, najdluzej] = [zdarzenie.timeStamp, performance.now(), 0];
  [window.pierwszaZmiana, window.wynik] = [undefined, undefined];
  setTimeout(probka);
}, {capture: true});
nadaj.addEventListener('click', () => { klik = performance.now(); }, {capture: true});
nadaj.addEventListener('click', () => { klik = performance.now() - klik; });
const probka = () => {
  const teraz = performance.now();
  najdluzej = Math.max(najdluzej, teraz - ostatni);
  ostatni = teraz;
  if (teraz - t0 < 3000) return setTimeout(probka);
  const znacznik = kontekst.getOutputTimestamp();
  const start = znacznik.performanceTime + (pierwszaZmiana - znacznik.contextTime) * 1000 - t0;
  document.getElementById('Zatrzymaj').click();
  window.wynik = {start, klik, najdluzej};
};"""


def nadawanie(p, serwer, razy=5):
    """'Nadaj' on a 10,000-character message, on a fresh page and again:
    start of the sound and the longest busy stretch of the page, medians
    of several loads."""
    p.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": NASLUCH})
    tekst = (PROZA * (10_000 // len(PROZA) + 1))[:10_000]
    wyniki = {"first": [], "again": []}
    for _ in range(razy):
        otworz(p, serwer.adres)
        p.execute_script("document.getElementById('a').value = arguments[0]", tekst)
        p.execute_script(PROBA)
        for ktore, lista in wyniki.items():
            p.find_element(By.ID, "Nadaj").click()  # a real press, which lets the page start its sound
            lista.append(WebDriverWait(p, 20).until(lambda _: p.execute_script("return window.wynik")))
    for ktore, lista in wyniki.items():
        print(f"Nadaj on 10,000 characters, {ktore} press (over {razy} loads): sound starts "
              f"{mediana([w['start'] for w in lista])} after the press; the click's task {mediana([w['klik'] for w in lista])}; "
              f"the longest busy stretch in 3 s {mediana([w['najdluzej'] for w in lista])}")


# The microphone's path per 128-sample block at 48 kHz: the worklet's own
# process() (run here on the page's thread) and the module's tone detector
# fed 1024 samples at a time, over 60 s of a keyed 700 Hz tone; the
# camera's per frame: a 640 x 480 picture drawn down to 160 x 120, its
# luma and the light detector. Medians of 5 runs, in microseconds.
SLUCHANIE = """const gotowe = arguments[arguments.length - 1];
(async () => {
  globalThis.AudioWorkletProcessor = class { constructor() { this.port = {postMessage() {}}; } };
  globalThis.registerProcessor = (nazwa, klasa) => { globalThis.Probki = klasa; };
  await import('./probki.js');
  const {Modul} = await import('./modul.js');
  const modul = await Modul.zBajtow(await (await fetch('wirlok.wasm')).arrayBuffer());
  const [CZESTOSC, BLOKI] = [48000, 60 * 48000 / 128];
  const dzwiek = Float32Array.from({length: 60 * CZESTOSC},
    (_, n) => (Math.floor(n / 4800) % 3 === 0 ? 0.5 : 0) * Math.sin(2 * Math.PI * 700 * n / CZESTOSC));
  const mediana = (f) => { const t = Array.from({length: 5}, f).sort((x, y) => x - y); return t[2]; };
  const worklet = mediana(() => {
    const p = new Probki();
    const t0 = performance.now();
    for (let i = 0; i < BLOKI; i++) p.process([[dzwiek.subarray(128 * i, 128 * i + 128)]]);
    return (performance.now() - t0) * 1000 / BLOKI;
  });
  const detektor = mediana(() => {
    modul.dzwiekOdNowa(1);
    const t0 = performance.now();
    for (let i = 0; i < dzwiek.length; i += 1024) modul.dzwiek(1, dzwiek.subarray(i, i + 1024), CZESTOSC);
    return (performance.now() - t0) * 1000 / BLOKI;
  });
  const obraz = Object.assign(document.createElement('canvas'), {width: 640, height: 480});
  const plotno = Object.assign(document.createElement('canvas'), {width: 160, height: 120});
  const rysunek = plotno.getContext('2d', {willReadFrequently: true});
  const jasnosc = new Uint8Array(160 * 120);
  const klatka = mediana(() => {
    modul.obrazOdNowa();
    const t0 = performance.now();
    for (let k = 0; k < 300; k++) {
      obraz.getContext('2d').fillStyle = k % 6 < 3 ? '#fff' : '#000';
      obraz.getContext('2d').fillRect(400, 100, 60, 60);
      rysunek.drawImage(obraz, 0, 0, 160, 120);
      const rgba = rysunek.getImageData(0, 0, 160, 120).data;
      for (let i = 0, j = 0; i < jasnosc.length; i++, j += 4) jasnosc[i] = (77 * rgba[j] + 150 * rgba[j + 1] + 29 * rgba[j + 2]) >> 8;
      modul.obraz(jasnosc, 160, 120, k / 30);
    }
    return (performance.now() - t0) * 1000 / 300;
  });
  return {worklet, detektor, klatka};
})().then(gotowe, (blad) => gotowe(String(blad)));"""


def nagranie_10_minut(sciezka, czestosc=44100):
    """"PARIS " over and over at 20 WPM, 700 Hz, for 10 minutes: a 16-bit mono WAV file."""
    klucz = "10111011101" "000" "10111" "000" "1011101" "000" "101" "000" "10101" "0000000"  # PARIS, a unit a digit
    jednostka = round(0.06 * czestosc)
    okres = array.array("h", (round(int(klucz[n // jednostka]) * 13000 * math.sin(2 * math.pi * 700 * n / czestosc))
                              for n in range(len(klucz) * jednostka)))  # a whole number of the tone's periods
    with wave.open(sciezka, "wb") as plik:
        plik.setnchannels(1)
        plik.setsampwidth(2)
        plik.setframerate(czestosc)
        plik.writeframes(okres.tobytes() * (600 * czestosc // len(okres)))


def nasluch(p, serwer):
    """The costs of listening and watching, and a 10-minute recording received."""
    otworz(p, serwer.adres)
    w = p.execute_async_script(SLUCHANIE)
    print(f"microphone per 128-sample block at 48 kHz: worklet {w['worklet']:.2f} us, tone detector "
          f"{w['detektor']:.2f} us; camera per 160 x 120 frame (drawn down from 640 x 480, luma, light detector) "
          f"{w['klatka']:.0f} us")
    with tempfile.TemporaryDirectory() as katalog:
        sciezka = os.path.join(katalog, "paris.wav")
        nagranie_10_minut(sciezka)
        otworz(p, serwer.adres)
        t0 = time.monotonic()
        p.find_element(By.ID, "nagranie").send_keys(sciezka)
        WebDriverWait(p, 600, 0.05).until(lambda _: not p.execute_script(
            "return document.getElementById('nagranie').disabled || !document.getElementById('stanNasluchu').textContent"))
        sekundy = time.monotonic() - t0
        stan = p.execute_script("return document.getElementById('stanNasluchu').textContent")
        paris = p.execute_script("return document.getElementById('a').value").count("\\.--.\\.-\\.-.\\..\\...\\")
        print(f"a 10-minute recording (44.1 kHz WAV) decoded and received in {sekundy:.1f} s, \"PARIS\" read "
              f"{paris} times of 200: {stan}")


def bezczynnosc(p, sekundy=5):
    """Between lessons: after "Posłuchaj" has sounded, the page's main thread's work over a few idle seconds and
    the state of the view's audio context (asleep, it takes no time of the audio thread either)."""
    p.execute_cdp_cmd("Performance.enable", {})
    p.execute_script(NASLUCH)  # keeps the audio context it makes
    p.execute_script("document.getElementById('Posluchaj').click()")
    time.sleep(4)  # the new letter three times, and the view settles
    praca = lambda: next(m["value"] for m in p.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
                         if m["name"] == "TaskDuration")
    przed = praca()
    time.sleep(sekundy)
    print(f"between lessons: the page's main thread busy {(praca() - przed) * 1000:.1f} ms in {sekundy} s; "
          f"audio context {p.execute_script('return kontekst.state')}")



def main():
    serwer = Serwer(sys.argv[1])
    p = chromium()
    try:
        for uklad, szerokosc, wysokosc, gestosc, dotyk in UKLADY:
            p.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": szerokosc, "height": wysokosc, "deviceScaleFactor": gestosc, "mobile": dotyk})
            p.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": dotyk, "maxTouchPoints": 5})
            p.execute_cdp_cmd("Network.enable", {})
            for zimno in (False, True):
                zaladuj(p, serwer.adres, zimno)  # a first visit fills the caches
                gotowe, malowanie = zip(*(zaladuj(p, serwer.adres, zimno) for _ in range(10)))
                print(f"{uklad}, {'cold' if zimno else 'warm'} cache: ready {mediana(gotowe)}; "
                      f"first paint {mediana(malowanie)}")

            tekst = (PROZA * (1_000_000 // len(PROZA) + 1))[:1_000_000]
            p.execute_script("document.getElementById('a').value = arguments[0]", tekst)
            tam = p.execute_async_script(KLIK, "Tlumacz")
            dlugosc = p.execute_script("return document.getElementById('b').value.length")
            p.execute_script("document.getElementById('Wyczysc1').click()")
            z_powrotem = p.execute_async_script(KLIK, "Tlumacz")
            wrocil = p.execute_script("return document.getElementById('a').value.length")
            print(f"{uklad}: 1,000,000 characters to Morse ({dlugosc:,} characters) {tam:.0f} ms, "
                  f"and back ({wrocil:,} characters) {z_powrotem:.0f} ms")
            nauka = []
            for _ in range(10):
                otworz(p, serwer.adres)
                nauka.append(p.execute_async_script(KLIK, "Nauka"))
            print(f"{uklad}: the learning view's first paint after \"Nauka\" (over 10 loads): {mediana(nauka)}")
        bezczynnosc(p)
        nadawanie(p, serwer)
        nasluch(p, serwer)
    finally:
        p.quit()
        serwer.zatrzymaj()


if __name__ == "__main__":
    main()
