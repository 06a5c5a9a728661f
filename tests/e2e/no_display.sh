#!/usr/bin/env bash
# With no display server, the game says so on one line and exits non-zero, without a core dump.
#   no_display.sh PROGRAM
set -uo pipefail
# Also a display that is named but where no server listens.
err=$(mktemp)
for display in "" ":$((RANDOM % 1000 + 3000))"; do
    env -i PATH="$PATH" HOME="${HOME:-/tmp}" ${display:+DISPLAY=$display} "$1" 2>"$err" </dev/null
    status=$?
    cat "$err"
    lines=$(wc -l <"$err")
    [ "$status" -ne 0 ] && [ "$status" -lt 128 ] || { echo "exit status $status" >&2; exit 1; }
    [ "$lines" -eq 1 ] || { echo "expected one line, got $lines" >&2; exit 1; }
    grep -q 'Bildschirm' "$err"
done
