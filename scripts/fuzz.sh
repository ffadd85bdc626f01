#!/usr/bin/env bash
# A fuzzing campaign on one loader: scripts/fuzz.sh TARGET [SECONDS]
# TARGET is one of tga raw model gml script module. Builds the harnesses with
# clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) into
# build-fuzz/, starts from fuzz/corpus/TARGET and keeps what it finds in
# build-fuzz/corpus/TARGET; crashes land in build-fuzz/crashes/. To keep an
# input as a seed, minimise the corpus (-merge=1) into fuzz/corpus/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}"
seconds="${2:-600}"
bash scripts/install-deps.sh
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -g"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVEL_FUZZ=ON \
  -DKORVEL_BUILD_TESTS=OFF -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target "fuzz_$target"
mkdir -p "build-fuzz/corpus/$target" build-fuzz/crashes
"build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -artifact_prefix=build-fuzz/crashes/ \
  "build-fuzz/corpus/$target" "fuzz/corpus/$target"
