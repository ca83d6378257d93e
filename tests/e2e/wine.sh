#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Starts a Windows program under Wine on this display. A Wine server left
# running by tests without a display is ended first: programs started
# through it would show their windows nowhere.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
exec wine "$@"
