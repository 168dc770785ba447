#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What CI checks after the tests: a normal build (no sanitizers), the quick figures (send
# round trip over the virtual car and over the real driver path, chart redraw, 60 s of each
# fuzzer), then the Debian package: built with Debian's hardening flags, its files checked,
# lintian, the AppStream and desktop validators, and the package installed with apt-get into a
# clean Debian 12 root, drivo-demo started there and the package removed again.
# DRIVO_SCREENSHOTS=<folder> also saves the installed window in French, English (en_GB) and
# German (de_AT) from that root, with no font but the package's.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh --delivery
tools/spdx.sh --check
werror=${DRIVO_WERROR:-OFF}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The package installs under /usr. Debian's build flags (stack protector, fortify, relro and
# now); the release date is the last commit's.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVO_WERROR="$werror" \
      -DCMAKE_INSTALL_PREFIX=/usr "-DCMAKE_CXX_FLAGS=$CPPFLAGS $CXXFLAGS" \
      "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" "-DCMAKE_SHARED_LINKER_FLAGS=$LDFLAGS"
cmake --build build/release -j "$(nproc)"

if [ -z "${DRIVO_PACKAGE_ONLY:-}" ]; then
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
  # The window's figures are ratios to bare steps of the same run, yet from one run to the next
  # the drag step alone moves between two levels here (about 1.4 x and 1.9 x, the bare step
  # unchanged, with or without the process pinned to one processor): as with the send figure,
  # above a goal three times in a row fails.
  for try in 1 2 3; do
    QT_QPA_PLATFORM=offscreen build/release/bench/drivo_bench && break
    [ "$try" -lt 3 ] || { echo "the window's figures above their goals in three runs"; exit 1; }
  done
  DRIVO_WERROR="$werror" tools/fuzz.sh 60
fi

(cd build/release && rm -f drivo_*.deb drivo-dbgsym_*.ddeb && cpack -G DEB)
deb=$(ls build/release/drivo_*_amd64.deb)
dbgsym=$(ls build/release/drivo-dbgsym_*_amd64.ddeb)
# CPack writes the symbols package's md5sums with its own staging paths and gives it no
# documentation: the sums made again, its doc folder a link to drivo's, as Debian's own are.
fix=$(mktemp -d)
dpkg-deb -R "$dbgsym" "$fix/p"
(cd "$fix/p" && find usr -type f -exec md5sum {} + > DEBIAN/md5sums)
mkdir -p "$fix/p/usr/share/doc" && ln -s drivo "$fix/p/usr/share/doc/drivo-dbgsym"
dpkg-deb --root-owner-group -b "$fix/p" "$dbgsym" >/dev/null
rm -rf "$fix"
lintian --fail-on error,warning "$deb" "$dbgsym"

# What the package holds: programs alone in /usr/bin, the bundles (links for the other
# territories) in /usr/share/drivo, the journal's plot module in /usr/lib/<arch>/drivo.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
missing=0
expect() { [ -e "$tree$1" ] || { echo "missing from the package: $1"; missing=1; }; }
for f in /usr/bin/drivo /usr/bin/drivo-demo "$(pkg-config --variable=udevdir udev)/rules.d/60-drivo-ftdi.rules" \
         /usr/share/applications/org.drivo.drivo.desktop \
         /usr/share/applications/org.drivo.drivo.demo.desktop \
         /usr/share/metainfo/org.drivo.drivo.metainfo.xml /usr/share/doc/drivo/copyright \
         /usr/share/doc/drivo/changelog.Debian.gz /usr/share/man/man1/drivo.1.gz \
         /usr/share/man/man1/drivo-demo.1.gz \
         "/usr/lib/$(gcc -print-multiarch)/drivo/drivo-journal-plot.so"; do
  expect "$f"
done
for size in 16 24 32 48 64 128 256; do
  expect "/usr/share/icons/hicolor/${size}x${size}/apps/drivo.png"
done
for bundle in build/release/app/*.rcc; do
  expect "/usr/share/drivo/$(basename "$bundle")"
done
for abbr in ENG ENA DES DEA; do
  expect "/usr/share/drivo/drivo$abbr.rcc"
done
others=$(ls "$tree/usr/bin" | grep -vx -e drivo -e drivo-demo || true)
[ -z "$others" ] || { echo "not programs, in /usr/bin: $others"; missing=1; }
[ "$missing" -eq 0 ]
desktop-file-validate "$tree"/usr/share/applications/*.desktop
appstreamcli validate --pedantic --no-net "$tree/usr/share/metainfo/org.drivo.drivo.metainfo.xml"

# A clean Debian 12 root (only what apt needs), the package installed as a user would, its
# drivo-demo started (still running after a few seconds, timeout's 124, is a started program),
# --version answered, the plot module's libraries all installed, and the package purged
# without leaving a file.
mirror=http://deb.debian.org/debian
name=$(basename "$deb")
hooks=(--customize-hook="copy-in $deb /tmp"
       --customize-hook="chroot \"\$1\" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$name"
       --customize-hook='chroot "$1" drivo-demo --version'
       --customize-hook='chroot "$1" sh -c "! ldd /usr/lib/*/drivo/drivo-journal-plot.so | grep found"'
       --customize-hook='chroot "$1" sh -c "QT_QPA_PLATFORM=offscreen timeout 10 drivo-demo; [ \$? -eq 124 ]"')
if [ -n "${DRIVO_SCREENSHOTS:-}" ]; then
  mkdir -p "$DRIVO_SCREENSHOTS"
  hooks+=(--customize-hook='chroot "$1" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth x11-apps xdotool'
          --customize-hook="upload tools/package-screenshots.sh /tmp/package-screenshots.sh"
          --customize-hook='chroot "$1" sh /tmp/package-screenshots.sh /tmp/screens'
          --customize-hook="sync-out /tmp/screens $DRIVO_SCREENSHOTS"
          --customize-hook='chroot "$1" apt-get purge -y -qq xvfb xauth x11-apps xdotool')
fi
hooks+=(--customize-hook='chroot "$1" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq drivo'
        --customize-hook='chroot "$1" sh -c "! dpkg -S drivo 2>/dev/null && ! ls /usr/share/drivo /usr/share/doc/drivo /usr/lib/*/drivo 2>/dev/null"')
start=$(date +%s)
$sudo mmdebstrap --variant=apt --quiet "${hooks[@]}" bookworm /dev/null \
      "deb $mirror bookworm main" "deb $mirror bookworm-updates main" \
      "deb http://deb.debian.org/debian-security bookworm-security main"
echo "clean root: package installed, started and removed in $(( $(date +%s) - start )) s"
echo "package $deb built, checked, installed, started and removed"
