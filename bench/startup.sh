#!/usr/bin/env bash
# Start-up time of kestro against a bare Qt main window, side by side in one
# run: each is started RUNS times in turn with --skip-countdown
# --quit-when-shown, on the offscreen platform and under a virtual X display.
# Both say "shown" once their main window is shown with its first screen
# (every widget made and laid out, before anything is painted) and "painted"
# once the window has painted itself for the first time, then quit. Prints,
# for the time from the start to each line, the medians, their ratio and the
# median ratio of each pair of starts (one of each, one after the other).
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
def run(argv):
    start = time.perf_counter()
    p = subprocess.Popen(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    marks = []
    for expected in ("shown", "painted"):
        if p.stdout.readline().strip() != expected:
            p.kill()
            sys.exit(f"{argv[0]} did not say {expected}")
        marks.append((time.perf_counter() - start) * 1000)
    p.stdout.read()
    if p.wait() != 0:
        sys.exit(f"{argv[0]} failed")
    return marks
# Two rounds first, not counted: the files come into the page cache.
for _ in range(2):
    for argv in programs.values():
        run(argv)
times = {name: [] for name in programs}
for _ in range(runs):
    for name, argv in programs.items():
        times[name].append(run(argv))
for what, i in (("shown", 0), ("painted", 1)):
    k = [t[i] for t in times["kestro"]]
    b = [t[i] for t in times["bare window"]]
    mk, mb = statistics.median(k), statistics.median(b)
    pairs = statistics.median(x / y for x, y in zip(k, b))
    print(f"  {what + ':':8} kestro {mk:.1f} ms, bare window {mb:.1f} ms, ratio {mk / mb:.2f};"
          f" median ratio of pairs {pairs:.2f} (medians of {runs})")
PY
echo "offscreen:"
QT_QPA_PLATFORM=offscreen python3 "$script" "$runs" "$build"
echo "Xvfb:"
xvfb-run -a -s "-screen 0 1366x768x24" python3 "$script" "$runs" "$build"
