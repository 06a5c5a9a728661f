#!/usr/bin/env bash
# Plays the page in Debian's Chromium and Firefox ESR, and the page as hosts serve it (the one file
# and the site) in Chromium, with node's test runner; installs the pinned test packages first.
#   run.sh PAGE SITE_DIR
set -euo pipefail
page=$(realpath "$1")
site=$(realpath "$2")
cd "$(dirname "$0")"
[ -d node_modules/puppeteer-core ] && [ -d node_modules/pngjs ] && [ -d node_modules/axe-core ] || npm ci --no-audit --no-fund
status=0
for browser in chromium firefox; do
    echo "== the page in $browser"
    VELMORA_PAGE=$page VELMORA_BROWSER=$browser node --test page.test.mjs || status=1
done
echo "== the page as hosts serve it, in chromium"
VELMORA_PAGE=$page VELMORA_SITE=$site node --test site.test.mjs || status=1
exit $status
