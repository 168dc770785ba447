#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a product file includes against the layers (README, "Layers"): each folder may
# include only the folders (or single headers) listed for it below, and device/, settings/ and
# sim/ include no Qt. Own-folder includes without a folder name are always allowed.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [device]="device"
  [device/ftdi]="device device/ftdi"
  [settings]="settings device/CarLink.h"
  [sim]="sim device"
  [i18n]="i18n settings/AsciiCase.h"
  [framework]="framework i18n settings/AsciiCase.h device/JobNotifier.h"
  [widgets]="widgets framework i18n settings/AsciiCase.h device/JobNotifier.h"
  [chart]="chart widgets framework i18n settings device/JobNotifier.h"
  [platform]="platform framework i18n settings/AsciiCase.h device/JobNotifier.h"
  [app]="app chart widgets framework i18n settings device"
  [demo]="demo app sim chart widgets framework i18n settings device"
)
# drivo's main and its wiring add the operating system's adapters and the libftdi driver.
wiring_extra="platform device/ftdi"
standard_only="device device/ftdi settings sim"


failures=0
for folder in "${!allowed[@]}"; do
  for file in $(git ls-files -- "$folder/*.cpp" "$folder/*.h"); do
    [ "$(dirname "$file")" = "$folder" ] || continue
    rules=" ${allowed[$folder]} "
    case $file in app/DrivoWiring.* | app/main_drivo.cpp) rules+="$wiring_extra " ;; esac
    while IFS=: read -r line include; do
      [[ $include =~ \"([^\"]*)\" ]] && target=${BASH_REMATCH[1]}
      [[ $target == *../* ]] && { echo "$file:$line: relative include \"$target\""; failures=1; continue; }
      # The folder it names: device/ftdi/X.h is in device/ftdi, a/X.h in a.
      case $target in device/ftdi/*) owner=device/ftdi ;; */*) owner=${target%%/*} ;; *) continue ;; esac
      [[ $rules == *" $owner "* || $rules == *" $target "* ]] && continue
      echo "$file:$line: $folder/ may not include \"$target\""
      failures=1
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
    if [[ " $standard_only " == *" $folder "* ]]; then
      while IFS=: read -r line include; do
        echo "$file:$line: $folder/ uses the standard library only: $include"
        failures=1
      done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q|q)' "$file" || true)
    fi
  done
done
[ "$failures" -eq 0 ] && echo "layers: every include points down"
exit "$failures"
