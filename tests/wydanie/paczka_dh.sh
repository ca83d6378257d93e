#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Packages the source tarball as a Debian packager would: unpacked in a
# folder of its own, no git checkout around it, no network, a debian/
# folder for debhelper (dh with the cmake build system), and the tests that
# the README's packager section names, run by dh's test step.
#   paczka_dh.sh TARBALL WORK_DIR
set -euo pipefail
tarball=$(realpath "$1")
praca=$2
command -v dh >/dev/null || { echo "SKIP: no debhelper"; exit 77; }
rm -rf "$praca"
mkdir -p "$praca"
tar -xzf "$tarball" -C "$praca"
zrodla=$(echo "$praca"/wirlok-*)
wersja=${zrodla##*/wirlok-}
[ ! -e "$zrodla/.git" ] || { echo "FAIL: the tarball holds .git" >&2; exit 1; }

mkdir -p "$zrodla/debian/source"
echo '3.0 (quilt)' >"$zrodla/debian/source/format"
cat >"$zrodla/debian/control" <<'EOF'
Source: wirlok
Section: utils
Priority: optional
Maintainer: Wirlok test build <wirlok-test@example.org>
Build-Depends: debhelper-compat (= 13), cmake, ninja-build, qt6-base-dev,
 qt6-translations-l10n <!nocheck>, libgtest-dev <!nocheck>
Standards-Version: 4.6.2
Rules-Requires-Root: no

Package: wirlok
Architecture: any
Depends: ${shlibs:Depends}, ${misc:Depends}, hicolor-icon-theme
Recommends: qt6-translations-l10n, qt6-wayland
Description: translator of texts to Morse code and Polish scouting ciphers
 Wirlok translates short texts between plain writing and Morse code and the
 Polish scouting ciphers, in one small window with a Polish interface.
EOF
cat >"$zrodla/debian/changelog" <<EOF
wirlok ($wersja-1) unstable; urgency=medium

  * Test build of the release tarball.

 -- Wirlok test build <wirlok-test@example.org>  $(date -R)
EOF
# The licence goes into Debian's copyright file, not beside it.
cat >"$zrodla/debian/rules" <<'EOF'
#!/usr/bin/make -f
%:
	dh $@ --buildsystem=cmake+ninja --builddirectory=obj

execute_after_dh_auto_install:
	rm debian/wirlok/usr/share/doc/wirlok/LICENSE

override_dh_auto_test:
ifeq (,$(filter nocheck,$(DEB_BUILD_OPTIONS)))
	ctest --test-dir obj --output-on-failure -LE 'ekran|git|siec|wine|przegladarka'
endif
EOF
chmod +x "$zrodla/debian/rules"
cp "$zrodla/LICENSE" "$zrodla/debian/copyright"

# Offline, and git finds no checkout above the folder; unoptimised, which
# builds quicker and tests the same. Root makes a network namespace of its
# own; anyone else through a user namespace, which a chroot does not allow.
bez_sieci=(unshare --net)
[ "$(id -u)" -eq 0 ] || bez_sieci+=(--map-root-user)
cd "$zrodla"
GIT_CEILING_DIRECTORIES=$(realpath "$praca") DEB_BUILD_OPTIONS="parallel=2 noopt" \
    "${bez_sieci[@]}" dpkg-buildpackage -b -us -uc >"$praca/budowa.log" 2>&1 \
    || { tail -n 60 "$praca/budowa.log" >&2; echo "FAIL: dpkg-buildpackage" >&2; exit 1; }
grep -E '^[0-9]+% tests passed|^Total Test time' "$praca/budowa.log"
deb=$(ls "$praca"/wirlok_"$wersja"-1_*.deb)
grep -q ' ./usr/bin/wirlok$' <<<"$(dpkg-deb -c "$deb")" || { echo "FAIL: no usr/bin/wirlok in $deb" >&2; exit 1; }
echo "ok: $(basename "$deb") built by dh from $(basename "$tarball")"
