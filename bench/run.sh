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

# The web page in headless Chromium against a plain page with the same controls, when the web preset is built.
page="$build/../web/web/velmora.html"
if [ -f "$page" ]; then
    echo "== in headless Chromium"
    [ -d "$here/../tests/web/node_modules/puppeteer-core" ] || npm ci --prefix "$here/../tests/web" --no-audit --no-fund
    node "$here/web/first_paint.mjs" "$page" "$([ "$smoke" = --smoke ] && echo 1 || echo 41)"
    node "$here/web/playable.mjs" "$page" "$([ "$smoke" = --smoke ] && echo 1 || echo 21)"
fi
