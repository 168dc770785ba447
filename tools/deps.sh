#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, testing and running Drivo need; with
# --delivery also those of packaging, its checks and the fuzzers (tools/delivery.sh).
# Does nothing when they are all present; needs root (or sudo) otherwise.
set -euo pipefail
# udev brings udev.pc, whose udevdir says where the package's rule goes.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev
          libqt6opengl6-dev libgl-dev qt6-translations-l10n libftdi1-dev libudev-dev udev
          libjpeg-dev libpng-dev libbenchmark-dev
          clang-format xvfb xauth fonts-dejavu-core fonts-liberation2 umockdev libumockdev-dev)
if [ "${1:-}" = "--delivery" ]; then
  # Packaging and its checks, the fuzzer, coverage and the mutation check.
  packages+=(dpkg-dev file lintian desktop-file-utils appstream mmdebstrap clang
             libfuzzer-14-dev bc time gcovr python3)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
