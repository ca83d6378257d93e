#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Checks the .deb as Debian, the desktops and the software centres will:
# lintian, what it installs and where, the menu entry, the AppStream data;
# and that cmake --install of the same build installs nothing of Debian's.
#   paczka_deb.sh RELEASE_DIR BUILD_DIR
set -euo pipefail
deb=$(ls "$1"/wirlok_*.deb)
drzewo=$(mktemp -d)
instalacja=$(mktemp -d)
trap 'rm -rf "$drzewo" "$instalacja"' EXIT
nie() { echo "FAIL: $*" >&2; exit 1; }

lintian --fail-on error,warning "$deb" || nie "lintian finds an error or a warning"

dpkg-deb -x "$deb" "$drzewo"
ikony=$drzewo/usr/share/icons/hicolor
for plik in usr/bin/wirlok usr/share/applications/wirlok.desktop usr/share/man/man1/wirlok.1.gz \
    usr/share/man/pl/man1/wirlok.1.gz usr/share/doc/wirlok/copyright usr/share/doc/wirlok/changelog.gz \
    usr/share/metainfo/pl.drevnok.wirlok.metainfo.xml usr/share/icons/hicolor/scalable/apps/wirlok.svg; do
    [ -f "$drzewo/$plik" ] || nie "$plik is not in $(basename "$deb")"
done
for rozmiar in 16 22 24 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$ikony/${rozmiar}x$rozmiar/apps/wirlok.png")" = "${rozmiar}x$rozmiar" ] \
        || nie "no ${rozmiar} px icon in its folder"
done
dpkg-deb -f "$deb" Depends | grep -q hicolor-icon-theme || nie "the .deb does not depend on hicolor-icon-theme"
dpkg-deb -f "$deb" Recommends | grep -q qt6-translations-l10n || nie "the .deb does not recommend qt6-translations-l10n"
[ ! -e "$drzewo/usr/share/doc/wirlok/LICENSE" ] || nie "the .deb holds LICENSE beside its copyright file"
man -l "$drzewo/usr/share/man/pl/man1/wirlok.1.gz" 2>/dev/null | grep -q 'Gug mg iptg' || nie "the Polish manual page does not read"

cmake --install "$2" --prefix "$instalacja" >/dev/null
zainstalowane=$(cd "$instalacja" && find . -type f | sort)
[ "$zainstalowane" = "$({ cd "$drzewo/usr" && find . -type f ! -path './share/doc/*'; echo ./share/doc/wirlok/LICENSE; } | sort)" ] \
    || nie "cmake --install installs: $zainstalowane"

desktop-file-validate "$drzewo/usr/share/applications/wirlok.desktop" || nie "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$drzewo/usr/share/metainfo/pl.drevnok.wirlok.metainfo.xml" \
    || nie "appstreamcli validate"
# What a software centre gets from the installed tree: a catalog entry with its icon.
appstreamcli compose --no-color --origin=wirlok --result-root="$drzewo/katalog" "$drzewo" >/dev/null \
    || nie "appstreamcli compose"
katalog=$(zcat "$drzewo/katalog/usr/share/swcatalog/xml/wirlok.xml.gz")
grep -q '<id>pl.drevnok.wirlok</id>' <<<"$katalog" || nie "no catalog entry for pl.drevnok.wirlok"
grep -q '<icon type="cached" width="64" height="64">' <<<"$katalog" || nie "the catalog entry has no icon"
[ -f "$drzewo/katalog/usr/share/swcatalog/icons/wirlok/64x64/pl.drevnok.wirlok.png" ] || nie "no cached icon"
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
