#!/usr/bin/env bash
# Builds the benchmarks and runs each program once, briefly: the figures mean
# nothing at this length, but a benchmark that crashes or fails is caught
# before anyone needs its numbers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --bench
failed=0
for program in build/bench/bench_*; do
  [ -x "$program" ] || continue
  if ! timeout 300 "$program" --benchmark_min_time=0.01 >/dev/null 2>build/bench/last-error.txt; then
    echo "test-bench: $(basename "$program") failed:" >&2
    tail -5 build/bench/last-error.txt >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "test-bench: every benchmark ran"
exit "$failed"
