#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The window on a Wayland session: a headless weston, Qt's Wayland platform.
# The widget test maximises the window, as Qt's own title bar offers there,
# and translates in it; then the program itself starts and keeps running,
# and a screenshot shows what the user sees.
#   wayland.sh WIDGET_TESTS PROGRAM SCREENSHOT
set -euo pipefail
testy=$1 program=$2 zrzut=$3
command -v weston >/dev/null || { echo "SKIP: no weston"; exit 77; }
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR WAYLAND_DISPLAY=wayland-wirlok QT_QPA_PLATFORM=wayland
source "$(dirname "$0")/sanitizer.sh"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$XDG_RUNTIME_DIR"' EXIT
nie() { powiedz_porazke "$*"; exit 1; }

weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --width=640 --height=400 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || nie "weston did not start"

DZIENNIKI=("$XDG_RUNTIME_DIR/testy.log")
"$testy" maksymalizacjaZostawiaOkno 2>"${DZIENNIKI[0]}" || nie "the window did not survive being maximised"

DZIENNIKI+=("$XDG_RUNTIME_DIR/program.log")
"$program" 2>"${DZIENNIKI[1]}" &
pid=$!
pids+=("$pid")
sleep 2
kill -0 "$pid" 2>/dev/null || nie "the program ended on its own"
mkdir -p "$(dirname "$zrzut")"
(cd "$(dirname "$zrzut")" && rm -f wayland-screenshot-*.png && timeout 20 weston-screenshooter \
    && mv wayland-screenshot-*.png "$(basename "$zrzut")") || nie "no screenshot"
echo "screenshot: $zrzut"
kill -0 "$pid" 2>/dev/null || nie "the program ended on its own"
echo "ok: the program runs on Wayland"
