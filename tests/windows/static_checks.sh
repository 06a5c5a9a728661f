#!/usr/bin/env bash
# Both Windows programs, checked as files.
#   static_checks.sh X86_64_EXE I686_EXE VERSION DISPLAY_VERSION
set -euo pipefail
for exe in "$1" "$2"; do
    if [ ! -f "$exe" ]; then
        echo "$exe is not built (presets windows-x64 and windows-x86)" >&2
        [ "${CI:-}" = true ] && exit 1 || exit 77
    fi
done
here=$(dirname "$0")
"$here/static_check.py" "$1" x86_64 "$3" "$4"
"$here/static_check.py" "$2" i686 "$3" "$4"

# The read-me as every Notepad shows it: UTF-8 with a byte-order mark, lines ending in CR LF.
readme=$here/../../win32/LIESMICH.txt
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || { echo "FAIL  read-me: no UTF-8 byte-order mark" >&2; exit 1; }
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || { echo "FAIL  read-me: a line without CR LF" >&2; exit 1; }
grep -q 'Windows 7 SP1' "$readme" || { echo "FAIL  read-me: no minimum Windows version" >&2; exit 1; }
echo "ok    read-me: UTF-8 with byte-order mark, CR LF, names Windows 7 SP1"
