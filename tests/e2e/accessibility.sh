#!/usr/bin/env bash
# The window as assistive technology meets it: on X11 with a session bus and the accessibility bus,
# so that Qt's AT-SPI bridge is active and the announcement of each win can be heard.
#   accessibility.sh ON_XVFB TEST_WINDOW
set -euo pipefail
out=$(mktemp)
trap 'rm -f "$out"' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 TEST_WINDOW=$2
"$1" dbus-run-session -- bash -c '
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus --method org.a11y.Bus.GetAddress >/dev/null
    "$TEST_WINDOW" tellsAssistiveTechnology announcesEachWin' >"$out" 2>&1 || { cat "$out"; exit 1; }
grep -E '^(PASS|FAIL|SKIP)' "$out"
grep -q '^PASS   : TestWindow::announcesEachWin()' "$out"
