#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Drivo and starts drivo-demo: the program with the virtual car and its panel.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target drivo-demo
exec build/release/app/drivo-demo
