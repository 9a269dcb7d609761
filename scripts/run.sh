#!/usr/bin/env bash
# Installs what is missing, builds the game (optimised, assertions on) and starts it from the repository root.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target tetherix
exec build/bin/tetherix "$@"
