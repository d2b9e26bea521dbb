#!/usr/bin/env bash
# Installs the system packages the project needs (listed in packages.sh) and
# builds it into build/ (or the folder given as the first argument, with any
# further CMake options after it).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/packages.sh"
installMissing "${buildPackages[@]}"

build=${1:-$top/build}
shift || true
cmake -S "$top" -B "$build" -G Ninja "$@"
cmake --build "$build" --parallel
