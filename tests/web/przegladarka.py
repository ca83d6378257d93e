# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

"""The built site served on 127.0.0.1 and a headless Chromium driving it.
Shared by the end-to-end test and the page's benchmark."""
import functools
import http.server
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

TYPY = {".wasm": "application/wasm", ".js": "text/javascript", ".webmanifest": "application/manifest+json"}


class Obsluga(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPY}

    def log_message(self, *_):
        pass


class Serwer:
    """The site over HTTP on a free port of 127.0.0.1, until zatrzymaj()."""

    def __init__(self, strona, port=0):
        obsluga = functools.partial(Obsluga, directory=strona)
        self.serwer = http.server.ThreadingHTTPServer(("127.0.0.1", port), obsluga)
        self.adres = f"http://127.0.0.1:{self.serwer.server_port}/"
        threading.Thread(target=self.serwer.serve_forever, daemon=True).start()

    def zatrzymaj(self):
        self.serwer.shutdown()
        self.serwer.server_close()


def chromium(szerokosc=1280, wysokosc=800, *flagi):
    """A new headless Chromium with an empty profile, kept off the network
    but for the page; flagi are further command-line switches."""
    opcje = webdriver.ChromeOptions()
    opcje.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     f"--window-size={szerokosc},{wysokosc}", f"--user-data-dir={tempfile.mkdtemp()}", *flagi):
        opcje.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=opcje)


def otworz(przegladarka, adres):
    """Loads the page and waits until it is ready: window built, "Mors"
    selected, focus on Tlumacz. Returns the ready time in ms."""
    przegladarka.get(adres)
    return float(WebDriverWait(przegladarka, 20).until(
        lambda p: p.execute_script("return document.documentElement.dataset.gotowe")))
