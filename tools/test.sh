#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the layers' includes and the sources' format (tools/format.sh), then builds and runs
# every test: the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# device tests once more under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
tools/check-layers.sh
tools/format.sh --check
werror=${DRIVO_WERROR:-OFF}
jobs=$(nproc)

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DDRIVO_SANITIZE=address,undefined -DDRIVO_WERROR="$werror" -DDRIVO_BUILD_BENCH=OFF
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure --no-tests=error -j "$jobs"

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DDRIVO_SANITIZE=thread -DDRIVO_WERROR="$werror" -DDRIVO_DEVICE_ONLY=ON
cmake --build build/tsan -j "$jobs"
ctest --test-dir build/tsan --output-on-failure --no-tests=error -L device
