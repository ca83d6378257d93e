#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Builds the shipped packages, the .deb and the Windows zip, from two clones
# of the sources in two different folders, as two packagers would. The
# working tree's uncommitted changes are carried into both clones.
#   zbuduj.sh SOURCE_DIR OUT_DIR
# Leaves OUT_DIR/{a/wirlok,drugi/inny-folder/wirlok} with build/wydanie
# (the .deb) and build/windows (wirlok.exe and the zip) in each.
set -euo pipefail
zrodla=$1
wyjscie=$2
git -C "$zrodla" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: $zrodla is not a git checkout"; exit 77; }
# A machine without a git identity still builds a package to check.
git config user.email >/dev/null || export DEBFULLNAME="Wirlok test build" DEBEMAIL="wirlok-test@example.org"

# A clone of the sources with the working tree's changes carried over.
sklonuj() {
    git clone --quiet --no-hardlinks "$1" "$2"
    (
        cd "$1"
        { git diff -z --name-only HEAD; git ls-files -z -o --exclude-standard; } | while IFS= read -r -d '' plik; do
            if [ -e "$plik" ]; then cp --parents -t "$2" "$plik"; else rm -f "$2/$plik"; fi
        done
    )
}

# The second clone is taken from the first: the same commit and changes,
# even when the sources change meanwhile, in files written anew.
rm -rf "$wyjscie"
sklonuj "$zrodla" "$wyjscie/a/wirlok"
sklonuj "$wyjscie/a/wirlok" "$wyjscie/drugi/inny-folder/wirlok"
for klon in "$wyjscie/a/wirlok" "$wyjscie/drugi/inny-folder/wirlok"; do
    (
        cd "$klon"
        cmake --preset wydanie >/dev/null
        cmake --build --preset wydanie >/dev/null
        (cd build/wydanie && cpack >/dev/null)
        cmake --preset windows -DBUILD_TESTING=OFF >/dev/null
        cmake --build --preset windows --target wirlok >/dev/null
        (cd build/windows && cpack >/dev/null)
    )
done
echo "built in $wyjscie"
