#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The Windows zip holds the program, its read-me and the licence at its top.
#   paczka_zip.sh BUILD_DIR
set -euo pipefail
zip=$(ls "$1"/wirlok-*-windows-x64.zip)
zawartosc=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$zawartosc" = "CZYTAJMNIE.txt LICENSE.txt wirlok.exe " ] || { echo "FAIL: $(basename "$zip") holds: $zawartosc" >&2; exit 1; }
echo "ok: $(basename "$zip"), $(stat -c %s "$zip") bytes"
