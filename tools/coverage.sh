#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Line and branch coverage of the product code by the whole suite: a Debug build with gcc's
# --coverage in build/coverage (no sanitizers), CTest, then gcovr over the product folders.
# Usage: tools/coverage.sh [--html DIR] [ctest arguments...]   e.g. tools/coverage.sh -LE long
set -euo pipefail
cd "$(dirname "$0")/.."
html=""
if [ "${1:-}" = "--html" ]; then html=$2; shift 2; fi
jobs=${JOBS:-$(nproc)}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S . -B build/coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDRIVO_COVERAGE=ON \
      -DDRIVO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build/coverage -j "$jobs"
# Counts of an earlier run would add to this one's.
find build/coverage -name '*.gcda' -delete
ctest --test-dir build/coverage --output-on-failure --no-tests=error -j "$jobs" "$@" || true

# Product code only; exceptions' hidden branches would count as untaken branches of every call.
# Jobs on several threads can leave a branch count gcov prints as negative: that line is skipped.
filters=(--root . --object-directory build/coverage
         --exclude 'tests/' --exclude 'bench/' --exclude 'tools/' --exclude 'build/'
         --exclude-unreachable-branches --exclude-throw-branches
         --gcov-ignore-parse-errors)
gcovr "${filters[@]}" --print-summary --sort-percentage -o build/coverage/coverage.txt
echo "per file: build/coverage/coverage.txt"
if [ -n "$html" ]; then
  mkdir -p "$html"
  gcovr "${filters[@]}" --html-details "$html/index.html"
  echo "HTML report: $html/index.html"
fi
