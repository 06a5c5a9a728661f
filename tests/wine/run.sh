#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the caller's (WINEPREFIX, made on first use),
# quietly and without asking for Mono or Gecko; ends that prefix's server afterwards.
#   run.sh PROGRAM [ARGS...]
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to a folder of the build\'s own}"
export WINEPREFIX
source "$(dirname "$0")/env.sh"
mkdir -p "$WINEPREFIX"
wineserver -p
[ -f "$WINEPREFIX/system.reg" ] || "$wine64" wineboot --init >/dev/null 2>&1
status=0
"$wine64" "$@" || status=$?
wineserver -k || true
exit $status
