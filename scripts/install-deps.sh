#!/usr/bin/env bash
# Installs the Debian packages needed to build and test korvel; with --bench,
# also those of the benchmarks (Google Benchmark and the peers they are compared with);
# with --windows, the MinGW-w64 cross compiler and wine (scripts/build-windows.sh);
# with --package, the Debian packaging and checking tools (scripts/package.sh);
# with --web, the WebAssembly compiler and the browser the page is tested in
# (scripts/build-web.sh, scripts/test-web.sh).
# Idempotent and non-interactive; run as root (or through sudo).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config python3
  libopenmpt-dev libsdl2-dev libasound2-dev libstb-dev
  libgtest-dev libgmock-dev clang-format-15 libxmp-dev
  ffmpeg
)
if [ "${1:-}" = "--bench" ]; then
  PACKAGES+=(libbenchmark-dev libcaca-dev chafa)
fi
if [ "${1:-}" = "--package" ]; then
  PACKAGES+=(dpkg-dev lintian man-db)
fi
if [ "${1:-}" = "--windows" ]; then
  PACKAGES+=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev)
fi
if [ "${1:-}" = "--web" ]; then
  PACKAGES+=(emscripten chromium dpkg-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
