#!/usr/bin/env bash
# Both Windows programs, checked as files.
#   static_checks.sh X86_64_EXE I686_EXE
set -euo pipefail
for exe in "$@"; do
    if [ ! -f "$exe" ]; then
        echo "$exe is not built (presets windows-x64 and windows-x86)" >&2
        [ "${CI:-}" = true ] && exit 1 || exit 77
    fi
done
here=$(dirname "$0")
"$here/static_check.py" "$1" x86_64
"$here/static_check.py" "$2" i686
