#!/usr/bin/env bash
# Builds the console fuzz target with clang (libFuzzer with AddressSanitizer
# and UndefinedBehaviorSanitizer) into build-fuzz/ and runs it for about a
# minute from the seeds in fuzz/corpus/. Fails on any crash, hang (a key
# stream running longer than 10 s) or sanitizer report. Installs clang and
# its runtime libraries when they are missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${KESTRO_FUZZ_SECONDS:-60}

. "$top/scripts/packages.sh"
installMissing "${fuzzPackages[@]}"

build=$top/build-fuzz
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja \
    -DKESTRO_FUZZ=ON -DKESTRO_TESTS=OFF -DKESTRO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel --target kestro-fuzz-console

# The fuzzer adds what it finds to its first corpus folder: a scratch copy
# keeps the seeds in the tree as they are. Crash and hang inputs are kept in
# build-fuzz/artifacts/ to reproduce them.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build/artifacts"
cp "$top"/fuzz/corpus/* "$work/corpus/"

status=0
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
    "$build/bin/kestro-fuzz-console" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$work/corpus" \
    2>&1 | tee "$build/fuzz.log" || status=$?
if [ "$status" -ne 0 ]; then
    echo "fuzz: the console fuzz target failed (status $status); see $build/fuzz.log and $build/artifacts/" >&2
    exit 1
fi
# A report that did not end the run still fails it.
if grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$build/fuzz.log"; then
    echo "fuzz: sanitizer report in $build/fuzz.log" >&2
    exit 1
fi
