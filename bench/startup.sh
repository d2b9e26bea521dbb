#!/usr/bin/env bash
# Start-up time of kestro against a bare Qt main window, side by side in one
# run: each is started RUNS times in turn (--skip-countdown --quit-when-shown:
# from exec to the main window's first paint and out) on the offscreen
# platform and under a virtual X display; prints the medians and the ratio.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
runs=${2:-15}
script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat > "$script" <<'PY'
import statistics, subprocess, sys, time
runs, build = int(sys.argv[1]), sys.argv[2]
programs = {
    "kestro": [f"{build}/bin/kestro", "--skip-countdown", "--quit-when-shown"],
    "bare window": [f"{build}/bin/kestro-bare-window"],
}
times = {name: [] for name in programs}
for _ in range(runs):
    for name, argv in programs.items():
        start = time.perf_counter()
        subprocess.run(argv, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times[name].append((time.perf_counter() - start) * 1000)
k, b = statistics.median(times["kestro"]), statistics.median(times["bare window"])
print(f"  kestro {k:.0f} ms, bare window {b:.0f} ms, ratio {k / b:.2f} (medians of {runs})")
PY
echo "offscreen:"
QT_QPA_PLATFORM=offscreen python3 "$script" "$runs" "$build"
echo "Xvfb:"
xvfb-run -a -s "-screen 0 1366x768x24" python3 "$script" "$runs" "$build"
