#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The Windows installer under Wine, in a Wine prefix of its own: a quiet
# install puts the program, its read-me and licence, a Start-menu entry with
# the icon and an entry in Apps and features in place; the program started
# from there translates; a newer version replaces the installed one; and
# uninstalling leaves no file and no registry entry behind.
#   paczka_msi.sh RELEASE_DIR WINEPREFIX
set -euo pipefail
command -v wine >/dev/null || { echo "SKIP: no Wine"; exit 77; }
msi=$(ls "$1"/wirlok-*-x64.msi)
export WINEPREFIX=$2 WINEDEBUG=-all
# Wine's menu builder would copy the Start-menu entry into the user's menu.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
source "$(dirname "$0")/../e2e/x11.sh"
tmp=$(mktemp -d)
# A failed run leaves the prefix behind it unfit for the next.
sprzatnij() {
    local wynik=$?
    zakoncz
    wineserver -k 2>/dev/null || true
    rm -rf "$tmp"
    [ $wynik = 0 ] || rm -rf "$WINEPREFIX"
}
trap sprzatnij EXIT

# msiexec under Wine returns before it is done, and its service goes on
# writing the registry after that: start /wait, then wait for every Wine
# process of the prefix to end.
msiexec() { wine start /wait msiexec "$@" /qn && wineserver -w; }
wlasciwosc() { msiinfo export "$1" Property | tr -d '\r' | awk -v p="$2" '$1 == p { print $2 }'; }
rejestr() { wine reg query "$1" 2>/dev/null | tr -d '\r'; }
# What of the program the prefix holds: files and folders, the package Wine
# keeps for uninstalling, registry entries.
slady() {
    { find "$WINEPREFIX/drive_c" -iname '*wirlok*'; find "$WINEPREFIX/drive_c/windows/Installer" -mindepth 1; } \
        | sed "s|^$WINEPREFIX/||"
    wine regedit /E 'C:\rejestr.reg' HKEY_LOCAL_MACHINE
    wine regedit /E 'C:\uzytkownik.reg' HKEY_CURRENT_USER
    cat "$WINEPREFIX"/drive_c/{rejestr,uzytkownik}.reg | iconv -f UTF-16 -t UTF-8 | grep -i wirlok || true
    rm -f "$WINEPREFIX"/drive_c/{rejestr,uzytkownik}.reg
}

wersja=$(wlasciwosc "$msi" ProductVersion)
kod=$(wlasciwosc "$msi" ProductCode)
odinstaluj="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
folder="$WINEPREFIX/drive_c/Program Files/Wirlok"

uruchom_x
[ -z "$(find "$WINEPREFIX/drive_c" -iname '*wirlok*' 2>/dev/null)" ] || rm -rf "$WINEPREFIX"
[ -d "$WINEPREFIX" ] || wine wineboot -i >/dev/null 2>&1

msiexec /i "$(winepath -w "$msi")" || nie "msiexec /i"
for plik in wirlok.exe CZYTAJMNIE.txt LICENSE.txt; do
    [ -f "$folder/$plik" ] || nie "no $plik in Program Files\\Wirlok"
done
skrot=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Wirlok.lnk')
[ -n "$skrot" ] || nie "no Start-menu entry"
ikona=$({ strings -el "$skrot"; strings "$skrot"; } | grep -m1 -io '[a-z]:\\.*wirlok\.ico$' || true)
if [ -z "$ikona" ] || [ ! -f "$(winepath -u "$ikona")" ]; then nie "the Start-menu entry has no icon"; fi
wpis=$(rejestr "$odinstaluj\\$kod")
for pole in "DisplayName +REG_SZ +Wirlok" "DisplayVersion +REG_SZ +$wersja" "Publisher +REG_SZ +The Wirlok developers"; do
    grep -Eq "^ +$pole\$" <<<"$wpis" || nie "the entry in Apps and features has no '$pole'"
done
# Wine keeps the product's icon for Apps and features beside the product.
wine reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' | grep -Eiq "ProductIcon +REG_SZ +.*wirlok\.ico" \
    || nie "the product has no icon"
echo "ok: installed $wersja: the files, the Start-menu entry with its icon, the entry in Apps and features"

# Started from where it was installed, with the keyboard alone: from the
# focus on Translate, Tab leads to the lower field, five to the upper one.
wine "C:\\Program Files\\Wirlok\\wirlok.exe" &
pids+=($!)
czekaj_na_okno
xdotool windowactivate --sync "$OKNO"
sleep 0.5
xdotool key Tab Tab Tab Tab Tab
pisz "Ala ma kota"
xdotool key shift+Tab Down shift+Tab shift+Tab shift+Tab shift+Tab space Tab
sleep 0.3
printf '' | xclip -selection clipboard >/dev/null 2>&1
zaznacz_wszystko
xdotool key --clearmodifiers ctrl+c
sleep 0.3
oczekuj "the installed program translates with Gaderypoluki" "$(xclip -o -selection clipboard 2>/dev/null)" "Gug mg iptg"
zamknij_i_czekaj "${pids[-1]}"

# A newer version replaces the installed one: the same package with a
# higher version, its own product code and the upgrade's bounds moved along,
# as the build would give it.
nowa=$tmp/wirlok-nowsza-x64.msi
nowa_wersja=${wersja%.*}.$((${wersja##*.} + 1))
guid() { echo "{$(tr '[:lower:]' '[:upper:]' </proc/sys/kernel/random/uuid)}"; }
nowy_kod=$(guid)
cp "$msi" "$nowa"
msibuild "$nowa" -q "UPDATE Property SET Value = '$nowa_wersja' WHERE Property = 'ProductVersion'"
msibuild "$nowa" -q "UPDATE Property SET Value = '$nowy_kod' WHERE Property = 'ProductCode'"
msiinfo export "$msi" Upgrade | sed "s/\t${wersja//./\\.}\t/\t$nowa_wersja\t/g" >"$tmp/Upgrade.idt"
msibuild "$nowa" -i "$tmp/Upgrade.idt"
msibuild "$nowa" -s "Wirlok $nowa_wersja" "The Wirlok developers" "x64;1045" "$(guid)"
msiexec /i "$(winepath -w "$nowa")" || nie "msiexec /i of the newer version"
! wine reg query "$odinstaluj\\$kod" >/dev/null 2>&1 || nie "version $wersja is still in Apps and features after the upgrade"
rejestr "$odinstaluj\\$nowy_kod" | grep -Eq "^ +DisplayVersion +REG_SZ +$nowa_wersja\$" || nie "no $nowa_wersja in Apps and features"
[ -f "$folder/wirlok.exe" ] || nie "no wirlok.exe after the upgrade"
echo "ok: $nowa_wersja replaced $wersja"

msiexec /x "$nowy_kod" || nie "msiexec /x"
pozostale=$(slady)
[ -z "$pozostale" ] || nie "uninstalling left behind: $pozostale"
[ ! -e "$HOME/.local/share/applications/wine/Programs/Wirlok.desktop" ] || nie "Wine put Wirlok into the user's menu"
echo "ok: uninstalling left nothing behind"
