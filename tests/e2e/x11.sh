# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Helpers for driving a program in a real X session, as a person would:
# Xvfb with openbox, xdotool for the keyboard and the mouse, xclip for the
# clipboard. Sourced by the end-to-end tests.

source "$(dirname "${BASH_SOURCE[0]}")/sanitizer.sh"

TYTUL="Wirlok by DREVNOK"
# xdotool reads the text it types in the locale's encoding; with none set
# (as under a bare CI shell) it refuses Polish letters.
export LC_ALL=C.UTF-8
pids=()

zakoncz() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap zakoncz EXIT

nie() {
    powiedz_porazke "$*"
    [ -z "${OKNO:-}" ] || [ -z "${ZRZUT:-}" ] || zrzut "$ZRZUT"
    exit 1
}

# Starts Xvfb on a free display and openbox on it; tries again when the
# display was still being given up by an earlier server.
uruchom_x() {
    local program
    for program in Xvfb openbox setxkbmap xdotool xclip wmctrl; do
        command -v "$program" >/dev/null || { echo "SKIP: no $program"; exit 77; }
    done
    for _ in 1 2 3; do
        sprobuj_x && return
        zakoncz
        pids=()
        sleep 1
    done
    nie "Xvfb with openbox did not start"
}

sprobuj_x() {
    local fifo numer
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # -noreset: the server would otherwise reset, keyboard map and all,
    # whenever its last client leaves, as setxkbmap does before openbox comes.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    pids+=($!)
    read -r -t 20 numer <"$fifo" || numer=""
    rm -f "$fifo"
    [ -n "$numer" ] || return 1
    export DISPLAY=":$numer"
    # A Polish keyboard, as the program's users have. xdotool then types
    # Polish letters with AltGr; were they missing from the map, it would
    # remap a key for each, and the map reloads that follow in every X
    # client delay clicks on a loaded machine until they land astray.
    setxkbmap pl || return 1
    openbox >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 60 s for the window and sets OKNO to its id, and KLIENT_X
# and KLIENT_Y to where its client area starts within it: the window
# manager frames some windows, others (Wine's tool windows) draw their own
# caption and border.
czekaj_na_okno() {
    for _ in $(seq 1200); do
        OKNO=$(xdotool search --onlyvisible --name "^$TYTUL\$" 2>/dev/null | head -n1 || true)
        if [ -n "$OKNO" ]; then
            eval "$(xdotool getwindowgeometry --shell "$OKNO")"
            KLIENT_X=$(((WIDTH - 312) / 2))
            KLIENT_Y=$((HEIGHT - 131 - KLIENT_X))
            return
        fi
        sleep 0.05
    done
    nie "the window did not appear"
}

# Clicks at x y of the window's client area, in pixels.
kliknij() {
    xdotool mousemove --window "$OKNO" "$((KLIENT_X + $1))" "$((KLIENT_Y + $2))"
    sleep 0.1
    xdotool click 1
    sleep 0.3
}

# Selects the whole text of a single-line field, as both toolkits know it.
zaznacz_wszystko() {
    xdotool key --clearmodifiers Home shift+End
    sleep 0.2
}

pisz() {
    xdotool type --delay 100 "$1"
    sleep 0.2
}

# Reads a field's text through the clipboard: click into it, select all,
# copy. The clipboard is emptied first, since copying from an empty field
# leaves it as it was.
odczytaj() {
    printf '' | xclip -selection clipboard >/dev/null 2>&1
    kliknij "$1" "$2"
    zaznacz_wszystko
    xdotool key --clearmodifiers ctrl+c
    sleep 0.3
    xclip -o -selection clipboard 2>/dev/null
}

oczekuj() {
    local co=$1 jest=$2 ma_byc=$3
    [ "$jest" == "$ma_byc" ] || nie "$co: got '${jest:0:80}' (${#jest} characters), expected '${ma_byc:0:80}' (${#ma_byc})"
    echo "ok: $co"
}

# Saves a picture of the window with its frame.
zrzut() {
    import -window "$OKNO" -frame "$1"
    echo "screenshot: $1"
}

# Closes the window through the window manager; the process must end, and
# end well.
zamknij_i_czekaj() {
    local pid=$1 stan=0
    wmctrl -c "$TYTUL"
    for _ in $(seq 100); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" || stan=$?
            [ "$stan" -eq 0 ] || nie "the program ended with status $stan after its window was closed"
            return
        fi
        sleep 0.1
    done
    nie "the program still runs after its window was closed"
}
