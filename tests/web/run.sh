#!/usr/bin/env bash
# Plays the page in Debian's Chromium and Firefox ESR, and the page as hosts serve it (the one file
# and the site) in Chromium, with node's test runner: the three at once, as they mostly wait for their
# browsers. Installs the pinned test packages first.
#   run.sh PAGE SITE_DIR
set -euo pipefail
page=$(realpath "$1")
site=$(realpath "$2")
cd "$(dirname "$0")"
[ -d node_modules/puppeteer-core ] && [ -d node_modules/pngjs ] && [ -d node_modules/axe-core ] || npm ci --no-audit --no-fund
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
VELMORA_PAGE=$page VELMORA_BROWSER=chromium node --test page.test.mjs >"$out/the page in chromium" 2>&1 &
VELMORA_PAGE=$page VELMORA_BROWSER=firefox node --test page.test.mjs >"$out/the page in firefox" 2>&1 &
VELMORA_PAGE=$page VELMORA_SITE=$site node --test site.test.mjs >"$out/the page as hosts serve it, in chromium" 2>&1 &
status=0
for job in $(jobs -p); do wait "$job" || status=1; done
for part in "$out"/*; do
    echo "== $(basename "$part")"
    cat "$part"
done
exit $status
