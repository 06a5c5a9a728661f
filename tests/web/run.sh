#!/usr/bin/env bash
# Plays the page in Debian's Chromium and Firefox ESR with node's test runner; installs the pinned
# test packages first.
#   run.sh PAGE
set -euo pipefail
page=$(realpath "$1")
cd "$(dirname "$0")"
[ -d node_modules/puppeteer-core ] && [ -d node_modules/pngjs ] && [ -d node_modules/axe-core ] || npm ci --no-audit --no-fund
status=0
for browser in chromium firefox; do
    echo "== $browser"
    VELMORA_PAGE=$page VELMORA_BROWSER=$browser node --test page.test.mjs || status=1
done
exit $status
