#!/usr/bin/env bash
# Installs what is missing, configures and builds the demo and its tests into build/.
# With --bench the benchmark programs are built too (build/bench/).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=()
if [ "${1:-}" = "--bench" ]; then
  bench=(-DKORVEL_BUILD_BENCH=ON)
fi
bash scripts/install-deps.sh "$@"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${bench[@]}" >/dev/null
cmake --build build
