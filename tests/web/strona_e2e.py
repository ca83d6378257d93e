# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

"""The page as a person uses it, in a real headless Chromium over the built
site served on 127.0.0.1: keyboard and mouse, undo, the clipboard, long
texts, phone and desktop screens in both colour schemes, accessibility, the
content security policy, valid HTML, a module that cannot run and use with
no network.
    strona_e2e.py SITE_DIR SCREENSHOT_DIR NODE_MODULES [TEST ...]
"""
import math
import os
import pathlib
import re
import shutil
import subprocess
import struct
import sys
import tempfile
import time
import unittest
import wave

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from przegladarka import Serwer, chromium, otworz

STRONA, ZRZUTY, MODULY = sys.argv[1:4]
AXE = os.path.join(MODULY, "axe-core", "axe.min.js")
HTML_VALIDATE = os.path.join(MODULY, ".bin", "html-validate")
KONTROLKI = {"a": "textarea", "listaszyfrow": "select", "Wyczysc2": "button", "Wyczysc1": "button",
             "b": "textarea", "Tlumacz": "button"}
KOLEJNOSC_TAB = ["Tlumacz", "b", "Wyczysc1", "Wyczysc2", "listaszyfrow", "a"]
KOLEJNOSC_CZYTANIA = ["a", "listaszyfrow", "b", "Tlumacz", "Wyczysc1", "Wyczysc2"]
WIADOMOSC = "Czuwaj! Zbiórka o szóstej przy ognisku, weźcie latarki i żółte chusty"
# The page's controls as the screen shows them, and every piece of text.
UKLAD = """const okno = document.getElementById('Form1');
const prostokat = (e) => { const r = e.getBoundingClientRect(); return {lewo: r.left, prawo: r.right, gora: r.top, dol: r.bottom}; };
const teksty = [...document.querySelectorAll('body *')].filter((e) => e.checkVisibility() &&
    [...e.childNodes].some((w) => w.nodeType === Node.TEXT_NODE && w.textContent.trim()));
return {
  kontrolki: [...okno.querySelectorAll('textarea, select, button')].map((e) => ({id: e.id, ...prostokat(e)})),
  odbior: [...document.querySelectorAll('#odbieranie button, #odbieranie input')].map((e) => ({id: e.id, ...prostokat(e)})),
  panel: prostokat(document.getElementById('odbieranie')),
  okno: {...prostokat(okno), szerokosc: okno.clientWidth},
  naglowek: prostokat(document.querySelector('h1')), pomoc: prostokat(document.getElementById('pomoc')),
  obciete: [...okno.querySelectorAll('button, label')].filter((e) => e.clientWidth > 1 && e.scrollWidth > e.clientWidth)
    .map((e) => e.textContent),
  czcionki: teksty.map((e) => [e.tagName, parseFloat(getComputedStyle(e).fontSize)]),
  przewijanie: document.documentElement.scrollWidth, ekran: document.documentElement.clientWidth,
  wysokoscEkranu: innerHeight,
  b: {przewija: document.getElementById('b').scrollHeight > document.getElementById('b').clientHeight + 1}};"""
# Every policy violation a page meets, from its first script on.
NARUSZENIA = """window.naruszenia = [];
addEventListener('securitypolicyviolation', (z) => naruszenia.push(`${z.violatedDirective} ${z.blockedURI}`));"""


def ekran(p, szerokosc, wysokosc, gestosc=1, dotyk=False, schemat="light"):
    """Emulates a screen: its size, pixel ratio, a finger or a mouse, and the colour scheme."""
    p.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": szerokosc, "height": wysokosc, "deviceScaleFactor": gestosc, "mobile": dotyk})
    p.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": dotyk, "maxTouchPoints": 5 if dotyk else 1})
    p.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": schemat}]})


class NaStronie(unittest.TestCase):
    skrypty = (NARUSZENIA,)

    @classmethod
    def setUpClass(cls):
        cls.serwer = Serwer(STRONA)
        cls.p = chromium()
        for skrypt in cls.skrypty:
            cls.p.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": skrypt})

    @classmethod
    def tearDownClass(cls):
        cls.p.quit()
        cls.serwer.zatrzymaj()

    def setUp(self):
        self.p.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.p.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
        self.p.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        otworz(self.p, self.serwer.adres)

    def tearDown(self):
        # Whatever the test did, the page's policy let all of it run.
        self.assertEqual(self.p.execute_script("return window.naruszenia"), [])

    def el(self, nazwa):
        return self.p.find_element(By.ID, nazwa)

    def tekst(self, nazwa):
        return self.p.execute_script(f"return document.getElementById('{nazwa}').value")

    def klawisze(self, *klawisze):
        ActionChains(self.p).send_keys(*klawisze).perform()

    def skrot(self, klawisz):
        ActionChains(self.p).key_down(Keys.CONTROL).send_keys(klawisz).key_up(Keys.CONTROL).perform()

    def wybierz(self, wpis):
        Select(self.el("listaszyfrow")).select_by_visible_text(wpis)

    def wklej(self, pole, tekst):
        """Puts the text on the clipboard and pastes it with Ctrl+V."""
        self.p.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": self.serwer.adres.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.p.execute_async_script("navigator.clipboard.writeText(arguments[0]).then(arguments[1])", tekst)
        self.el(pole).click()
        self.skrot("v")


class Strona(NaStronie):
    def test_okno_jak_na_pulpicie(self):
        p = self.p
        self.assertEqual(p.title, "Wirlok by DREVNOK")
        self.assertEqual(p.execute_script("return document.documentElement.lang"), "pl")
        self.assertTrue(p.execute_script("return !!document.querySelector('link[rel=icon]')"))
        self.assertEqual({n: self.el(n).tag_name for n in KONTROLKI}, KONTROLKI)
        self.assertEqual([self.el(n).text for n in ("Tlumacz", "Wyczysc1", "Wyczysc2")],
                         ["Przetłumacz", "Wyczyść górę", "Wyczyść dół"])
        self.assertEqual([o.text for o in Select(self.el("listaszyfrow")).options],
                         ["Mors", "Gaderypoluki", "Koniecmatury", "Flashpoint"])
        self.assertEqual(Select(self.el("listaszyfrow")).first_selected_option.text, "Mors")
        self.assertEqual([self.el(n).accessible_name for n in ("a", "b", "listaszyfrow")],
                         ["Pole górne", "Pole dolne", "Lista szyfrów"])
        self.assertEqual(p.switch_to.active_element.get_attribute("id"), "Tlumacz")
        self.assertEqual(p.find_element(By.TAG_NAME, "h1").text, "Wirlok by DREVNOK")
        self.assertIn("GA-DE-RY-PO-LU-KI", self.el("pomoc").text)
        polityka = p.execute_script("return document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
        for zasada in ("default-src 'self'", "script-src 'self' 'wasm-unsafe-eval'", "object-src 'none'",
                       "base-uri 'none'"):
            self.assertIn(zasada, polityka)

    def test_kolejnosc_tab(self):
        aktywny = lambda: self.p.switch_to.active_element.get_attribute("id")
        widziane = [aktywny()]
        for _ in KOLEJNOSC_TAB[1:]:
            self.klawisze(Keys.TAB)
            widziane.append(aktywny())
        self.assertEqual(widziane, KOLEJNOSC_TAB)
        for nazwa in reversed(KOLEJNOSC_TAB[:-1]):
            ActionChains(self.p).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
            self.assertEqual(aktywny(), nazwa)

    def test_tlumaczy_wpisany_tekst_w_obie_strony(self):
        # [entry, typed into a, lower field afterwards, upper field after clearing it and translating back]
        przypadki = [
            ("Gaderypoluki", "Ala ma kota", "Gug mg iptg", "Ala ma kota"),
            ("Koniecmatury", "Zażółć gęślą jaźń", "Zmżółć gęślą jmźń", "Zażółć gęślą jaźń"),
            ("Mors", "Zażółć", "\\--..\\.-\\--..\\---\\.-..\\-.-.\\", "zazolc"),
        ]
        for wpis, tekst, wynik, z_powrotem in przypadki:
            with self.subTest(wpis=wpis):
                self.el("Wyczysc1").click()
                self.el("a").send_keys(tekst)
                self.wybierz(wpis)
                self.el("Tlumacz").click()
                self.assertEqual(self.tekst("b"), wynik)
                self.el("Wyczysc1").click()
                self.el("Tlumacz").click()
                self.assertEqual((self.tekst("a"), self.tekst("b")), (z_powrotem, wynik))

    def test_spacja_i_enter_na_przycisku_enter_w_polu(self):
        self.el("a").send_keys("ab", Keys.ENTER, "c")
        self.assertEqual(self.tekst("a"), "abc")
        self.wybierz("Gaderypoluki")
        self.el("Tlumacz").send_keys(Keys.SPACE)
        self.assertEqual(self.tekst("b"), "gbc")
        self.el("Wyczysc2").send_keys(Keys.ENTER)
        self.assertEqual(self.tekst("b"), "")

    def test_cofniecie_przywraca_poprzedni_tekst(self):
        self.el("b").send_keys("stary tekst")
        self.el("a").send_keys("kot")
        self.wybierz("Gaderypoluki")
        self.el("Tlumacz").click()
        self.assertEqual(self.tekst("b"), "ipt")
        self.el("b").click()
        self.skrot("z")
        self.assertEqual(self.tekst("b"), "stary tekst")
        self.el("Wyczysc1").click()
        self.el("a").click()
        self.skrot("z")
        self.assertEqual(self.tekst("a"), "kot")

    def test_wklejone_dwie_linie_zostaja_cale(self):
        self.wklej("a", "Ala ma\nkota")
        self.assertEqual(self.tekst("a"), "Ala ma\nkota")
        self.wybierz("Gaderypoluki")
        self.el("Tlumacz").click()
        self.assertEqual(self.tekst("b"), "Gug mg\niptg")

    def test_tekst_dluzszy_niz_36000_znakow(self):
        tekst = "Ala ma kota, a kot ma Alę. " * 1500  # 40,500 characters
        self.wklej("a", tekst)
        self.assertEqual(len(self.tekst("a")), len(tekst))
        self.wybierz("Gaderypoluki")
        self.el("Tlumacz").click()
        self.el("Wyczysc1").click()
        self.el("Tlumacz").click()
        self.assertTrue(self.tekst("a") == tekst, "the text comes back whole")

    def test_bez_wybranego_wpisu_nic_sie_nie_zmienia(self):
        self.el("a").send_keys("Ala")
        self.p.execute_script("document.getElementById('listaszyfrow').selectedIndex = -1")
        self.el("Tlumacz").click()
        self.assertEqual((self.tekst("a"), self.tekst("b")), ("Ala", ""))

    def test_uklad_na_kazdym_ekranie(self):
        # [width, height, pixel ratio, a finger?, the phone layout?, the whole Morse message in view?]: the phone
        # layout wherever the window does not fit at 1.5 times its size or a finger points. Screenshots in both
        # colour schemes.
        ekrany = [(320, 640, 3, True, True, False), (360, 800, 3, True, True, False), (390, 844, 3, True, True, True),
                  (430, 932, 3, True, True, False), (844, 390, 3, True, True, False),
                  (768, 1024, 2, True, True, False), (480, 700, 1, False, True, False),
                  (600, 420, 1, False, False, False), (1280, 800, 1, False, False, False)]
        for szerokosc, wysokosc, gestosc, dotyk, telefon, caly in ekrany:
            for schemat in ("light", "dark"):
                with self.subTest(ekran=f"{szerokosc}x{wysokosc}", schemat=schemat):
                    ekran(self.p, szerokosc, wysokosc, gestosc, dotyk, schemat)
                    otworz(self.p, self.serwer.adres)
                    self.el("a").send_keys(WIADOMOSC)
                    self.el("Tlumacz").click()
                    self.assertEqual(len(self.tekst("b")), 235)
                    u = self.p.execute_script(UKLAD)
                    self.assertLessEqual(u["przewijanie"], u["ekran"], "no sideways scrolling")
                    self.assertEqual(u["obciete"], [], "captions whole")
                    if telefon:
                        self.sprawdz_telefon(u, caly)
                    else:
                        self.assertEqual([k["id"] for k in u["kontrolki"]], KOLEJNOSC_TAB)
                        self.assertTrue(1.5 * 312 <= u["okno"]["szerokosc"] <= 2 * 312 + 0.5, u["okno"])
                        self.assertAlmostEqual(u["okno"]["lewo"], u["ekran"] - u["okno"]["prawo"], delta=1, msg="centred")
                        self.assertLess(u["naglowek"]["dol"], u["okno"]["gora"])
                        self.assertGreater(u["pomoc"]["gora"], u["okno"]["dol"])
                    self.p.save_screenshot(os.path.join(ZRZUTY, f"strona-{szerokosc}x{wysokosc}-{schemat}.png"))

    def sprawdz_telefon(self, u, caly):
        kontrolki = u["kontrolki"]
        self.assertEqual([k["id"] for k in kontrolki], KOLEJNOSC_CZYTANIA, "read in the order shown")
        for grupa in (kontrolki, u["odbior"]):
            for i, x in enumerate(grupa):
                self.assertGreaterEqual(min(x["dol"] - x["gora"], x["prawo"] - x["lewo"]), 44 - 0.01, x["id"])
                for y in grupa[i + 1:]:
                    odstep = max(y["gora"] - x["dol"], y["lewo"] - x["prawo"], x["lewo"] - y["prawo"])
                    self.assertGreaterEqual(odstep, 8 - 0.01, f"{x['id']} and {y['id']}")
            self.assertEqual(sorted(grupa, key=lambda k: (round(k["gora"]), k["lewo"])), grupa, "read in the order shown")
        klucz = next(k for k in u["odbior"] if k["id"] == "Klucz")
        self.assertGreaterEqual(klucz["dol"] - klucz["gora"], 96, "a key for a thumb")
        self.assertAlmostEqual(klucz["prawo"] - klucz["lewo"], u["panel"]["prawo"] - u["panel"]["lewo"], delta=1)
        self.assertEqual([c for c in u["czcionki"] if c[1] < 16], [], "no text under 16 px")
        self.assertFalse(u["b"]["przewija"], "the lower field shows its whole text")
        if caly:
            b = next(k for k in kontrolki if k["id"] == "b")
            self.assertLessEqual(b["dol"], u["wysokoscEkranu"], "in view without scrolling the page")

    def test_przelacza_uklad_nic_nie_gubiac(self):
        ekran(self.p, 1280, 800)
        otworz(self.p, self.serwer.adres)
        self.el("a").send_keys("Ala ma kota")
        self.el("b").send_keys("stary")
        for telefon, kolejnosc in ((True, KOLEJNOSC_CZYTANIA), (False, KOLEJNOSC_TAB)):
            with self.subTest(telefon=telefon):
                ekran(self.p, 390, 844, 3, True) if telefon else ekran(self.p, 1280, 800)
                WebDriverWait(self.p, 5).until(lambda p: [k["id"] for k in p.execute_script(UKLAD)["kontrolki"]]
                                              == kolejnosc)
                self.assertEqual((self.tekst("a"), self.tekst("b")), ("Ala ma kota", "stary"))

    def test_cofnij_na_telefonie(self):
        ekran(self.p, 390, 844, 3, True)
        otworz(self.p, self.serwer.adres)
        cofnij = (By.CSS_SELECTOR, "#cofniecie button")
        self.el("b").send_keys("stary tekst")
        self.el("a").send_keys(WIADOMOSC)
        self.el("Tlumacz").click()
        mors = self.tekst("b")
        self.p.find_element(*cofnij).click()
        self.assertEqual(self.tekst("b"), "stary tekst")
        self.el("Tlumacz").click()
        self.el("Wyczysc1").click()
        self.assertIn("Pole górne", self.el("cofniecie").text)
        self.p.save_screenshot(os.path.join(ZRZUTY, "strona-cofnij.png"))
        self.p.find_element(*cofnij).click()
        self.assertEqual(self.tekst("a"), WIADOMOSC)
        self.assertEqual(self.p.find_elements(*cofnij), [], "the offer goes once used")
        self.el("Wyczysc1").click()
        self.el("Tlumacz").click()
        self.assertEqual((self.tekst("a"), self.tekst("b")), (
            "czuwaj! zbiorka o szostej przy ognisku, wezcie latarki i zolte chusty", mors))

    def test_dostepnosc_axe(self):
        with open(AXE, encoding="utf-8") as plik:
            axe = plik.read()
        for telefon in (False, True):
            for schemat in ("light", "dark"):
                with self.subTest(telefon=telefon, schemat=schemat):
                    ekran(self.p, 390, 844, 3, True, schemat) if telefon else ekran(self.p, 1280, 800, 1, False, schemat)
                    otworz(self.p, self.serwer.adres)
                    self.el("Nauka").click()  # with the learning view open
                    self.el("a").send_keys("Ala")
                    self.el("Wyczysc1").click()  # and the "Cofnij" offer on the screen
                    self.p.execute_script(axe)
                    wynik = self.p.execute_async_script("axe.run(document).then((w) => arguments[0](w.violations))")
                    self.assertEqual([(n["id"], [w["target"] for w in n["nodes"]]) for n in wynik], [])

    def test_poprawny_html(self):
        self.el("a").send_keys("Ala")
        self.el("Wyczysc1").click()
        with open(os.path.join(STRONA, "index.html"), encoding="utf-8") as plik:
            zbudowana = plik.read()
        zywa = "<!DOCTYPE html>\n" + self.p.execute_script("return document.documentElement.outerHTML")
        # [page, its HTML, rules left out]: the browser's serialiser writes hidden="" and keeps the blank
        # lines around the controls the script moved, neither of which is an error of HTML.
        strony = [("as shipped", zbudowana, []),
                  ("as the script leaves it", zywa, ["attribute-boolean-style:off", "no-trailing-whitespace:off"])]
        for nazwa, html, bez in strony:
            with self.subTest(nazwa):
                wynik = subprocess.run([HTML_VALIDATE, "--stdin", *(f"--rule={r}" for r in bez)], input=html,
                                       capture_output=True, text=True)
                self.assertEqual(wynik.returncode, 0, wynik.stdout + wynik.stderr)


class ModulNieDziala(unittest.TestCase):
    """The page says in Polish why there is no window, and what to do."""

    def test_komunikat_zamiast_okna(self):
        # [what, change to the site, the message shown]
        przypadki = [
            ("the module is missing", lambda kopia: os.remove(os.path.join(kopia, "wirlok.wasm")), "blad"),
            ("the module is broken", lambda kopia: open(os.path.join(kopia, "wirlok.wasm"), "wb").close(), "blad"),
            ("a script is missing", lambda kopia: os.remove(os.path.join(kopia, "okno.js")), "blad"),
            ("a policy without wasm-unsafe-eval", lambda kopia: zamien(os.path.join(kopia, "index.html"),
                                                                       " 'wasm-unsafe-eval'", ""), "blad"),
            ("scripts off", None, "noscript"),
        ]
        for nazwa, zmiana, komunikat in przypadki:
            with self.subTest(nazwa), tempfile.TemporaryDirectory() as kopia:
                shutil.copytree(STRONA, kopia, dirs_exist_ok=True)
                if zmiana:
                    zmiana(kopia)
                serwer = Serwer(kopia)
                p = chromium()
                try:
                    p.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": zmiana is None})
                    p.get(serwer.adres)
                    selektor = "#blad" if komunikat == "blad" else ".blad"
                    tekst = WebDriverWait(p, 10).until(lambda p: p.find_element(By.CSS_SELECTOR, selektor).text)
                    self.assertIn("odśwież", tekst.lower())
                    self.assertFalse(p.find_element(By.ID, "Form1").is_displayed())
                finally:
                    p.quit()
                    serwer.zatrzymaj()


def zamien(sciezka, co, na):
    with open(sciezka, encoding="utf-8") as plik:
        tresc = plik.read()
    with open(sciezka, "w", encoding="utf-8") as plik:
        plik.write(tresc.replace(co, na))


class PamiecStrony(unittest.TestCase):
    """The service worker's cache: the site with no network, and a new version."""

    def setUp(self):
        self.kopia = tempfile.mkdtemp()
        shutil.copytree(STRONA, self.kopia, dirs_exist_ok=True)
        self.serwer = Serwer(self.kopia)
        self.p = chromium()
        self.p.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": NARUSZENIA})
        otworz(self.p, self.serwer.adres)
        self.p.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")

    def tearDown(self):
        self.p.quit()
        self.serwer.zatrzymaj()
        shutil.rmtree(self.kopia)

    def pamieci(self):
        return self.p.execute_async_script("caches.keys().then(arguments[0])")

    def test_dziala_po_zatrzymaniu_serwera(self):
        self.serwer.zatrzymaj()
        otworz(self.p, self.serwer.adres)
        self.p.find_element(By.ID, "a").send_keys("sos")
        self.p.find_element(By.ID, "Tlumacz").click()
        self.assertEqual(self.p.execute_script("return document.getElementById('b').value"), "\\...\\---\\...\\")
        self.assertEqual(self.p.execute_script("return window.naruszenia"), [])

    def test_nowa_wersja_zastepuje_stara_pamiec(self):
        [stara] = self.pamieci()
        zamien(os.path.join(self.kopia, "sw.js"), stara, "wirlok-nowa")
        otworz(self.p, self.serwer.adres)
        WebDriverWait(self.p, 20).until(lambda _: self.pamieci() == ["wirlok-nowa"])


# Stand-ins for what headless Chromium lacks, put in before the page's own
# scripts: a camera track with a torch, vibration, the share sheet, and a
# tap on the sound the page sends. What they receive is kept in "zapis".
ZASTEPCY = """window.zapis = {latarka: [], wibracje: [], udostepnione: []};
const sciezka = {getCapabilities: () => ({torch: true}), stop() {},
    applyConstraints: async (c) => { zapis.latarka.push([performance.now(), c.advanced[0].torch]); }};
Object.assign(navigator.mediaDevices, {
    getSupportedConstraints: () => ({torch: true}), enumerateDevices: async () => [{kind: 'videoinput'}],
    getUserMedia: async () => ({getVideoTracks: () => [sciezka], getTracks: () => [sciezka]})});
navigator.vibrate = (ms) => { zapis.wibracje.push([performance.now(), ms]); return true; };
navigator.share = async (dane) => { zapis.udostepnione.push(dane.text); };
const polacz = AudioNode.prototype.connect;
AudioNode.prototype.connect = function (cel, ...reszta) {
    if (cel instanceof AudioDestinationNode) {
        window.nasluch ??= new AnalyserNode(cel.context, {fftSize: 2048});
        polacz.call(this, nasluch);
    }
    return polacz.call(this, cel, ...reszta);
};"""

# The lamp's changes, kept as [ms, lit].
LAMPA = """window.lampa = [];
new MutationObserver(() => lampa.push([performance.now(), document.getElementById('lampa').classList.contains('swieci')]))
    .observe(document.getElementById('lampa'), {attributes: true});"""

# "PARIS " at 20 WPM rendered through the page's own sound code into an
# OfflineAudioContext, then each tone found again: its edges where the
# amplitude at the pitch passes half its height, its pitch from the time
# between its first and last rising zero crossings. Seconds from the start.
DZWIEK = """const gotowe = arguments[arguments.length - 1];
(async () => {
  const {Modul} = await import('./modul.js');
  const {harmonogram, generator, zaplanujTony} = await import('./nadawanie.js');
  const modul = await Modul.zBajtow(await (await fetch('wirlok.wasm')).arrayBuffer());
  const plan = harmonogram(modul.nadanie('PARIS ', ''), 20);
  const [CZESTOSC, TON, T0] = [48000, 600, 0.05];
  const kontekst = new OfflineAudioContext(1, Math.round((T0 + plan.dlugosc + 0.05) * CZESTOSC), CZESTOSC);
  zaplanujTony(generator(kontekst, TON, T0).wzmocnienie.gain, plan, 0, T0, Infinity);
  const x = (await kontekst.startRendering()).getChannelData(0);
  const okres = CZESTOSC / TON;
  const i = new Float64Array(x.length + 1), q = new Float64Array(x.length + 1);
  for (let n = 0; n < x.length; n++) {
    i[n + 1] = i[n] + x[n] * Math.cos(2 * Math.PI * n / okres);
    q[n + 1] = q[n] + x[n] * Math.sin(2 * Math.PI * n / okres);
  }
  const amplituda = (n) => {
    const [od, dop] = [Math.max(0, n - okres / 2), Math.min(x.length, n + okres / 2)];
    return 2 * Math.hypot(i[dop] - i[od], q[dop] - q[od]) / okres;
  };
  const a = Array.from(x, (_, n) => amplituda(n));
  const prog = a.reduce((m, v) => Math.max(m, v)) / 2;
  const tony = [];
  for (let n = 1; n < x.length; n++) {
    const przejscie = (a[n] - prog) / (a[n] - a[n - 1]);
    if (a[n - 1] < prog && a[n] >= prog) tony.push([(n - przejscie) / CZESTOSC - T0]);
    if (a[n - 1] >= prog && a[n] < prog) tony.at(-1).push((n - przejscie) / CZESTOSC - T0);
  }
  for (const ton of tony) {
    const zera = [];
    for (let n = Math.ceil((ton[0] + T0) * CZESTOSC); n < (ton[1] + T0) * CZESTOSC; n++) {
      if (x[n - 1] < 0 && x[n] >= 0) zera.push(n - x[n] / (x[n] - x[n - 1]));
    }
    ton.push((zera.length - 1) * CZESTOSC / (zera.at(-1) - zera[0]));
  }
  const cisza = x.subarray(Math.round((T0 + tony.at(-1)[1] + 0.005) * CZESTOSC)).reduce((m, v) => Math.max(m, Math.abs(v)), 0);
  return {tony, dlugosc: plan.dlugosc, cisza};
})().then(gotowe, (blad) => gotowe(String(blad)));"""

# "PARIS " at 20 WPM, 60 ms a unit: each tone's start and end in ms.
PARIS_20 = [(0, 60), (120, 300), (360, 540), (600, 660), (840, 900), (960, 1140), (1320, 1380), (1440, 1620),
            (1680, 1740), (1920, 1980), (2040, 2100), (2280, 2340), (2400, 2460), (2520, 2580)]


def kropki_i_kreski(zmiany, jednostka):
    """The signs that [ms, on] changes show: on for under 2 units a dot,
    longer a dash."""
    znaki = ""
    for (t, wlaczone), (t_dalej, _) in zip(zmiany, zmiany[1:]):
        if wlaczone:
            znaki += "." if t_dalej - t < 2 * jednostka else "-"
    return znaki


class Nadawanie(unittest.TestCase):
    """The sending panel: sound, lamp, torch and vibration on one time line,
    Zatrzymaj, Kopiuj and Udostępnij."""

    @classmethod
    def setUpClass(cls):
        cls.serwer = Serwer(STRONA)
        cls.p = chromium()

    @classmethod
    def tearDownClass(cls):
        cls.p.quit()
        cls.serwer.zatrzymaj()

    def setUp(self):
        self.skrypty = []

    def tearDown(self):
        for skrypt in self.skrypty:
            self.p.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": skrypt})
        for polecenie in ("Emulation.setTouchEmulationEnabled", "Emulation.setEmulatedMedia"):
            self.p.execute_cdp_cmd(polecenie, {"enabled": False} if "Touch" in polecenie else {"features": []})

    def otworz(self, zastepcy=True, dotyk=False):
        for skrypt in (NARUSZENIA, ZASTEPCY) if zastepcy else (NARUSZENIA,):
            self.skrypty.append(self.p.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                       {"source": skrypt})["identifier"])
        self.p.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": dotyk, "maxTouchPoints": 5})
        otworz(self.p, self.serwer.adres)
        self.p.execute_script(LAMPA)

    def js(self, skrypt, *argumenty):
        return self.p.execute_script(skrypt, *argumenty)

    def stan(self):
        return self.js("return document.getElementById('stanNadawania').textContent")

    def nadaj(self, tekst, slowa):
        self.p.find_element(By.ID, "a").send_keys(tekst)
        pole = self.p.find_element(By.ID, "slowa")
        pole.clear()
        pole.send_keys(str(slowa))
        self.p.find_element(By.ID, "Nadaj").send_keys(Keys.ENTER)

    def test_dzwiek_paris_co_do_milisekundy(self):
        otworz(self.p, self.serwer.adres)
        wynik = self.p.execute_async_script(DZWIEK)
        self.assertIsInstance(wynik, dict, wynik)
        self.assertAlmostEqual(wynik["dlugosc"], 3.0, places=9)
        self.assertEqual(len(wynik["tony"]), len(PARIS_20))
        bledy = []
        for (poczatek, koniec, czestotliwosc), oczekiwany in zip(wynik["tony"], PARIS_20):
            bledy += [abs(poczatek * 1000 - oczekiwany[0]), abs(koniec * 1000 - oczekiwany[1])]
            self.assertAlmostEqual(czestotliwosc, 600, delta=1)
        self.assertLess(max(bledy), 1, f"ms off the schedule: {bledy}")
        self.assertLess(wynik["cisza"], 1e-4, "silence after the last tone")
        print(f"\n  tones of \"PARIS \": at most {max(bledy):.3f} ms off", file=sys.stderr)

    def test_lampa_latarka_i_wibracje_ida_z_harmonogramem(self):
        self.otworz(dotyk=True)
        for wybor in ("przezLatarke", "przezWibracje"):
            self.p.find_element(By.ID, wybor).click()
        self.js("document.getElementById('b').value = '\\\\-\\\\'")  # a stale translation, not sent
        self.nadaj("sos", 8)  # 150 ms a unit: a dot tells from a dash however late a timer fires
        WebDriverWait(self.p, 5).until(lambda _: self.js("return CSS.highlights.has('nadawana')"))
        self.assertIn(self.js("return [...CSS.highlights.get('nadawana')][0].toString()"), "so")
        WebDriverWait(self.p, 10).until(lambda _: self.stan() == "Nadano.")
        zapis = self.js("return {lampa, ...zapis}")
        self.assertEqual(kropki_i_kreski(zapis["lampa"], 150), "...---...")
        self.assertEqual(kropki_i_kreski(zapis["latarka"], 150), "...---...")
        wibracje = [ms for _, ms in zapis["wibracje"] if ms > 0]
        self.assertEqual("".join("." if ms < 300 else "-" for ms in wibracje), "...---...")
        self.assertFalse(zapis["lampa"][-1][1] or zapis["latarka"][-1][1], "off at the end")
        self.assertFalse(self.js("return CSS.highlights.has('nadawana') || !!document.querySelector('.lustro')"))
        self.assertEqual(self.js("return naruszenia"), [], "within the content security policy")

    def test_zatrzymaj_tlumacz_i_czyszczenie_wyciszaja_od_razu(self):
        self.otworz()
        glosnosc = "const d = new Float32Array(nasluch.fftSize); nasluch.getFloatTimeDomainData(d); " \
                   "return Math.max(...d.map(Math.abs))"
        for przycisk in ("Zatrzymaj", "Tlumacz", "Wyczysc1"):
            with self.subTest(przycisk=przycisk):
                self.js("document.getElementById('a').value = ''")
                self.nadaj("eeeeeeeeee", 5)
                WebDriverWait(self.p, 5).until(lambda _: self.js(glosnosc) > 0.1)
                self.p.find_element(By.ID, przycisk).click()
                self.assertEqual(self.stan(), "Zatrzymano.")
                self.assertFalse(self.js("return document.getElementById('lampa').classList.contains('swieci')"))
                time.sleep(0.1)  # the analyser's 43 ms after the 5 ms fall
                self.assertEqual(self.js(glosnosc), 0)

    def test_dostepnosc_axe_podczas_nadawania(self):
        self.otworz()
        self.nadaj("sos sos sos", 12)
        with open(AXE, encoding="utf-8") as plik:
            self.js(plik.read())
        wynik = self.p.execute_async_script("axe.run(document).then((w) => arguments[0](w.violations))")
        self.assertTrue(self.js("return !!document.querySelector('.lustro')"), "still sending")
        self.assertEqual([(n["id"], [w["target"] for w in n["nodes"]]) for n in wynik], [])

    def test_kopiuj_3_miliony_znakow_i_udostepnij(self):
        self.otworz()
        self.p.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": self.serwer.adres.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.js("document.getElementById('a').value = 'Czuwaj! '.repeat(375000)")
        self.p.find_element(By.ID, "Kopiuja").click()
        WebDriverWait(self.p, 20).until(lambda _: self.stan().startswith("Skopiowano"))
        self.assertTrue(self.p.execute_async_script(
            "navigator.clipboard.readText().then((t) => arguments[0](t === document.getElementById('a').value))"))
        self.assertEqual(self.stan(), "Skopiowano pole górne: 3\u00a0000\u00a0000 znaków.")
        self.js("document.getElementById('b').value = '\\\\...\\\\---\\\\...\\\\'")
        self.p.find_element(By.ID, "Udostepnij").click()
        WebDriverWait(self.p, 5).until(lambda _: self.js("return zapis.udostepnione.length"))
        self.assertEqual(self.js("return zapis.udostepnione"), ["\\...\\---\\...\\"])

    def test_czego_przegladarka_nie_daje_jest_wylaczone_z_powodem(self):
        self.p.execute_cdp_cmd("Emulation.setEmulatedMedia",
                               {"features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})
        self.otworz(zastepcy=False)
        WebDriverWait(self.p, 5).until(lambda _: self.js("return document.getElementById('przezLatarke').disabled"))
        wybory = self.js("""return ['przezLatarke', 'przezWibracje', 'przezLampe', 'przezDzwiek'].map((id) => {
            const w = document.getElementById(id);
            return [w.disabled, w.checked, document.getElementById(w.getAttribute('aria-describedby'))?.textContent];
        })""")
        self.assertEqual([w[:2] for w in wybory], [[True, False], [True, False], [False, False], [False, True]])
        self.assertTrue(wybory[0][2].startswith("niedostępna:") and wybory[1][2].startswith("niedostępne:"))
        self.assertFalse(self.p.find_elements(By.ID, "Udostepnij"), "no Web Share here")


SOS = "\\...\\---\\...\\"
# The letters of the first two lessons.
KODY = {"k": "-.-", "m": "--", "u": "..-"}
ODKODUJ = {kod: litera for litera, kod in KODY.items()}
# Each ramp the page puts on a gain, kept as [value, s of its context's clock].
RAMPY = """window.rampy = [];
const rampa = AudioParam.prototype.linearRampToValueAtTime;
AudioParam.prototype.linearRampToValueAtTime = function (w, t) { rampy.push([w, t]); return rampa.call(this, w, t); };"""


class Odbieranie(NaStronie):
    skrypty = (NARUSZENIA, ZASTEPCY)

    def setUp(self):
        ekran(self.p, 390, 844, 3, True)
        otworz(self.p, self.serwer.adres)

    def dotyk(self, punkt=None, kiedy=None):
        self.p.execute_cdp_cmd("Input.dispatchTouchEvent", {"timestamp": kiedy or time.time(),
            "type": "touchStart" if punkt else "touchEnd", "touchPoints": [{"x": punkt[0], "y": punkt[1]}] if punkt else []})

    def srodek(self, nazwa):
        return self.p.execute_script("""const e = document.getElementById(arguments[0]); e.scrollIntoView({block: 'nearest'});
            const r = e.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2];""", nazwa)

    def dotknij(self, nazwa):
        self.dotyk(self.srodek(nazwa))
        self.dotyk()

    def klawiatura(self, litery):
        for litera in litery.split(" "):
            for przycisk in [{".": "Kropka", "-": "Kreska"}[z] for z in litera] + ["KoniecLitery"]:
                self.dotknij(przycisk)

    def kluczem(self, litery, kropka=0.13, kreska=0.4, zapas=0.15, przycisk="Klucz", przerwa=None):
        """At about 9 words per minute, each touch stamped with its moment and sent a little ahead of it: a driver
        slowed by a loaded machine neither stretches a dot nor lets the page see a pause grow past its end. Letters
        are `przerwa` apart, a dash's length unless given."""
        klucz = self.srodek(przycisk)
        zegar = time.time() + zapas
        for litera in litery.split(" "):
            for i, znak in enumerate(litera):
                for punkt, sekundy in ((klucz, kropka if znak == "." else kreska),
                                       (None, kropka if i + 1 < len(litera) else przerwa or kreska)):
                    time.sleep(max(0.0, zegar - zapas - time.time()))
                    self.dotyk(punkt, zegar)
                    zegar += sekundy

    def test_nauka_lekcja_1_i_cwiczenie_nadawania(self):
        js = self.p.execute_script
        js(RAMPY)
        js("localStorage.clear()")
        self.dotknij("Nauka")
        self.assertEqual([js("return document.activeElement.id"), self.el("lekcja").text, self.el("literyLekcji").text],
                         ["lekcja", "Lekcja 1", "K M"])
        js("document.getElementById('czasLekcji').value = '0.5'")  # 20 and 10 words a minute to start with
        self.dotknij("Zacznij")
        WebDriverWait(self.p, 45, 0.2).until(lambda _: "Koniec grup" in self.el("stanLekcji").text)
        # The tones' edges, 5 ms ramps centred on them: at 20 WPM a dot 60 ms and a dash 180 ms.
        gora, dol = ([t - 0.0025 for w, t in js("return rampy") if (w > 0) == wlaczony] for wlaczony in (True, False))
        tony = [round((d - g) * 1000, 3) for g, d in zip(gora, dol)]
        przerwy = [round((g - d) * 1000, 3) for d, g in zip(dol, gora[1:])]
        self.assertEqual(set(tony), {60, 180})
        self.assertLess(abs(dol[-1] - gora[0] - 30), 6, "half a minute of groups")
        self.assertEqual({p for p in przerwy if p < 180}, {60}, "a dot's gap within letters")
        litery = min(p for p in przerwy if p > 60)  # Farnsworth's stretched gaps end letters, longer ones groups
        grupy, kod = [""], ""
        for ton, przerwa in zip(tony, przerwy + [math.inf]):
            kod += "." if ton == 60 else "-"
            if przerwa > 60:
                grupy[-1] += ODKODUJ.get(kod, "?")
                kod = ""
            if przerwa > 1.5 * litery:
                grupy.append("")
        tekst = " ".join(grupy).strip()
        self.assertEqual(set(tekst), set("km "), tekst)
        self.el("odebrane").send_keys(tekst, Keys.ENTER)
        self.assertEqual([self.el(n).text for n in ("wynikLekcji", "lekcja", "literyLekcji")], ["Wynik: 100 %", "Lekcja 2", "K M U"])
        js("document.getElementById('wynikLekcji').scrollIntoView({block: 'center'})")
        self.p.save_screenshot(os.path.join(ZRZUTY, "strona-nauka-wynik.png"))
        otworz(self.p, self.serwer.adres)
        self.dotknij("Nauka")
        self.assertEqual([self.el(n).text for n in ("lekcja", "literyLekcji")], ["Lekcja 2", "K M U"], "kept")
        # Sending practice, at 12 WPM with dashes of 2.2 dots.
        grupa = "mmmmm"
        while "." not in "".join(KODY[litera] for litera in grupa):  # with no dot, a dash's length is all there is
            self.dotknij("CwiczNadawanie")
            grupa = self.el("doNadania").text.lower().replace(" ", "")
        self.kluczem(" ".join(KODY[litera] for litera in grupa), 0.1, 0.22, przycisk="KluczCwiczen", przerwa=0.3)
        WebDriverWait(self.p, 10).until(lambda _: self.el("ocenaReki").is_displayed())
        self.assertIn(grupa.upper(), self.el("odczytane").text.replace(" ", ""))
        self.assertRegex(self.el("porady").text, r"Kreski.*2,2")
        js("document.getElementById('doNadania').scrollIntoView()")
        self.p.save_screenshot(os.path.join(ZRZUTY, "strona-nauka-nadawanie.png"))
        with open(AXE, encoding="utf-8") as plik:
            js(plik.read())
        wynik = self.p.execute_async_script("axe.run(document).then((w) => arguments[0](w.violations))")
        self.assertEqual([(n["id"], [w["target"] for w in n["nodes"]]) for n in wynik], [])

    def czekaj_na(self, pole, tekst):
        koniec = time.monotonic() + 5
        while self.tekst(pole) != tekst and time.monotonic() < koniec:
            time.sleep(0.05)
        self.assertEqual(self.tekst(pole), tekst)

    def klawiatura_schowana(self, pole):
        self.assertEqual([self.p.switch_to.active_element.get_attribute(c) for c in ("id", "inputmode")],
                         [pole, "none"], "the caret in the field, no keyboard over the panel")

    def test_klawiatura_usun_i_cofnij(self):
        self.klawiatura("... --- ...")
        self.dotknij("Odstep")
        self.assertEqual(self.tekst("a"), SOS + "\\")
        self.klawiatura_schowana("a")
        for tekst in (SOS, SOS[:-1], SOS[:-2]):  # the gap, the letter's end, a dot
            self.dotknij("Usun")
            self.assertEqual(self.tekst("a"), tekst)
        self.klawiatura(". .-")
        self.skrot("z")
        self.assertEqual(self.tekst("a"), SOS, "a letter is one undo step")
        self.dotknij("a")
        self.assertIsNone(self.el("a").get_attribute("inputmode"), "a tap into the field brings the keyboard")
        self.el("a").send_keys("\\")  # typed, not keyed: Usuń leaves it
        self.dotknij("Usun")
        self.assertEqual(self.tekst("a"), SOS + "\\")
        self.dotknij("Tlumacz")
        self.assertEqual(self.tekst("b"), "sos ")
        self.p.execute_script("document.getElementById('odbieranie').scrollIntoView()")
        self.p.save_screenshot(os.path.join(ZRZUTY, "strona-odbieranie.png"))

    def test_klucz_pod_palcem_i_spacja(self):
        self.p.execute_script(LAMPA)
        self.dotknij("b")
        self.kluczem("... --- ...")
        self.czekaj_na("b", SOS)
        self.klawiatura_schowana("b")
        self.assertEqual([swieci for _, swieci in self.p.execute_script("return lampa")], [True, False] * 9, "lit while held")
        self.dotknij("a")
        self.klawiatura("... --- ...")
        self.dotknij("Odstep")
        self.kluczem(".--. .- .-. .. ...")
        self.czekaj_na("a", SOS + "\\.--.\\.-\\.-.\\..\\...\\")
        self.dotknij("Tlumacz")
        self.assertEqual(self.tekst("b"), "sos paris")
        time.sleep(1.5)  # past a word gap: none is written after the last letter
        self.assertEqual(self.tekst("a"), SOS + "\\.--.\\.-\\.-.\\..\\...\\")
        self.p.execute_script("document.getElementById('Klucz').focus()")  # Space keys it: lamp and a quiet tone
        for klawisz, stan in ((ActionChains.key_down, [True, 0.1]), (ActionChains.key_up, [False, 0])):
            klawisz(ActionChains(self.p), Keys.SPACE).perform()
            time.sleep(0.1)  # the analyser's 43 ms after the 5 ms edge
            self.assertEqual(self.p.execute_script("""const d = new Float32Array(nasluch.fftSize);
                nasluch.getFloatTimeDomainData(d); return [document.getElementById('lampa').classList.contains('swieci'),
                Math.round(Math.max(...d.map(Math.abs)) * 100) / 100];"""), stan)



def kluczowanie(kody, jednostka, cisza=1.5):
    """Morse codes ("..." a letter, "" a word gap) as [(on?, seconds)], after
    `cisza` s off and before 1 s off."""
    odcinki = [(False, cisza)]
    for kod in kody:
        for znak in kod:
            odcinki += [(True, jednostka * (1 if znak == "." else 3)), (False, jednostka)]
        odcinki.append((False, (2 if kod else 4) * jednostka))  # 3 units after a letter, 7 at a word gap
    return odcinki + [(False, 1)]


def wav(sciezka, odcinki, ton=700, czestosc=16000):
    """The keying as a tone in a 16-bit mono WAV file."""
    probki = bytearray()
    for wlaczony, sekundy in odcinki:
        for _ in range(round(sekundy * czestosc)):
            n = len(probki) // 2
            probki += struct.pack("<h", round(12000 * math.sin(2 * math.pi * ton * n / czestosc)) if wlaczony else 0)
    with wave.open(sciezka, "wb") as plik:
        plik.setnchannels(1)
        plik.setsampwidth(2)
        plik.setframerate(czestosc)
        plik.writeframes(bytes(probki))


def pokoj(sciezka, zrodlo, rt60=0.4, echo=-10, zanik=12, okres=2):
    """The recording `zrodlo` as a phone carried about a room hears it: the
    tone fading by `zanik` dB and back every `okres` s, and the room's echo
    (Schroeder's four feedback combs, decaying by 60 dB in `rt60` s) `echo` dB
    against the direct sound."""
    with wave.open(zrodlo) as plik:
        czestosc = plik.getframerate()
        x = struct.unpack(f"<{plik.getnframes()}h", plik.readframes(plik.getnframes()))
    x = [v * 10 ** (-zanik / 20 * (0.5 - 0.5 * math.cos(2 * math.pi * n / czestosc / okres))) for n, v in enumerate(x)]
    opoznienia = [round(czestosc * s) for s in (0.0297, 0.0371, 0.0411, 0.0437)]
    grzebienie = [([0.0] * d, 10 ** (-3 * d / czestosc / rt60)) for d in opoznienia]
    poglos = []
    for n, v in enumerate(x):
        suma = 0.0
        for bufor, g in grzebienie:
            wyjscie = bufor[n % len(bufor)]
            bufor[n % len(bufor)] = v + g * wyjscie
            suma += wyjscie
        poglos.append(suma)
    skala = math.sqrt(sum(v * v for v in x) / max(sum(e * e for e in poglos), 1e-9) * 10 ** (echo / 10))
    y = [v + skala * e for v, e in zip(x, poglos)]
    najwiecej = max(abs(v) for v in y)
    with wave.open(sciezka, "wb") as plik:
        plik.setnchannels(1)
        plik.setsampwidth(2)
        plik.setframerate(czestosc)
        plik.writeframes(struct.pack(f"<{len(y)}h", *(round(v * 30000 / najwiecej) for v in y)))


def y4m(sciezka, odcinki, kl=30):
    """The keying as a bright spot at (0.7, 0.3) of a dark 160 x 120 video."""
    szer, wys = 160, 120
    with open(sciezka, "wb") as plik:
        plik.write(f"YUV4MPEG2 W{szer} H{wys} F{kl}:1 Ip A1:1 C420jpeg\n".encode())
        t = 0.0
        for wlaczony, sekundy in odcinki:
            for _ in range(round((t + sekundy) * kl) - round(t * kl)):
                luma = bytearray([20]) * (szer * wys)
                for y in range(24, 48) if wlaczony else ():
                    luma[y * szer + 100:y * szer + 124] = bytes([235]) * 24
                plik.write(b"FRAME\n" + luma + bytes([128]) * (szer * wys // 2))
            t += sekundy


def y4m_z_reki(sciezka, odcinki, kl=30):
    """The keying as a torch of 2 x 2 px held in a hand, seen from afar in a
    dark 160 x 120 video beside a steady street lamp: it drifts 3 px over the
    clip and shakes by a pixel or two at 3 and 5 Hz."""
    szer, wys = 160, 120
    klatki = [wlaczony for wlaczony, sekundy in odcinki for _ in range(round(sekundy * kl))]
    with open(sciezka, "wb") as plik:
        plik.write(f"YUV4MPEG2 W{szer} H{wys} F{kl}:1 Ip A1:1 C420jpeg\n".encode())
        for n, wlaczony in enumerate(klatki):
            t = n / kl
            dx = 3 * n / len(klatki) + 1.5 * math.sin(2 * math.pi * 5 * t) + math.sin(2 * math.pi * 3 * t + 1)
            dy = 1.5 * math.sin(2 * math.pi * 3 * t) + 0.5 * math.sin(2 * math.pi * 5 * t + 2)
            luma = bytearray([20]) * (szer * wys)
            for y in range(53, 56):  # the lamp, 20 px to the left, shaking with the rest
                luma[y * szer + round(92 + dx):y * szer + round(95 + dx)] = bytes([220]) * 3
            x, y = 112 + dx, 36 + dy
            for py in range(int(y), int(y) + 3) if wlaczony else ():  # the torch over the pixels it covers
                for px in range(int(x), int(x) + 3):
                    pokrycie = max(0, min(px + 1, x + 2) - max(px, x)) * max(0, min(py + 1, y + 2) - max(py, y))
                    luma[py * szer + px] += round(215 * pokrycie)
            plik.write(b"FRAME\n" + luma + bytes([128]) * (szer * wys // 2))


# "sos sos", and with the word gap that the pause after it makes.
SOS_SOS = "\\...\\---\\...\\\\...\\---\\...\\"
# Before the page's scripts: keeps every stream the page is given.
STRUMIENIE = """window.strumienie = [];
const pobierz = navigator.mediaDevices.getUserMedia.bind(navigator.mediaDevices);
navigator.mediaDevices.getUserMedia = async (o) => { const s = await pobierz(o); strumienie.push(s); return s; };"""


class Nasluch(unittest.TestCase):
    """Słuchaj, Patrz and Odbierz z nagrania over files that Chromium's fake
    devices play in real time; Zapisz dźwięk received back; the faults."""

    def setUp(self):
        self.katalog = tempfile.mkdtemp()
        self.serwer = Serwer(STRONA)
        self.przegladarki = []

    def tearDown(self):
        for p in self.przegladarki:
            self.assertEqual(p.execute_script("return window.naruszenia"), [])
            p.quit()
        self.serwer.zatrzymaj()
        shutil.rmtree(self.katalog)

    def otworz(self, *flagi, zgoda=True):
        """A new Chromium with the fake devices, which the user lets the page use unless zgoda is False."""
        zgoda = ("--use-fake-ui-for-media-stream",) if zgoda else ()
        self.p = chromium(1280, 800, "--use-fake-device-for-media-stream", *zgoda, *flagi)
        self.przegladarki.append(self.p)
        for skrypt in (NARUSZENIA, STRUMIENIE):
            self.p.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": skrypt})
        otworz(self.p, self.serwer.adres)

    def js(self, skrypt):
        return self.p.execute_script(skrypt)

    def czekaj(self, warunek, sekundy=20):
        try:
            WebDriverWait(self.p, sekundy, 0.1).until(lambda _: warunek())
        except TimeoutException:
            self.fail(f"the upper field {self.pole('a')!r}, the status {self.stan()!r}")

    def pole(self, nazwa):
        return self.js(f"return document.getElementById('{nazwa}').value")

    def stan(self):
        return self.js("return document.getElementById('stanNasluchu').textContent")

    def plik(self, nazwa, zapis, *argumenty):
        sciezka = os.path.join(self.katalog, nazwa)
        zapis(sciezka, *argumenty)
        return sciezka

    def test_sluchaj_sos(self):
        sos = self.plik("sos.wav", wav, kluczowanie(["...", "---", "..."], 1.2 / 18))  # 18 WPM
        self.otworz(f"--use-file-for-fake-audio-capture={sos}%noloop")
        self.p.find_element(By.ID, "Sluchaj").click()
        self.czekaj(lambda: re.search(r"Słychać ton 70\d Hz", self.stan()))  # while locked: it lets go after the tone
        self.czekaj(lambda: self.pole("a") == SOS)
        self.p.find_element(By.ID, "Sluchaj").click()
        self.assertEqual(self.js("return [document.getElementById('Sluchaj').ariaPressed, strumienie[0].getTracks()"
                                 ".map((s) => s.readyState)]"), ["false", ["ended"]], "the microphone let go")

    def test_patrz_sos(self):
        sos = self.plik("sos.y4m", y4m, kluczowanie(["...", "---", "..."], 0.2))
        self.otworz(f"--use-file-for-fake-video-capture={sos}")
        self.p.find_element(By.ID, "Patrz").click()
        self.czekaj(lambda: SOS in self.pole("a"), 30)  # the video loops: a pass read before the light's speed is known comes again
        self.js("document.getElementById('podglad').scrollIntoView({block: 'center'})")
        self.p.save_screenshot(os.path.join(ZRZUTY, "strona-patrz.png"))
        polozenie = self.js("const s = document.getElementById('swiatlo').style; return [s.left, s.top]")
        self.assertAlmostEqual(float(polozenie[0][:-1]), 70, delta=8)
        self.assertAlmostEqual(float(polozenie[1][:-1]), 30, delta=8)

    def test_patrz_latarka_z_reki(self):
        sos = self.plik("reka.y4m", y4m_z_reki, kluczowanie(["...", "---", "..."], 0.15, cisza=3))
        self.otworz(f"--use-file-for-fake-video-capture={sos}")
        self.p.find_element(By.ID, "Patrz").click()
        self.czekaj(lambda: SOS in self.pole("a"), 40)
        polozenie = self.js("const s = document.getElementById('swiatlo').style; return [s.left, s.top]")
        self.assertAlmostEqual(float(polozenie[0][:-1]), 71, delta=6)  # the torch, not the lamp at 58 %
        self.assertAlmostEqual(float(polozenie[1][:-1]), 31, delta=8)

    def zapisz_sos_sos(self):
        """"sos sos" saved by "Zapisz dźwięk": the path of the WAV."""
        self.otworz()
        self.p.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": self.katalog})
        self.p.find_element(By.ID, "a").send_keys("sos sos")
        self.p.find_element(By.ID, "ZapiszDzwiek").click()
        zapisany = os.path.join(self.katalog, "wirlok-nadanie.wav")
        WebDriverWait(self.p, 10).until(lambda _: os.path.exists(zapisany))
        time.sleep(0.5)  # written whole
        return zapisany

    def test_zapisz_dzwiek_odbierz_z_nagrania_i_przez_mikrofon(self):
        zapisany = self.zapisz_sos_sos()
        with wave.open(zapisany) as plik:
            self.assertEqual((plik.getnchannels(), plik.getsampwidth()), (1, 2))
            self.assertAlmostEqual(plik.getnframes() / plik.getframerate(), 2 + 6.1, delta=0.01)  # 61 units at 12 WPM
        self.p.find_element(By.ID, "Wyczysc1").click()
        self.p.find_element(By.ID, "nagranie").send_keys(zapisany)
        self.czekaj(lambda: self.stan().startswith("Odebrano"))
        self.assertEqual(self.pole("a"), SOS_SOS)
        self.otworz(f"--use-file-for-fake-audio-capture={zapisany}%noloop")
        self.p.find_element(By.ID, "Sluchaj").click()
        self.czekaj(lambda: self.pole("a") == SOS_SOS, 30)
        self.p.find_element(By.ID, "Tlumacz").click()
        self.assertEqual(self.pole("b"), "sos sos")

    def test_zapisz_dzwiek_i_sluchaj_w_pokoju_z_poglosem_w_ruchu(self):
        w_pokoju = self.plik("w-pokoju.wav", pokoj, self.zapisz_sos_sos())
        self.otworz(f"--use-file-for-fake-audio-capture={w_pokoju}%noloop")
        self.p.find_element(By.ID, "Sluchaj").click()
        self.czekaj(lambda: self.pole("a") == SOS_SOS, 30)

    def test_bledy_po_polsku_i_nic_nie_wpisane(self):
        cisza = self.plik("cisza.wav", wav, [(False, 2)])
        tekst = self.plik("tekst.wav", lambda s: pathlib.Path(s).write_text("to nie dźwięk"))
        self.otworz(zgoda=False)
        for uprawnienie in ("microphone", "camera"):
            self.p.execute_cdp_cmd("Browser.setPermission", {"origin": self.serwer.adres.rstrip("/"),
                                                             "permission": {"name": uprawnienie}, "setting": "denied"})
        self.p.find_element(By.ID, "a").send_keys("zostaje")
        # [what is done, the start of the status line, the toggle's state]
        przypadki = [("Sluchaj", "Brak zgody na użycie mikrofonu", "false"), ("Patrz", "Brak zgody na użycie aparatu", "false"),
                     (tekst, "Nie można odebrać „tekst.wav”: to nie jest nagranie", None),
                     (cisza, "W nagraniu „cisza.wav” nie słychać tonu Morse'a", None)]
        for co, stan, wcisniety in przypadki:
            with self.subTest(co=os.path.basename(co)):
                if wcisniety:
                    self.p.find_element(By.ID, co).click()
                else:
                    self.p.find_element(By.ID, "nagranie").send_keys(co)
                self.czekaj(lambda: self.stan().startswith(stan))
                if wcisniety:
                    self.assertEqual(self.js(f"return document.getElementById('{co}').ariaPressed"), wcisniety)
        self.assertEqual(self.pole("a"), "zostaje")

    def test_mikrofon_odlaczony_lub_strona_schowana(self):
        self.otworz()
        # [what takes the microphone away, the status line after it]
        przypadki = [(lambda: self.js("strumienie.at(-1).getAudioTracks()[0].dispatchEvent(new Event('ended'))"),
                      "Mikrofon został odłączony: słuchanie przerwane."),
                     (lambda: self.p.switch_to.new_window("tab"), "Strona schowana: wyłączono mikrofon.")]
        okno = self.p.current_window_handle
        for zabierz, komunikat in przypadki:
            with self.subTest(komunikat):
                self.p.find_element(By.ID, "Sluchaj").click()
                self.czekaj(lambda: self.stan().startswith("Słucham"))
                zabierz()
                self.p.switch_to.window(okno)
                self.czekaj(lambda: self.stan() == komunikat, 5)
                self.assertEqual(self.js("return [document.getElementById('Sluchaj').ariaPressed, "
                                         "strumienie.at(-1).getAudioTracks()[0].readyState]"), ["false", "ended"])

if __name__ == "__main__":
    os.makedirs(ZRZUTY, exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
