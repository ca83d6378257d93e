#!/usr/bin/env bash
# Builds the .deb and checks that it carries the program, its menu entry
# and its icons where the desktop looks for them.
#   paczka.sh BUILD_DIR
set -euo pipefail
cd "$1"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/wirlok_*.deb)
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/wirlok ./usr/share/applications/wirlok.desktop \
    ./usr/share/icons/hicolor/16x16/apps/wirlok.xpm ./usr/share/icons/hicolor/32x32/apps/wirlok.xpm; do
    grep -q " $file\$" <<<"$contents" || { echo "FAIL: $file is not in $(basename "$deb")"; exit 1; }
done
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
