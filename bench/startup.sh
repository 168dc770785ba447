#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up figure: time from process start to the first complete frame of the main window,
# peak memory and page faults (each fresh page costs a fault, on some virtual machines 10 µs),
# of drivo and drivo-demo against a bare Qt dialog with a few line edits built
# with the same flags, as ratios measured in the same run (medians of alternating runs).
#   bench/startup.sh [build dir, default build/release] [runs, default 15]
# Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise (xcb with DISPLAY).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-15}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The last row is the same bare dialog at the main window's size, painting a window-sized
# picture it keeps: the share of the figures that the window's size and picture alone make.
probes=(drivo_bare_dialog_probe drivo_startup_probe drivo-demo_startup_probe bare_window)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for ((i = 0; i < runs; ++i)); do
  for p in "${probes[@]}"; do
    start=$(date +%s%N)
    run=("$build/bench/$p")
    [ "$p" = bare_window ] && run=("$build/bench/drivo_bare_dialog_probe" --window)
    shown=$(/usr/bin/time -f '%M %R' -o "$out/rss" "${run[@]}")
    echo $(( (shown - start) / 1000 )) >>"$out/$p.us"
    read -r kb faults <"$out/rss"
    echo "$kb" >>"$out/$p.kb"
    echo "$faults" >>"$out/$p.faults"
  done
done

median() { sort -n "$1" | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# The median of each round's own ratio: a machine that slows down for a while slows both
# programs of that round, so this one moves less between runs than the ratio of the medians.
paired() { paste "$1" "$2" | awk '{print $1 / $2}' >"$out/ratio"; median "$out/ratio"; }
base_us=$(median "$out/${probes[0]}.us")
base_kb=$(median "$out/${probes[0]}.kb")
printf '%-26s %10s %10s %8s %8s %8s %8s\n' probe "frame µs" "peak KiB" faults "x time" "x memory" \
  "x paired"
for p in "${probes[@]}"; do
  us=$(median "$out/$p.us")
  kb=$(median "$out/$p.kb")
  printf '%-26s %10d %10d %8d %8.2f %8.2f %8.2f\n' "$p" "$us" "$kb" "$(median "$out/$p.faults")" \
    "$(echo "$us / $base_us" | bc -l)" "$(echo "$kb / $base_kb" | bc -l)" \
    "$(paired "$out/$p.us" "$out/${probes[0]}.us")"
done
window_us=$(median "$out/bare_window.us")
for p in drivo_startup_probe drivo-demo_startup_probe; do
  printf '%-26s %8.2f x the window-sized row in time\n' "$p" \
    "$(echo "$(median "$out/$p.us") / $window_us" | bc -l)"
done
echo "goal: at most 1.3 x in time and 1.3 x in memory, and 1.25 x the window-sized row in time" \
     "(platform: $QT_QPA_PLATFORM)"
