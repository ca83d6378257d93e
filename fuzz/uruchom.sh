#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# uruchom.sh FUZZER SEED_CORPUS: 200,000 runs from a fixed seed.
set -eu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$1" -seed=1 -runs=200000 -max_len=4096 -print_final_stats=1 "$scratch" "$2"
