#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Runs the Windows window's benchmark (okno_win32.cpp) under Wine, on an
# X display of its own.
#   okno_wine.sh BENCHMARK.exe
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/x11.sh"
uruchom_x
"$(dirname "$0")/../tests/e2e/wine.sh" "$1" 2>/dev/null
