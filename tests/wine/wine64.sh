#!/usr/bin/env bash
# Runs a 64-bit Windows program, or one of Wine's own (reg, wineboot), in the caller's WINEPREFIX
# with the tests' Wine settings.
#   wine64.sh PROGRAM [ARGUMENT...]
source "$(dirname "$0")/env.sh"
exec "$wine64" "$@"
