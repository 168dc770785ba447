#!/usr/bin/env bash
# What CI checks after the tests: a normal build (no sanitizers), the quick figures (send
# round trip over the virtual car and over the real driver path, chart redraw, 60 s of each
# fuzzer), then the Debian package built, installed with apt-get, its files checked and
# validated, and the installed drivo-demo started.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
werror=${DRIVO_WERROR:-OFF}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The package installs under /usr, its udev rule in the system's rules folder.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVO_WERROR="$werror" \
      -DCMAKE_INSTALL_PREFIX=/usr -DDRIVO_UDEV_RULES_DIR=/usr/lib/udev/rules.d
cmake --build build/release -j "$(nproc)"

# The send figure counts the program's own cost above its sleeps; when allowed, real-time
# priority keeps other processes on the shared machine from adding theirs.
send=(build/release/bench/drivo_send_bench)
if $sudo chrt -f 10 true 2>/dev/null; then send=($sudo chrt -f 10 "${send[@]}"); fi
# A busy machine can add its own delays to one run: above the goal three times in a row fails.
for try in 1 2 3; do
  "${send[@]}" && break
  [ "$try" -lt 3 ] || { echo "send round trip above its goal in three runs"; exit 1; }
done
# The real driver path (libftdi against the USB test bed's emulated bridge) runs on the bed's
# virtual clock, so one run is its figure.
LD_PRELOAD=libumockdev-preload.so.0 build/release/bench/drivo_usb_send_bench
QT_QPA_PLATFORM=offscreen build/release/bench/drivo_bench
DRIVO_WERROR="$werror" tools/fuzz.sh 60

(cd build/release && rm -f drivo_*.deb && cpack -G DEB)
deb=$(ls build/release/drivo_*_amd64.deb)
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall "./$deb"

missing=0
expect() { [ -e "$1" ] || { echo "missing from the package: $1"; missing=1; }; }
for f in /usr/bin/drivo /usr/bin/drivo-demo /usr/lib/udev/rules.d/60-drivo-ftdi.rules \
         /usr/share/applications/drivo.desktop /usr/share/applications/drivo-demo.desktop \
         /usr/share/metainfo/org.drivo.Drivo.metainfo.xml \
         /usr/share/drivo/screenshots/drivo-demo.png; do
  expect "$f"
done
for size in 16 24 32 48 64 128 256; do
  expect "/usr/share/icons/hicolor/${size}x${size}/apps/drivo.png"
done
for bundle in build/release/app/*.rcc; do
  expect "/usr/bin/$(basename "$bundle")"
done
[ "$missing" -eq 0 ]
desktop-file-validate /usr/share/applications/drivo.desktop /usr/share/applications/drivo-demo.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.drivo.Drivo.metainfo.xml

# Still running after a few seconds (timeout's 124) is what a started program does.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/drivo-demo || status=$?
[ "$status" -eq 124 ] || { echo "installed drivo-demo ended with $status"; exit 1; }
echo "package $deb built, installed, validated and started"
