#!/usr/bin/env bash
# Installs what is missing, builds the game (optimised, assertions on) and starts it from the
# repository root, where it finds data/ and profile/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
export CCACHE_BASEDIR="$root"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target tetherix
exec build/bin/tetherix "$@"
