#!/usr/bin/env bash
# Sets up, builds and starts the desktop program kestro (the terminal
# console is build/bin/kestro-console).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" "$top/build" >&2
exec "$top/build/bin/kestro" "$@"
