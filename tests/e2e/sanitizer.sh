# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# How an end-to-end test says why it failed. The programs under test write
# their error output into logs listed in DZIENNIKI; when a sanitizer
# reported something there, that report is the cause, whatever the test saw
# next, and the failure names it and where it lies. Sourced by the scripts.

DZIENNIKI=()

# The first sanitizer report in the logs given, in one line: its summary and
# the first frame below the allocator or the faulting call that names a
# library or a source file of the program.
raport_sanitizera() {
    [ $# -gt 0 ] || return 0
    awk '
        !jest && /ERROR: (Address|Leak)Sanitizer|runtime error:/ {
            jest = 1
            if (/runtime error:/) { sub(/.*runtime error: /, ""); co = "UndefinedBehaviorSanitizer: " $0 }
            next
        }
        jest && !gdzie && /^ *#[0-9]+ / && !/^ *#0 / {
            if (match($0, /\(\/[^)+]*\+0x/)) {
                n = split(substr($0, RSTART + 1, RLENGTH - 4), czesci, "/")
                gdzie = "in " czesci[n]
            } else if (match($0, / [^ ]+:[0-9]+(:[0-9]+)?$/)) {
                gdzie = "in the program'"'"'s own code at " substr($0, RSTART + 1)
            }
        }
        jest && !co && /^SUMMARY: / { co = substr($0, 10) }
        END { if (jest) { sub(/\.$/, "", co); print co (gdzie ? ", " gdzie : "") } }
    ' "$@" 2>/dev/null
}

# Prints the failure, after the programs' logs: the sanitizer's report when
# there is one, else what the test saw.
powiedz_porazke() {
    local raport
    raport=$(raport_sanitizera "${DZIENNIKI[@]}")
    [ ${#DZIENNIKI[@]} -eq 0 ] || cat "${DZIENNIKI[@]}" >&2 2>/dev/null || true
    if [ -n "$raport" ]; then
        echo "FAIL: the sanitizer reported $raport (the test then saw: $*)"
    else
        echo "FAIL: $*"
    fi >&2
}
