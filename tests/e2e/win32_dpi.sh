#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The Windows program on a screen of 144 dpi (150 %): the client area is
# 4680 x 1965 twips at that resolution, 468 x 197 pixels, drawn sharp.
#   win32_dpi.sh SCREENSHOT PROGRAM.exe
set -euo pipefail
screenshot=$1
program=$2
source "$(dirname "$0")/x11.sh"

WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-144dpi"
export WINEPREFIX
mkdir -p "$(dirname "$screenshot")"

uruchom_x
"$(dirname "$0")/wine.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wine "$program" &
pid=$!
pids+=("$pid")
czekaj_na_okno

# Wine draws the frame of a tool window itself: a border on three sides
# and the caption on top.
eval "$(xdotool getwindowgeometry --shell "$OKNO")"
ramka=$(((WIDTH - 468) / 2))
[ "$((WIDTH - 2 * ramka))" -eq 468 ] && [ "$ramka" -le 8 ] || nie "window width $WIDTH is no 468-pixel client area"
[ "$((HEIGHT - ramka - 197))" -ge 18 ] && [ "$((HEIGHT - ramka - 197))" -le 48 ] || nie "window height $HEIGHT is no 197-pixel client area"
echo "ok: client area 468 x 197 at 144 dpi (window $WIDTH x $HEIGHT)"
zrzut "$screenshot"
zamknij_i_czekaj "$pid"
