#!/usr/bin/env bash
# Installs the system packages the project needs (the one list of them) and
# builds it into build/ (or the folder given as the first argument, with any
# further CMake options after it).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libsqlite3-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
shift || true
cmake -S "$top" -B "$build" -G Ninja "$@"
cmake --build "$build" --parallel
