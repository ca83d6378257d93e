# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

"""The web page's speed in headless Chromium over the built site served on
127.0.0.1: the ready time of 10 loads (navigation start to the window
built, "Mors" selected and the focus on Tlumacz), and a 1,000,000-character
Polish text translated to Morse and back, from the click to the field
showing the result. Prints the numbers; sets no limit.
    strona.py SITE_DIR
"""
import statistics
import sys
import os

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from przegladarka import Serwer, chromium, otworz  # noqa: E402

PROZA = "Zażółć gęślą jaźń, ala ma kota, a kot ma Alę! "

# Clicks the button, then waits for the frame that shows the result.
KLIK = """const [przycisk, gotowe] = arguments;
const t0 = performance.now();
document.getElementById(przycisk).click();
requestAnimationFrame(() => setTimeout(() => gotowe(performance.now() - t0)));"""


def main():
    serwer = Serwer(sys.argv[1])
    p = chromium()
    try:
        otworz(p, serwer.adres)  # a first visit fills the caches
        czasy = sorted(otworz(p, serwer.adres) for _ in range(10))
        print(f"ready: median {statistics.median(czasy):.1f} ms, {czasy[0]:.1f} to {czasy[-1]:.1f} ms over 10 loads")

        tekst = (PROZA * (1_000_000 // len(PROZA) + 1))[:1_000_000]
        p.execute_script("document.getElementById('a').value = arguments[0]", tekst)
        tam = p.execute_async_script(KLIK, "Tlumacz")
        dlugosc = p.execute_script("return document.getElementById('b').value.length")
        p.execute_script("document.getElementById('Wyczysc1').click()")
        z_powrotem = p.execute_async_script(KLIK, "Tlumacz")
        wrocil = p.execute_script("return document.getElementById('a').value.length")
        print(f"1,000,000 characters to Morse ({dlugosc:,} characters): {tam:.0f} ms")
        print(f"and back ({wrocil:,} characters): {z_powrotem:.0f} ms")
    finally:
        p.quit()
        serwer.zatrzymaj()


if __name__ == "__main__":
    main()
