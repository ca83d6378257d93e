# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

"""The page as a person uses it, in a real headless Chromium over the built
site served on 127.0.0.1: keyboard and mouse, undo, the clipboard, long
texts, a phone's screen, accessibility and use with no network.
    strona_e2e.py SITE_DIR SCREENSHOT_DIR AXE_JS
"""
import os
import shutil
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from przegladarka import Serwer, chromium, otworz

STRONA, ZRZUTY, AXE = sys.argv[1:4]
KONTROLKI = {"a": "textarea", "listaszyfrow": "select", "Wyczysc2": "button", "Wyczysc1": "button",
             "b": "textarea", "Tlumacz": "button"}
KOLEJNOSC_TAB = ["Tlumacz", "b", "Wyczysc1", "Wyczysc2", "listaszyfrow", "a"]
WYMIARY_PRZYCISKOW = """return [...document.querySelectorAll('button')].map((p) => ({
    id: p.id, miesci: p.scrollWidth <= p.clientWidth, wysokosc: p.getBoundingClientRect().height}))"""


class Strona(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.serwer = Serwer(STRONA)
        cls.p = chromium()

    @classmethod
    def tearDownClass(cls):
        cls.p.quit()
        cls.serwer.zatrzymaj()

    def setUp(self):
        self.p.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        otworz(self.p, self.serwer.adres)

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
        self.assertEqual([self.el(n).get_attribute("aria-label") for n in ("a", "b", "listaszyfrow")],
                         ["Pole górne", "Pole dolne", "Lista szyfrów"])
        self.assertEqual(p.switch_to.active_element.get_attribute("id"), "Tlumacz")

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
        # [screen width, height, pixel ratio, phone?, screenshot]
        ekrany = [(360, 740, 3, True, None), (390, 844, 3, True, "strona-telefon.png"),
                  (430, 932, 3, True, None), (1280, 800, 1, False, "strona-komputer.png")]
        for szerokosc, wysokosc, gestosc, telefon, zrzut in ekrany:
            with self.subTest(szerokosc=szerokosc):
                self.p.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": szerokosc, "height": wysokosc, "deviceScaleFactor": gestosc, "mobile": telefon})
                otworz(self.p, self.serwer.adres)
                okno = self.p.execute_script("""const r = document.getElementById('Form1').getBoundingClientRect();
                    return {prawo: r.right, szerokosc: r.width, przewijanie: document.documentElement.scrollWidth,
                            ekran: document.documentElement.clientWidth}""")
                self.assertLessEqual(okno["prawo"], szerokosc)
                self.assertLessEqual(okno["przewijanie"], okno["ekran"], "no sideways scrolling")
                self.assertLessEqual(okno["szerokosc"], 2 * 312 + 0.5)
                for przycisk in self.p.execute_script(WYMIARY_PRZYCISKOW):
                    self.assertTrue(przycisk["miesci"], f"{przycisk['id']}: the caption fits")
                    if telefon:
                        self.assertGreaterEqual(przycisk["wysokosc"], 24 - 0.01, przycisk["id"])
                if zrzut:
                    self.p.save_screenshot(os.path.join(ZRZUTY, zrzut))

    def test_dostepnosc_axe(self):
        with open(AXE, encoding="utf-8") as plik:
            self.p.execute_script(plik.read())
        wynik = self.p.execute_async_script("axe.run(document).then((w) => arguments[0](w.violations))")
        self.assertEqual([(n["id"], [w["target"] for w in n["nodes"]]) for n in wynik], [])


class PamiecStrony(unittest.TestCase):
    """The service worker's cache: the site with no network, and a new version."""

    def setUp(self):
        self.kopia = tempfile.mkdtemp()
        shutil.copytree(STRONA, self.kopia, dirs_exist_ok=True)
        self.serwer = Serwer(self.kopia)
        self.p = chromium()
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

    def test_nowa_wersja_zastepuje_stara_pamiec(self):
        [stara] = self.pamieci()
        sw = os.path.join(self.kopia, "sw.js")
        with open(sw, encoding="utf-8") as plik:
            tresc = plik.read()
        with open(sw, "w", encoding="utf-8") as plik:
            plik.write(tresc.replace(stara, "wirlok-nowa"))
        otworz(self.p, self.serwer.adres)
        WebDriverWait(self.p, 20).until(lambda _: self.pamieci() == ["wirlok-nowa"])


if __name__ == "__main__":
    os.makedirs(ZRZUTY, exist_ok=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
