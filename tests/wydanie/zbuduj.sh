#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Makes the release (make release) in two clones of the sources in two
# different folders, as two packagers would. The working tree's uncommitted
# changes are carried into the first clone and committed there, under a
# fixed name and date, so that both clones release the same commit.
#   zbuduj.sh SOURCE_DIR OUT_DIR
# Leaves OUT_DIR/{a/wirlok,drugi/inny-folder/wirlok} with build/release
# (the release's files) and build/release-zrodla (the tarball unpacked and
# built) in each.
set -euo pipefail
zrodla=$1
wyjscie=$2
git -C "$zrodla" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: $zrodla is not a git checkout"; exit 77; }
# A machine without a git identity still builds a package to check.
git config user.email >/dev/null || export DEBFULLNAME="Wirlok test build" DEBEMAIL="wirlok-test@example.org"

rm -rf "$wyjscie"
a=$wyjscie/a/wirlok
git clone --quiet --no-hardlinks "$zrodla" "$a"
(
    cd "$zrodla"
    { git diff -z --name-only HEAD; git ls-files -z -o --exclude-standard; } | while IFS= read -r -d '' plik; do
        if [ -e "$plik" ]; then cp --parents -t "$a" "$plik"; else rm -f "$a/$plik"; fi
    done
)
if [ -n "$(git -C "$a" status --porcelain)" ]; then
    data=$(git -C "$a" log -1 --format=%cD)
    git -C "$a" add -A
    GIT_AUTHOR_DATE=$data GIT_COMMITTER_DATE=$data git -C "$a" -c user.name="Wirlok test" \
        -c user.email=wirlok-test@example.org commit --quiet -m "Uncommitted changes"
fi
git clone --quiet --no-hardlinks "$a" "$wyjscie/drugi/inny-folder/wirlok"

for klon in "$a" "$wyjscie/drugi/inny-folder/wirlok"; do
    make -C "$klon" release >"$klon.log" 2>&1 || { tail -n 40 "$klon.log" >&2; exit 1; }
done
echo "released in $wyjscie"
