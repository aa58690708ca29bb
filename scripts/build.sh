#!/usr/bin/env bash
# Configures and builds into the folder given as the first argument; further arguments go
# to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
cmake -S . -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
