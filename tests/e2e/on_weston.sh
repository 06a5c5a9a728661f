#!/usr/bin/env bash
# Runs a command as a Wayland client of a private headless Weston: on_weston.sh COMMAND [ARG...]
set -uo pipefail
source "$(dirname "$0")/weston.sh"
trap stop_weston EXIT
start_weston || exit 1
# Under the sanitizers: stacks through Mesa's EGL, which has no frame pointers, in full (see tests/lsan.supp).
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0
"$@"
