#!/usr/bin/env bash
# Runs the desktop's windows (kestro-screenshots) under a virtual X display and saves pictures of its main
# views (welcome text, a lab with typed commands, a test report, the flash
# cards, a two-router exercise, a diagram) into the folder given, by default
# build/screenshots. Builds first when needed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$top/build}
out=${1:-$build/screenshots}
if [ ! -x "$build/bin/kestro-screenshots" ]; then
    "$top/scripts/setup.sh" "$build" >&2
fi
mkdir -p "$out"
rm -f "$out"/*.png
# 1366 x 768 is the most common laptop screen; SCREEN overrides it.
xvfb-run -a -s "-screen 0 ${SCREEN:-1366x768x24}" \
    "$build/bin/kestro-screenshots" "$out"
ls "$out"/*.png
