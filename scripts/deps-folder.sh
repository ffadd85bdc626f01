#!/usr/bin/env bash
# Prints the folder that holds a cross-built libopenmpt (NAME: windows or web)
# and links it as build-NAME/deps. The folder lives outside the checkout, under
# KORVEL_DEPS_CACHE (default /var/cache/korvel, else ~/.cache/korvel), keyed by the
# scripts that build it, so fresh clones on one machine reuse one build of a
# few minutes and a change to those scripts builds anew.
set -euo pipefail
cd "$(dirname "$0")/.."
NAME="$1"
key="$(cat "scripts/build-libopenmpt-$NAME.sh" scripts/fetch-libopenmpt-source.sh | sha1sum | cut -c1-12)"
root="${KORVEL_DEPS_CACHE:-/var/cache/korvel}"
if ! mkdir -p "$root" 2>/dev/null || [ ! -w "$root" ]; then
  root="${XDG_CACHE_HOME:-$HOME/.cache}/korvel"
  mkdir -p "$root"
fi
DEPS="$root/libopenmpt-$NAME-$key"
mkdir -p "build-$NAME"
if [ -d "build-$NAME/deps" ] && [ ! -L "build-$NAME/deps" ]; then
  rm -rf "build-$NAME/deps"  # a folder from before the cache: the cache replaces it
fi
ln -sfn "$DEPS" "build-$NAME/deps"
echo "$DEPS"
