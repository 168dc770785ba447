#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds the drawn pictures under res/: bitmaps, icons and the background picture.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S tools/art -B build/art -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/art -j2 >/dev/null
build/art/drivo_art res
