#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Two builds of the same sources in two folders give the same .deb and the
# same wirlok.exe, bit for bit.
#   odtwarzalnosc.sh BUILD_DIR_A BUILD_DIR_B
set -euo pipefail
for plik in wydanie/wirlok_*.deb windows/window/win32/wirlok.exe; do
    # shellcheck disable=SC2086
    sumy=$(cd "$1" && sha256sum $plik; cd "$2" && sha256sum $plik)
    echo "$sumy"
    [ "$(cut -d' ' -f1 <<<"$sumy" | sort -u | wc -l)" -eq 1 ] || { echo "FAIL: the two builds of $plik differ" >&2; exit 1; }
done
