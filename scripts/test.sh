#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite twice: an optimised build, then a build
# with AddressSanitizer and UndefinedBehaviorSanitizer (leak checking on, with the one committed
# suppressions file for leaks that the system libraries report themselves), then the fuzz targets.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
start=$(date +%s)
jobs=$(nproc)
# Compiler caches work across clones of the repository wherever they live.
export CCACHE_BASEDIR="$root"

elapsed() { echo "$(( $(date +%s) - start )) s"; }

scripts/install-deps.sh
source scripts/xvfb.sh

echo "== Release build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
echo "== Release tests ($(elapsed))"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

# The sanitizers find faults at any optimisation level; -O1 with line tables keeps the build quick,
# the tests fast and the reports readable.
echo "== Sanitizer build ($(elapsed))"
# The benchmarks are built (and so checked) by the optimised build alone.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTX_SANITIZE=ON -DTX_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
cmake --build build-asan -j "$jobs"
echo "== Sanitizer tests ($(elapsed))"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900

# Every file reader, fuzzed briefly on its committed corpus plus fresh inputs; scripts/fuzz.sh runs longer.
echo "== Fuzz targets, 10 s each ($(elapsed))"
scripts/fuzz.sh 10

echo "== All tests passed in $(elapsed)"
