#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Two releases of the same commit, made in two folders, are the same files
# bit for bit: the source tarball, the .deb, the Windows zip and installer,
# the web site's zip and SHA256SUMS, which holds the sums of all the others.
#   odtwarzalnosc.sh RELEASE_DIR_A RELEASE_DIR_B
set -euo pipefail
nie() { echo "FAIL: $*" >&2; exit 1; }
pliki=$(cd "$1" && ls | tr '\n' ' ')
wersja=$(grep -o 'wirlok-[0-9.]*\.tar\.gz' <<<"$pliki" | sed 's/^wirlok-//; s/\.tar\.gz$//')
oczekiwane="SHA256SUMS wirlok-$wersja-web.zip wirlok-$wersja-windows-x64.zip wirlok-$wersja-x64.msi wirlok-$wersja.tar.gz wirlok_${wersja}_amd64.deb "
[ "$pliki" = "$oczekiwane" ] || nie "the release holds: $pliki"
(cd "$1" && sha256sum --quiet -c SHA256SUMS) || nie "SHA256SUMS does not match the files"
[ "$(wc -l <"$1/SHA256SUMS")" -eq 5 ] || nie "SHA256SUMS does not name the five files"
for plik in $pliki; do
    cmp -s "$1/$plik" "$2/$plik" || nie "the two releases' $plik differ"
    printf '%8d  %s\n' "$(stat -c %s "$1/$plik")" "$(grep -F "  $plik" "$1/SHA256SUMS" || echo "$plik")"
done
echo "ok: both releases are the same, bit for bit"
