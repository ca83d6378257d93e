#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Uses the built program as a person would: types Polish text, picks
# ciphers with the keyboard, clicks the buttons at their places, reads the
# fields through the clipboard and closes the window.
#   wirlok_e2e.sh SCREENSHOT COMMAND...   (COMMAND starts the program)
set -euo pipefail
screenshot=$1
shift
ZRZUT=$screenshot  # on failure too
source "$(dirname "$0")/x11.sh"

mkdir -p "$(dirname "$screenshot")"
uruchom_x

start=$(date +%s%N)
DZIENNIKI+=("$screenshot.log")
/usr/bin/time -v -o "$screenshot.time" "$@" 2>"$screenshot.log" &
pid=$!
pids+=("$pid")
czekaj_na_okno
echo "window shown after $((($(date +%s%N) - start) / 1000000)) ms"
sleep 1  # as a person would before typing: the program finishes starting

# Places, in pixels of the client area: the centres of the controls.
POLE_A=(112 18); LISTA=(264 18); POLE_B=(156 66)
TLUMACZ=(58 117); WYCZYSC1=(158 117); WYCZYSC2=(258 117)

# Brought to the front as a person would (openbox does not always give a
# new Wine window the focus); the window gives its focus to Translate.
xdotool windowactivate --sync "$OKNO"
sleep 0.2

# The keyboard alone, from the focus on Translate: Space presses a button,
# Tab and Shift+Tab follow the tab order Tlumacz, b, Wyczysc1, Wyczysc2,
# listaszyfrow, a. Translating two empty fields writes "\" to the upper.
xdotool key space
sleep 0.2
xdotool key Tab Tab space  # Wyczysc1 empties the upper field again
xdotool key Tab Tab Tab    # to a, past Wyczysc2 and the list
pisz "sos"
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
sleep 0.2
oczekuj "keyboard only" "$(odczytaj "${POLE_B[@]}")" '\...\---\...\'

kliknij "${WYCZYSC1[@]}"
kliknij "${POLE_A[@]}"
pisz "Zażółć gęślą jaźń"
kliknij "${TLUMACZ[@]}"
oczekuj "Morse code in the lower field" "$(odczytaj "${POLE_B[@]}")" \
    '\--..\.-\--..\---\.-..\-.-.\\--.\.\...\.-..\.-\\.---\.-\--..\-.\'

kliknij "${WYCZYSC1[@]}"
oczekuj "upper field cleared" "$(odczytaj "${POLE_A[@]}")" ""
kliknij "${TLUMACZ[@]}"
oczekuj "decoded into the upper field" "$(odczytaj "${POLE_A[@]}")" "zazolc gesla jazn"

# The next entry, Gaderypoluki, chosen with the keyboard.
kliknij "${LISTA[@]}"
xdotool key Down
kliknij "${TLUMACZ[@]}"
oczekuj "Gaderypoluki" "$(odczytaj "${POLE_B[@]}")" "zgzpuc adsug jgzn"

# Typed text that is no entry: Translate does nothing.
kliknij "${LISTA[@]}"
zaznacz_wszystko
pisz "Szyfr"
kliknij "${WYCZYSC2[@]}"
kliknij "${TLUMACZ[@]}"
oczekuj "no entry selected" "$(odczytaj "${POLE_B[@]}")" ""

# Flashpoint, the last entry, from the open list.
kliknij "${LISTA[@]}"
xdotool key F4
sleep 0.3
xdotool key Up Up Up Up Down Down Down Return
sleep 0.2
kliknij "${TLUMACZ[@]}"
oczekuj "Flashpoint" "$(odczytaj "${POLE_B[@]}")" "zszifc geafs jszt"

zrzut "$screenshot"

# Undo brings back what a clear took away.
kliknij "${WYCZYSC2[@]}"
kliknij "${POLE_B[@]}"
xdotool key --clearmodifiers ctrl+z
oczekuj "undo of a clear" "$(odczytaj "${POLE_B[@]}")" "zszifc geafs jszt"

# A pasted text of two lines is kept whole.
kliknij "${WYCZYSC1[@]}"
printf 'Ala ma\nkota' | xclip -selection clipboard >/dev/null 2>&1
kliknij "${POLE_A[@]}"
xdotool key --clearmodifiers ctrl+v
kliknij "${TLUMACZ[@]}"
oczekuj "pasted lines" "$(odczytaj "${POLE_B[@]}")" "$(printf 'Sfs ms\nkins')"

# Longer than the 32,767 characters a field holds by default: nothing is cut.
kliknij "${WYCZYSC1[@]}"
printf 'Ala ma kota %.0s' $(seq 3000) | xclip -selection clipboard >/dev/null 2>&1
kliknij "${POLE_A[@]}"
xdotool key --clearmodifiers ctrl+v
kliknij "${TLUMACZ[@]}"
oczekuj "36,000 characters" "$(odczytaj "${POLE_B[@]}")" "$(printf 'Sfs ms kins %.0s' $(seq 3000))"

zamknij_i_czekaj "$pid"
echo "peak memory: $(awk -F': ' '/Maximum resident/ {print $2}' "$screenshot.time") kB"
echo "ok: the program ended when its window was closed"
