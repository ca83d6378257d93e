#!/usr/bin/env bash
# Uses the built program as a person would: types Polish text, picks
# ciphers with the keyboard, clicks the buttons at their places, reads the
# fields through the clipboard and closes the window.
#   qt_e2e.sh PROGRAM SCREENSHOT
set -euo pipefail
program=$1
screenshot=$2
ZRZUT=$screenshot  # on failure too
source "$(dirname "$0")/x11.sh"

mkdir -p "$(dirname "$screenshot")"
uruchom_x

start=$(date +%s%N)
/usr/bin/time -v -o "$screenshot.time" "$program" &
pid=$!
pids+=("$pid")
czekaj_na_okno
echo "window shown after $((($(date +%s%N) - start) / 1000000)) ms"
sleep 1  # as a person would before typing: the program finishes starting

# Places, in pixels of the client area: the centres of the controls.
POLE_A=(112 18); LISTA=(264 18); POLE_B=(156 66)
TLUMACZ=(58 117); WYCZYSC1=(158 117); WYCZYSC2=(258 117)

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
xdotool key --clearmodifiers ctrl+a
pisz "Szyfr"
kliknij "${WYCZYSC2[@]}"
kliknij "${TLUMACZ[@]}"
oczekuj "no entry selected" "$(odczytaj "${POLE_B[@]}")" ""

# Flashpoint, two entries below Gaderypoluki in the open list.
kliknij "${LISTA[@]}"
xdotool key ctrl+a
pisz "Gaderypoluki"
xdotool key Down Down
kliknij "${TLUMACZ[@]}"
oczekuj "Flashpoint" "$(odczytaj "${POLE_B[@]}")" "zszifc geafs jszt"

zrzut "$screenshot"
zamknij_i_czekaj "$pid"
echo "peak memory: $(awk -F': ' '/Maximum resident/ {print $2}' "$screenshot.time") kB"
echo "ok: the program ended when its window was closed"
