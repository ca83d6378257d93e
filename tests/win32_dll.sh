#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The Windows program is one file: it may import only DLLs that every
# Windows has.
#   win32_dll.sh OBJDUMP PROGRAM.exe
set -eu
obce=$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p' | grep -viE '^(kernel32|user32|gdi32|comctl32|msvcrt)\.dll$' || true)
[ -z "$obce" ] || { echo "FAIL: wirlok.exe needs $obce"; exit 1; }
echo "ok: $(basename "$2"), $(stat -c %s "$2") bytes, system DLLs only"
