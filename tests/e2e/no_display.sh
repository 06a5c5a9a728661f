#!/usr/bin/env bash
# A game that cannot open its window says why on one line and exits with status 1, without a core
# dump: no display server at all, a display named where no server listens, or a window system
# (Qt platform) that is not there.
#   no_display.sh PROGRAM
set -uo pipefail
err=$(mktemp)
trap 'rm -f "$err"' EXIT
check() { # check EXPECTED_WORDS ENVIRONMENT...
    local expected=$1
    shift
    env -i PATH="$PATH" HOME="${HOME:-/tmp}" "$@" "$program" 2>"$err" </dev/null
    status=$?
    cat "$err"
    [ "$status" -eq 1 ] || { echo "exit status $status" >&2; exit 1; }
    [ "$(wc -l <"$err")" -eq 1 ] || { echo "expected one line" >&2; exit 1; }
    grep -q "$expected" "$err" || { echo "expected '$expected'" >&2; exit 1; }
}
program=$1
check 'Kein Bildschirm'
check 'Kein Bildschirm' DISPLAY=":$((RANDOM % 1000 + 3000))"
check 'Qt-Plattform „keine“ gibt es hier nicht' QT_QPA_PLATFORM=keine DISPLAY=:0
