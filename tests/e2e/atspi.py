# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

"""The window as a screen reader meets it, through AT-SPI: roles and Polish
names, choosing a cipher, focus, pressing Translate, reading the result.
Runs beside the program, in its D-Bus session and X display."""
import subprocess
import sys
import time

import pyatspi

TYTUL = "Wirlok by DREVNOK"
# [role, name] of the window's children, in tab order
DZIECI = [("push button", "Przetłumacz"), ("text", "Pole dolne"), ("push button", "Wyczyść górę"),
          ("push button", "Wyczyść dół"), ("combo box", "Lista szyfrów"), ("text", "Pole górne")]
niezdane = 0


def sprawdz(co, jest, ma_byc):
    global niezdane
    if jest == ma_byc:
        print(f"ok: {co}")
    else:
        niezdane += 1
        print(f"FAIL: {co}: got {jest!r}, expected {ma_byc!r}")


def czekaj(warunek, sekundy=10):
    koniec = time.monotonic() + sekundy
    while time.monotonic() < koniec:
        if warunek():
            return True
        time.sleep(0.1)
    return False


def wykonaj(obiekt, akcja):
    akcje = obiekt.queryAction()
    akcje.doAction([akcje.getName(i) for i in range(akcje.nActions)].index(akcja))


def okno():
    for aplikacja in pyatspi.Registry.getDesktop(0):
        for i in range(aplikacja.childCount if aplikacja else 0):
            dziecko = aplikacja.getChildAtIndex(i)
            if dziecko.name == TYTUL:
                return dziecko
    return None


def skupiony(dziecko):
    return dziecko.getState().contains(pyatspi.STATE_FOCUSED)


czekaj(okno, 30)
ramka = okno()
if ramka is None:
    sys.exit("FAIL: no window in the AT-SPI tree")
sprawdz("the window's role", ramka.getRoleName(), "frame")
dzieci = [ramka.getChildAtIndex(i) for i in range(ramka.childCount)]
sprawdz("the controls' roles and names", [(d.getRoleName(), d.name) for d in dzieci], DZIECI)
tlumacz, b, _, _, lista, a = dzieci

sprawdz("the first focus", czekaj(lambda: skupiony(tlumacz)), True)
subprocess.run(["xdotool", "key", "Tab"], check=True)
sprawdz("Tab moves the focus to the lower field", czekaj(lambda: skupiony(b) and not skupiony(tlumacz)), True)

# Gaderypoluki chosen through its entry's action, text set through the
# field's editable text, Translate pressed through its action: the lower
# field then reads "Gug mg iptg", which only that cipher gives.
wykonaj(lista.getChildAtIndex(0).getChildAtIndex(1), "Toggle")
a.queryEditableText().setTextContents("Ala ma kota")
wykonaj(tlumacz, "Press")
tekst = b.queryText()
czekaj(lambda: tekst.getText(0, -1) == "Gug mg iptg")
sprawdz("Translate pressed through AT-SPI, the lower field read back", tekst.getText(0, -1), "Gug mg iptg")
sprawdz("the list's name whatever entry it shows", lista.name, "Lista szyfrów")
sys.exit(1 if niezdane else 0)
