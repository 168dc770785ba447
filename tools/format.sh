#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every tracked .cpp and .h with the repository's .clang-format.
# --check changes nothing: it lists the files that differ and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  # One run over all files; each change it would make is reported as file:line:col: warning.
  report=$("$format" --style=file --dry-run "${files[@]}" 2>&1 >/dev/null) || true
  differing=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error)' <<<"$report" | cut -d: -f1 | sort -u || true)
  [ -z "$differing" ] && exit 0
  sed 's/^/not formatted: /' <<<"$differing"
  exit 1
fi
"$format" --style=file -i "${files[@]}"
