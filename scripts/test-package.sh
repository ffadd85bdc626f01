#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine as a user would,
# runs the installed program from another folder, checks its manual page and
# lintian's verdict, and removes it again. Run as root (or through sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
PLACE="$(mktemp -d)"
trap 'rm -rf "$PLACE"' EXIT

lintian --fail-on error --tag-display-limit 0 build/korvel_*.deb
(cd build && $SUDO apt-get install -y -qq ./korvel_*.deb)
test "$(command -v korvel)" = /usr/bin/korvel
korvel --version
(cd "$PLACE" && korvel --record "$PLACE/x.cast" --duration 3)
head -c 80 "$PLACE/x.cast" | grep -q '"version": 2'
man -w korvel
man -w korvel-sync
$SUDO apt-get remove -y -qq korvel
test ! -e /usr/bin/korvel
echo "test-package: installed, ran and removed $(ls build/korvel_*.deb)"
