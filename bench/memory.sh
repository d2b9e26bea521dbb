#!/usr/bin/env bash
# Memory over a long transcript.
#  - Script mode: a keystroke script of LINES lines (a student's mix of
#    configuration, listings and help, typed over and over) through
#    kestro-console --script; prints the transcript's size and the program's
#    peak resident memory (VmHWM) beside it.
#  - The desktop: kestro-transcript-memory types the same mix into the
#    console window (offscreen, then under a virtual X display) until the transcript holds LINES lines and
#    prints the resident memory at the start, on the way and at the end.
# Usage: bench/memory.sh [BUILD_DIR] [LINES]   (LINES default 200000)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
lines=${2:-200000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$lines" "$work/day.keys" <<'PY'
import sys
lines, path = int(sys.argv[1]), sys.argv[2]
session = ["enable", "configure terminal", "interface ethernet 0",
           "ip address 192.168.1.1 255.255.255.0", "no shutdown", "exit", "?", "end",
           "show running-config", "show ip interface brief", "show interfaces",
           "show clock", "show version", "disable"]
with open(path, "w") as f:
    f.write("\n")
    for i in range(lines - 1):
        f.write(session[i % len(session)] + "\n")
PY

echo "script mode ($lines-line script):"
python3 - "$build/bin/kestro-console" "$work/day.keys" "$work/day.out" <<'PY'
import os, resource, subprocess, sys, time
console, keys, out = sys.argv[1:4]
env = dict(os.environ)
env.pop("KESTRO_RECORD", None)
start = time.perf_counter()
with open(out, "wb") as f:
    subprocess.run([console, "--script", keys], stdout=f, check=True, env=env)
seconds = time.perf_counter() - start
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
size = os.path.getsize(out) / 2**20
with open(out, "rb") as f:
    lines = sum(chunk.count(b"\n") for chunk in iter(lambda: f.read(1 << 20), b""))
print(f"  transcript {size:.1f} MB ({lines} lines), peak resident {peak:.1f} MB "
      f"= {peak / size:.2f}x the transcript, {seconds:.1f} s")
PY

echo "desktop (offscreen, $lines transcript lines):"
QT_QPA_PLATFORM=offscreen "$build/bin/kestro-transcript-memory" "$lines" 2>/dev/null | sed 's/^/  /'
echo "desktop (Xvfb, $lines transcript lines):"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1366x768x24" \
    "$build/bin/kestro-transcript-memory" "$lines" 2>/dev/null | sed 's/^/  /'
