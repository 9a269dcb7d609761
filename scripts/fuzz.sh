#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz/ with clang (AddressSanitizer + UndefinedBehavior-
# Sanitizer) in build-fuzz/ and runs each for SECONDS (default 60) on its committed seed corpus
# plus fresh inputs. Inputs that reach new code are kept in build-fuzz/corpus/<name>/; an input
# that crashes, leaks, hangs or runs out of memory is saved in build-fuzz/artifacts/ and makes
# the script fail. Usage: scripts/fuzz.sh [SECONDS] [TARGET...] (targets by name, e.g. ini).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

seconds="${1:-60}"
shift || true
build="$root/build-fuzz"

# -O1 with line tables: libFuzzer runs fast enough there, and the build takes far less time than
# at -O2 with full debug information.
CC=clang CXX=clang++ cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" >/dev/null
cmake --build "$build" --target fuzz_all -j "$(nproc)"

if [ "$#" -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in tests/fuzz/*/*_fuzz.cpp; do
    name="$(basename "$source" _fuzz.cpp)"
    targets+=("$name")
  done
fi

mkdir -p "$build/artifacts" "$build/logs"
# Fuzzes target $1 for the given seconds; its output, without the progress lines, goes to its log.
fuzz_one() {
  local name="$1"
  mkdir -p "$build/corpus/$name"
  local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
              -artifact_prefix="$build/artifacts/$name-")
  local dict=(tests/fuzz/*/"$name".dict)
  if [ -f "${dict[0]}" ]; then
    args+=(-dict="${dict[0]}")
  fi
  "$build/bin/fuzz_$name" "${args[@]}" "$build/corpus/$name" "tests/fuzz/corpus/$name" 2>&1 \
    | grep -Ev '^#[0-9]+\s+(NEW|REDUCE|pulse)' > "$build/logs/$name.log"
}

# One target per core at a time; each keeps its full time.
jobs="$(nproc)"
failed=()
pending=("${targets[@]}")
while [ "${#pending[@]}" -gt 0 ]; do
  batch=("${pending[@]:0:$jobs}")
  pending=("${pending[@]:$jobs}")
  pids=()
  for name in "${batch[@]}"; do
    echo "== Fuzzing $name for $seconds s"
    fuzz_one "$name" &
    pids+=("$!")
  done
  for i in "${!batch[@]}"; do
    wait "${pids[$i]}" || failed+=("${batch[$i]}")
    cat "$build/logs/${batch[$i]}.log"
  done
done
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz targets failed: ${failed[*]}"
  exit 1
fi
echo "== Fuzzing done"
