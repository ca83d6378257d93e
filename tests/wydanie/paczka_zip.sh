#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The Windows zip holds the program, its read-me and the licence at its top,
# and every file the read-me names; the web site's zip holds the site in a
# folder of the release's name.
#   paczka_zip.sh RELEASE_DIR
set -euo pipefail
nie() { echo "FAIL: $*" >&2; exit 1; }
rozpakowany=$(mktemp -d)
trap 'rm -rf "$rozpakowany"' EXIT
zip=$(realpath "$1"/wirlok-*-windows-x64.zip)
zawartosc=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$zawartosc" = "CZYTAJMNIE.txt LICENSE.txt wirlok.exe " ] || nie "$(basename "$zip") holds: $zawartosc"
(cd "$rozpakowany" && cmake -E tar xf "$zip")
for nazwa in $(grep -o '[A-Za-z]*\.\(txt\|exe\)' "$rozpakowany/CZYTAJMNIE.txt" | sort -u); do
    [[ " $zawartosc" == *" $nazwa "* ]] || nie "CZYTAJMNIE.txt names $nazwa, which $(basename "$zip") does not hold"
done
echo "ok: $(basename "$zip"), $(stat -c %s "$zip") bytes"

strona=$(ls "$1"/wirlok-*-web.zip)
folder=$(basename "$strona" .zip)
zawartosc=$(cmake -E tar tf "$strona")
for plik in index.html wirlok.wasm wirlok.js modul.js styl.css sw.js manifest.webmanifest wirlok-192.png; do
    grep -qx "$folder/$plik" <<<"$zawartosc" || nie "$(basename "$strona") has no $folder/$plik"
done
echo "ok: $(basename "$strona"), $(stat -c %s "$strona") bytes, $(grep -vc '/$' <<<"$zawartosc") files"
