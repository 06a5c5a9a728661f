#!/usr/bin/env bash
# Runs every benchmark and prints its ratio against the floor measured in the same run.
#   bench/run.sh BUILD_DIR [--smoke]
# --smoke runs each once, briefly, only to show that it still works.
set -euo pipefail
build=$1
smoke=${2:-}
here=$(dirname "$0")
source "$here/../tests/e2e/xvfb.sh"
trap stop_all EXIT

if [ "$smoke" = --smoke ]; then
    inprocess=(--repetitions=1 --min-time=0.01)
    display=(--runs=1 --presses=3)
else
    inprocess=()
    display=()
fi
echo "== in process (offscreen)"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_inprocess" "${inprocess[@]}"
echo "== on Xvfb"
start_xvfb
"$build/bench/bench_display" "${display[@]}" "$build/app/velmora" "$build/bench/baseline_window"
