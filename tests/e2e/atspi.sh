#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Starts the program under Xvfb with a D-Bus session and the AT-SPI bus, as
# a screen reader's desktop has them, and checks it through AT-SPI (atspi.py).
#   atspi.sh PROGRAM
set -euo pipefail
program=$1
[ -x /usr/libexec/at-spi-bus-launcher ] && command -v dbus-run-session >/dev/null \
    || { echo "SKIP: no D-Bus session or AT-SPI bus"; exit 77; }
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/x11.sh"
uruchom_x
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# What a running screen reader switches on through the bus.
DZIENNIKI+=("$(mktemp)")
trap 'zakoncz; rm -f "${DZIENNIKI[0]}"' EXIT
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >/dev/null 2>"${DZIENNIKI[0]}" &
pids+=($!)
czekaj_na_okno
xdotool windowactivate --sync "$OKNO"
/usr/bin/python3 "$(dirname "$0")/atspi.py"
