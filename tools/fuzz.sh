#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes, with libFuzzer, the car's reply checks with the safe formatting of bundle texts, then
# the background picture's JPEG decoding.
#   tools/fuzz.sh            10^7 executions of the first, 10^6 of the second (figures kept by hand)
#   tools/fuzz.sh 60         60 seconds each (what CI runs)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVO_FUZZ=ON \
      -DCMAKE_CXX_COMPILER=clang++ -DDRIVO_WERROR="${DRIVO_WERROR:-OFF}" >/dev/null
cmake --build build/fuzz --target drivo_reply_fuzz drivo_picture_fuzz
# target, seeds, longest input, executions without a time limit
run() {
  local corpus=build/fuzz/corpus-$1
  mkdir -p "$corpus"
  if [ -n "$seconds" ]; then limit=(-max_total_time="$seconds"); else limit=(-runs="$4"); fi
  # The seeds stay as they are; what the fuzzer finds goes to the build tree.
  "build/fuzz/bench/fuzz/drivo_$1_fuzz" "${limit[@]}" -max_len="$3" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/ "$corpus" "$2"
}
seconds=${1:-}
run reply bench/fuzz/seeds 256 10000000
run picture bench/fuzz/picture-seeds 4096 1000000
