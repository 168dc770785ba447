#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Clicks Send in drivo-demo, then Exit 0.3 s later, N times (default 50), under Xvfb; fails
# when a run reports a sanitizer error or does not end. Meant for a sanitizer build:
#   tools/exit-during-send.sh build/asan/app/drivo-demo 50
set -euo pipefail
program=$(realpath "${1:?usage: exit-during-send.sh <drivo-demo> [runs]}")
runs=${2:-50}
command -v xdotool >/dev/null || { echo "needs xdotool"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export DISPLAY=:97 XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# What is looked for is memory used after exit freed it; the desktop bus library's own
# allocations left at exit are not ours.
export ASAN_OPTIONS=detect_leaks=0
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
for i in $(seq "$runs"); do
  (cd "$work" && exec "$program") 2>"$work/stderr" &
  pid=$!
  window=$(xdotool search --sync --onlyvisible --name '^Drivo$' | head -1)
  sleep 1.5 # the start's two reads, then the fresh car's default-parameters warning
  xdotool key Return
  sleep 0.3
  # Send and Exit, in the window's own coordinates (the template's buttons at 96 dpi).
  xdotool mousemove --window "$window" 151 419 click 1
  sleep 0.3
  xdotool mousemove --window "$window" 730 11 click 1
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "run $i: still running"; kill $pid; exit 1; fi
  wait $pid || { echo "run $i: exit code $?"; cat "$work/stderr"; exit 1; }
  if grep -q 'Sanitizer' "$work/stderr"; then echo "run $i:"; cat "$work/stderr"; exit 1; fi
done
echo "$runs runs of send-then-exit: no sanitizer report"
