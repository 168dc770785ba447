#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives every tracked source file its licence line: "// SPDX-License-Identifier: ..." first in
# C++ files, "# SPDX-License-Identifier: ..." in CMake and shell files (after a #! line).
# With --check it changes nothing and lists the files without one (exit 1 if any).
set -euo pipefail
cd "$(dirname "$0")/.."
id="SPDX-License-Identifier: GPL-3.0-or-later"
check=0
[ "${1:-}" = "--check" ] && check=1

missing=0
while IFS= read -r f; do
  [ -f "$f" ] || continue
  case "$f" in
    *.cpp|*.h|*.h.in) line="// $id" ;;
    *CMakeLists.txt|*.cmake|*.sh|.ci/run) line="# $id" ;;
    *) continue ;;
  esac
  # The identifier counts within the first two lines (a #! line may come first).
  head -n 2 "$f" | grep -qF "$id" && continue
  if [ "$check" -eq 1 ]; then
    echo "no licence line: $f"
    missing=1
  elif head -c 2 "$f" | grep -q '^#!'; then
    sed -i "1a $line" "$f"
  else
    sed -i "1i $line" "$f"
  fi
done < <(git ls-files)
exit "$missing"
