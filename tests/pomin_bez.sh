#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Runs a test when what it needs is there, and skips it (77) otherwise.
#   pomin_bez.sh PATH COMMAND...
[ -e "$1" ] || { echo "SKIP: no $1"; exit 77; }
shift
exec "$@"
