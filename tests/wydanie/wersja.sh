#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The version and its date agree everywhere: project(), the newest entry of
# NEWS.md, the AppStream release, the manual pages and the Debian changelog.
#   wersja.sh VERSION NEWS.md METAINFO CHANGELOG MANPAGE...
set -euo pipefail
wersja=$1 news=$2 metainfo=$3 changelog=$4
shift 4
nie() { echo "FAIL: $*" >&2; exit 1; }

naglowek=$(grep -m1 '^## ' "$news")
[[ $naglowek =~ ^"## "([0-9]+\.[0-9]+\.[0-9]+)" ("([0-9]{4}-[0-9]{2}-[0-9]{2})")"$ ]] \
    || nie "NEWS.md's newest heading '$naglowek' is not '## X.Y.Z (YYYY-MM-DD)'"
[ "${BASH_REMATCH[1]}" = "$wersja" ] || nie "project() says $wersja, NEWS.md's newest entry ${BASH_REMATCH[1]}"
data=${BASH_REMATCH[2]}

wydanie=$(grep -m1 -o '<release [^>]*>' "$metainfo")
[ "$wydanie" = "<release version=\"$wersja\" date=\"$data\">" ] || nie "AppStream's newest release is $wydanie"
for strona in "$@"; do
    grep -q "^\.TH WIRLOK 1 $data \"Wirlok $wersja\"" "$strona" || nie "$strona: $(grep -m1 '^\.TH' "$strona")"
done
[ "$(head -n1 "$changelog")" = "wirlok ($wersja) unstable; urgency=medium" ] || nie "changelog: $(head -n1 "$changelog")"
podpis=$(grep -m1 '^ -- ' "$changelog")
[ "$(date -u -d "${podpis##*>  }" +%F)" = "$data" ] || nie "the changelog's newest entry is signed '$podpis'"
echo "ok: version $wersja of $data everywhere"
