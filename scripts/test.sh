#!/usr/bin/env bash
# Sets up, builds and runs every test headless: the normal build, its install
# and Debian package, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the console fuzz target for about a minute.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$top/scripts/setup.sh" "$top/build"
# Sources are kept in the repo's clang-format style (setup installs it).
(cd "$top" && find src apps tools tests bench fuzz -name '*.cpp' -o -name '*.h' |
    xargs clang-format --dry-run -Werror)
ctest --test-dir "$top/build" --output-on-failure --parallel "$jobs"
# The installed programs and the Debian package.
. "$top/scripts/packages.sh"
installMissing "${packagingPackages[@]}"
"$top/scripts/install-check.sh" "$top/build"

"$top/scripts/setup.sh" "$top/build-asan" -DKESTRO_SANITIZE=ON -DKESTRO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$top/build-asan" --output-on-failure --parallel "$jobs"

# The console under random keystrokes for about a minute.
"$top/scripts/fuzz.sh"
