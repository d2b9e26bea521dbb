#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for about a
# minute, starting from the corpus kept in fuzz/corpus/<target>/. Fails on any
# crash, hang (an input running longer than 10 s) or sanitizer report.
# Long inputs are tried from the start (-len_control=0), and the kept console
# corpus holds whole walk-throughs (walkthroughs1-3: every lab, test and
# exercise typed after its activity start), so a minute reaches long sessions.
# Installs clang and its runtime libraries when they are missing.
#
#   scripts/fuzz.sh          run every target (CI)
#   scripts/fuzz.sh --keep   run, then merge the inputs that reach new code
#                            into fuzz/corpus/ so they can be committed
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${KESTRO_FUZZ_SECONDS:-60}
keep=0
[ "${1:-}" = "--keep" ] && keep=1

. "$top/scripts/packages.sh"
installMissing "${fuzzPackages[@]}"

build=$top/build-fuzz
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja \
    -DKESTRO_FUZZ=ON -DKESTRO_TESTS=OFF -DKESTRO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel --target kestro-fuzz-console kestro-fuzz-script

# Everything a run writes stays in build-fuzz/: what the fuzzer finds goes to
# build-fuzz/corpus/<target>/ (its first corpus folder; the kept corpus is
# only read), crash and hang inputs to build-fuzz/artifacts/, and libFuzzer's
# own scratch files to build-fuzz/tmp/, removed at the end.
export TMPDIR=$build/tmp
mkdir -p "$TMPDIR" "$build/artifacts"
# The console target makes its log folder as /tmp/kestro-fuzz-XXXXXX; those
# this run makes are removed with the rest.
before=$(ls -d /tmp/kestro-fuzz-* 2>/dev/null || true)
cleanUp() {
    rm -rf "$TMPDIR"
    local d
    for d in /tmp/kestro-fuzz-*; do
        [ -d "$d" ] || continue
        grep -qxF "$d" <<<"$before" || rm -rf "$d"
    done
}
trap cleanUp EXIT

status=0
for target in console script; do
    found=$build/corpus/$target
    kept=$top/fuzz/corpus/$target
    log=$build/fuzz-$target.log
    mkdir -p "$found"
    run=0
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
        "$build/bin/kestro-fuzz-$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=4096 -len_control=0 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/" "$found" "$kept" 2>&1 | tee "$log" || run=$?
    if [ "$run" -ne 0 ]; then
        echo "fuzz: the $target target failed (status $run); see $log and $build/artifacts/" >&2
        status=1
    elif grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$log"; then
        # A report that did not end the run still fails it.
        echo "fuzz: sanitizer report in $log" >&2
        status=1
    elif [ "$keep" -eq 1 ]; then
        # Only inputs that reach code the kept corpus does not are added.
        "$build/bin/kestro-fuzz-$target" -merge=1 -max_len=4096 "$kept" "$found" \
            >"$build/merge-$target.log" 2>&1
    fi
    grep -E "^stat::number_of_executed_units|^#[0-9]+ *DONE" "$log" | sed "s/^/$target: /" || true
    # How long the inputs it kept have grown.
    if ls "$found"/* >/dev/null 2>&1; then
        echo "$target: kept inputs, bytes: $(wc -c "$found"/* | grep -v ' total$' | sort -n |
            awk '{a[NR]=$1} END {print "median " a[int((NR+1)/2)] ", longest " a[NR] " (" NR " inputs)"}')"
    fi
done
exit $status
