#!/usr/bin/env bash
# Builds the page (scripts/build-web.sh) and tests it in headless Chromium,
# driven by puppeteer-core from npm at the version tests/web/package-lock.json pins.
# KORVEL_WEB_SCREENSHOT names where the page's picture goes (default build-web/web.png).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh

DRIVER="$PWD/build-web/test-driver"
mkdir -p "$DRIVER"
if ! cmp -s tests/web/package-lock.json "$DRIVER/package-lock.json" || [ ! -d "$DRIVER/node_modules" ]; then
  cp tests/web/package.json tests/web/package-lock.json "$DRIVER/"
  (cd "$DRIVER" && npm ci --ignore-scripts --no-audit --no-fund >/dev/null)
fi

export NODE_PATH="$DRIVER/node_modules"
export KORVEL_WEB_DIR="$PWD/build-web/korvel-web"
export KORVEL_NATIVE_BIN="$PWD/build/korvel"
python3 tests/web/test_web_page.py -v
