#!/usr/bin/env bash
# Plays the page in Debian's Chromium with node's test runner; installs the pinned test packages first.
#   run.sh PAGE
set -euo pipefail
page=$(realpath "$1")
cd "$(dirname "$0")"
[ -d node_modules/puppeteer-core ] && [ -d node_modules/pngjs ] || npm ci --no-audit --no-fund
VELMORA_PAGE=$page node --test page.test.mjs
