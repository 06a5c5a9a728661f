#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the caller's (WINEPREFIX, set up by prefix.sh on
# first use), with the tests' Wine settings; ends that prefix's server afterwards.
#   run.sh PROGRAM [ARGS...]
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to a folder of the build\'s own}"
here=$(dirname "$0")
"$here/prefix.sh" "$WINEPREFIX"
source "$here/env.sh"
status=0
"$wine64" "$@" || status=$?
wineserver -k || true
exit $status
