#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Every Debian package that the program's own build used (tools, headers,
# CMake packages, libraries) comes with the run list of install-deps: a
# newcomer's `make run` installs only that list.
#   zaleznosci_run.sh BUILD_DIR INSTALL_DEPS
# BUILD_DIR is a clean build of the run preset, without the tests.
set -euo pipefail
budowa=$1
instalator=$2

# Files: the headers each object was compiled from, the commands of the
# build, the CMake package files found, the libraries the program loads.
pliki() {
    ninja -C "$budowa" -t deps | awk '/^    \// { print $1 }'
    ninja -C "$budowa" -t commands wirlok | awk '{ print $1 }' | grep '^/' || true
    grep -E '^(CMAKE_COMMAND|CMAKE_MAKE_PROGRAM|CMAKE_CXX_COMPILER):' "$budowa/CMakeCache.txt" | sed 's/^[^=]*=//'
    grep -E '^[A-Za-z0-9_]+_DIR:' "$budowa/CMakeCache.txt" | sed 's/^[^=]*=//' | grep '/cmake/' \
        | xargs -r -I{} find {} -maxdepth 1 -type f
    ldd "$budowa/app/wirlok" | awk '$3 ~ /^\// { print $3 }'
}

# The package of each file, looked up by the path as named and as resolved.
pakiety() {
    local plik
    while read -r plik; do
        echo "$plik"
        readlink -f "$plik"
    done | sort -u | { xargs dpkg -S 2>/dev/null || true; } | cut -d: -f1 | tr ',' '\n' | sed 's/^ *//' | sort -u
}

# What the run list brings: its packages, all they depend on, and what every
# Debian system has.
dozwolone() {
    # shellcheck disable=SC2046
    apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances $("$instalator" --list run) | grep -v '^ ' | sed 's/[<>]//g; s/:.*//'
    dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }'
}

uzyte=$(pliki | sort -u | pakiety)
[ -n "$uzyte" ] || { echo "FAIL: found no package that the build used" >&2; exit 1; }
brakujace=$(comm -23 <(echo "$uzyte") <(dozwolone | sort -u))
if [ -n "$brakujace" ]; then
    echo "FAIL: the build used packages that 'install-deps run' does not bring:" $brakujace >&2
    exit 1
fi
echo "ok: the $(wc -l <<<"$uzyte") packages the build used come with the run list"
