#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Inside a root where the package is installed (tools/delivery.sh with DRIVO_SCREENSHOTS):
# the installed drivo-demo on a virtual X screen, once per language, grabbed as X window dumps
# <folder>/<locale>.xwd.
set -eu
out=$1
mkdir -p "$out"
Xvfb :7 -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 2
for locale in fr_FR.UTF-8 en_GB.UTF-8 de_AT.UTF-8; do
  # LC_ALL, since an inherited LC_ALL or LANGUAGE would win over LANG.
  (cd "$out" && DISPLAY=:7 LANGUAGE= LC_ALL=$locale LANG=$locale exec drivo-demo) &
  demo=$!
  sleep 6 # start, first frame, the background picture decoded
  # The start's box about the defaults covers the fields: answered, as a user would.
  DISPLAY=:7 xdotool key Return
  sleep 2
  xwd -root -display :7 -silent -out "$out/${locale%%.*}.xwd"
  kill $demo
  wait $demo || true
done
