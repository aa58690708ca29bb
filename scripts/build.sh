#!/usr/bin/env bash
# Configures and builds into a folder:
#   scripts/build.sh DIR [--target NAME] [CMake configure arguments...]
# Without --target everything is built.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
target=()
if [ "${1:-}" = "--target" ]; then
    target=(--target "$2")
    shift 2
fi
cmake -S . -B "$dir" "$@" >/dev/null
cmake --build "$dir" "${target[@]}" -j"$(nproc)"
