#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Where the start-up goes: the moments drivo's start-up probe and the bare dialog pass on their
# way to the first complete frame, in ms after exec, as medians of alternating runs. Read with
# bench/startup.sh: what both programs spend before main (the dynamic loader) and in Qt's and
# fontconfig's own start is the part no change to the window can take away.
#   bench/startup-phases.sh [build dir, default build/release] [runs, default 9]
# Needs root and perf (uprobes); runs on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
runs=${2:-9}
export QT_QPA_PLATFORM=offscreen
drivo=$build/bench/drivo_startup_probe
bare=$build/bench/drivo_bare_dialog_probe
widgets=$(ldd "$drivo" | awk '/libQt6Widgets/ {print $3}')
libc=$(ldd "$drivo" | awk '/libc.so/ {print $3}')
out=$(mktemp -d)
cleanup() { perf probe -q -d 'drivo_phase:*' 2>/dev/null || true; rm -rf "$out"; }
trap cleanup EXIT

# Each moment a probe at the start of a function: name=binary:symbol.
moments=(
  main="$drivo:main" app="$widgets:_ZN12QApplicationC1ERiPPci"
  window="$drivo:_ZN5drivo11CMainDialogC1EP7QWidgetNS_14DeviceServicesENS_19LanguageEnvironmentE"
  template="$drivo:_ZN5drivo7CDialog6CreateEv" init="$drivo:_ZN5drivo11CMainDialog12OnInitDialogEv"
  loop="$widgets:_ZN7QDialog4execEv" chart="$drivo:_ZN5drivo13CProfileChart10paintEventEP11QPaintEvent"
  baremain="$bare:main" frame="$libc:_exit"
)
for m in "${moments[@]}"; do
  name=${m%%=*} target=${m#*=}
  perf probe -q -x "${target%%:*}" --no-demangle -a "drivo_phase:$name=${target#*:}"
done

# One line per run: the moments in order, each once (the chart's first paint only).
for ((i = 0; i < runs; ++i)); do
  for p in drivo bare; do
    run=$drivo
    [ $p = bare ] && run=$bare
    perf record -q -e 'drivo_phase:*' -e sched:sched_process_exec -o "$out/data" "$run" \
      >/dev/null 2>&1
    perf script -i "$out/data" -F time,event 2>/dev/null |
      awk 'NR == 1 {t0 = $1} {sub(/:$/, "", $2); sub(/.*:/, "", $2)
           if (!seen[$2]++) printf "%s=%.2f ", $2, ($1 - t0) * 1000} END {print ""}' >>"$out/$p"
  done
done

median() { sort -n | awk '{v[NR] = $1} END {if (NR) printf "%7.2f", v[int((NR + 1) / 2)]}'; }
for p in drivo bare; do
  printf '%-6s' "$p"
  for name in main baremain app window template init loop chart frame; do
    values=$(grep -o "\b$name=[0-9.]*" "$out/$p" | cut -d= -f2 || true)
    [ -n "$values" ] && printf '  %s %s' "$name" "$(median <<<"$values")"
  done
  echo
done
echo "ms after exec at which each starts: main, QApplication's construction, the window's, its"
echo "template's, its init, the event loop, the chart's first paint; frame: the first complete frame"
