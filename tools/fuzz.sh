#!/usr/bin/env bash
# Fuzzes the car's reply checks and the safe formatting of bundle texts with libFuzzer.
#   tools/fuzz.sh            10^7 executions (the figure kept by hand)
#   tools/fuzz.sh 60         60 seconds (what CI runs)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVO_FUZZ=ON \
      -DCMAKE_CXX_COMPILER=clang++ -DDRIVO_WERROR="${DRIVO_WERROR:-OFF}" >/dev/null
cmake --build build/fuzz --target drivo_reply_fuzz
corpus=build/fuzz/corpus
mkdir -p "$corpus"
if [ $# -gt 0 ]; then limit=(-max_total_time="$1"); else limit=(-runs=10000000); fi
# The seeds stay as they are; what the fuzzer finds goes to the build tree.
build/fuzz/bench/fuzz/drivo_reply_fuzz "${limit[@]}" -max_len=256 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ "$corpus" bench/fuzz/seeds
