#!/usr/bin/env bash
# Builds the whole test suite with the address and undefined-behaviour
# sanitizers, and the music, sync-queue and offline-driver tests with the
# thread sanitizer, and runs them, stopping at the first report. Reports go
# to build-sanitize/logs, never into a terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
logs="$PWD/build-sanitize/logs"
rm -rf "$logs"
mkdir -p "$logs"

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build build-sanitize/asan
ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:log_path=$logs/asan" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan" \
  ctest --test-dir build-sanitize/asan --output-on-failure --timeout 300 -j 2

flags="-fsanitize=thread -fno-omit-frame-pointer"
cmake -S . -B build-sanitize/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build build-sanitize/tsan --target tests_runtime
TSAN_OPTIONS="halt_on_error=1:log_path=$logs/tsan" \
  ctest --test-dir build-sanitize/tsan --output-on-failure --timeout 300 -j 2 \
  -R '^(Music|StartMusic|SyncQueue|SilentAudio|MusicOffline|OfflineMusic)'
if ls "$logs"/* >/dev/null 2>&1; then
  echo "sanitizer reports in $logs:" >&2
  ls "$logs" >&2
  exit 1
fi
