#!/usr/bin/env bash
# Runs every benchmark and prints its ratio against the floor measured in the same run.
#   bench/run.sh BUILD_DIR [--smoke]
# --smoke runs each once, briefly, only to show that it still works.
set -euo pipefail
build=$1
smoke=${2:-}
here=$(dirname "$0")
# The whole run on a private Xvfb of the end-to-end tests' own X session.
if [ -z "${VELMORA_BENCH_ON_XVFB:-}" ]; then
    VELMORA_BENCH_ON_XVFB=1 exec "$build/tests/e2e/on_xvfb" "$0" "$@"
fi

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
"$build/bench/bench_display" "${display[@]}" "$build/qt/velmora" "$build/bench/baseline_window"
# The same start counted in instructions, which do not swing with the machine's load (not in a smoke run:
# under valgrind a start takes seconds).
if [ "$smoke" != --smoke ]; then
    export VELMORA_CALLGRIND_DIR
    VELMORA_CALLGRIND_DIR=$(mktemp -d)
    "$build/bench/bench_display" --runs=1 --presses=0 --launcher="$here/callgrind.sh" "$build/qt/velmora" \
        "$build/bench/baseline_window" >/dev/null
    read -r a b < <(sed -n 's/^totals: //p' "$VELMORA_CALLGRIND_DIR/velmora.out" "$VELMORA_CALLGRIND_DIR/baseline_window.out" | paste -sd ' ')
    echo "instructions to the first frame (callgrind): game $a, plain $b, A / B $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", a / b }') (goal 1.01)"
    rm -rf "$VELMORA_CALLGRIND_DIR"
fi

# The Windows program under Wine against a minimal Win32 program, when the windows-x64 preset is built.
windows="$build/../windows-x64"
if [ -f "$windows/win32/velmora.exe" ]; then
    echo "== under Wine on Xvfb"
    export WINEPREFIX
    WINEPREFIX=$(mktemp -d)
    trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT # on failure too
    "$here/../tests/wine/prefix.sh" "$build/tests/wine/prefix" # the build's, set up once
    cp -a "$build/tests/wine/prefix/." "$WINEPREFIX"
    source "$here/../tests/wine/env.sh"
    wineserver -p
    "$build/bench/bench_display" --launcher="$wine64" "${display[@]}" "$windows/win32/velmora.exe" \
        "$windows/bench/plain_window_win32.exe"
    echo "x86_64 executable: $(stat -c %s "$windows/win32/velmora.exe") bytes (at most $((512 * 1024)))"
    wineserver -k
    rm -rf "$WINEPREFIX"
    trap - EXIT
fi

# The web page in headless Chromium against a plain page with the same controls that deals the same
# first game, and where its time goes, when the web preset is built.
page="$build/../web/web/velmora.html"
if [ -f "$page" ]; then
    echo "== in headless Chromium"
    [ -d "$here/../tests/web/node_modules/puppeteer-core" ] || npm ci --prefix "$here/../tests/web" --no-audit --no-fund
    node "$here/web/page.mjs" "$page" "$build/../web/site" "$([ "$smoke" = --smoke ] && echo 1 || echo 15)"
    node "$here/web/trace.mjs" "$page" "$([ "$smoke" = --smoke ] && echo 1 || echo 7)"
fi
