#!/usr/bin/env bash
# Cross-compiles korvel.exe and the portable test programs, then runs them under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-windows.sh --tests
export WINEDEBUG=-all
# The wine prefix is made once, before any test: two first starts at once can race on it.
wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
# One at a time: the test programs take seconds, and wine's server is shared.
ctest --test-dir build-windows/build --output-on-failure --timeout 300
