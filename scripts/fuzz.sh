#!/usr/bin/env bash
# Builds the libFuzzer target for normalisieren with clang into build-fuzz and runs it for a
# bounded time, starting from the seed inputs in fuzz/corpus.
#   scripts/fuzz.sh [seconds] [further libFuzzer options]     (30 seconds if not given)
# New inputs go to a temporary folder, never into fuzz/corpus. An input that fails is saved
# in build-fuzz/fuzz-artefakte/ and the script exits non-zero.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
seconds="${1:-30}"
[ $# -gt 0 ] && shift

"$here/setup.sh" clang libclang-rt-14-dev

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTELEGRAF_FUZZ=ON -DTELEGRAF_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target normalisieren_fuzz -j"$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root/fuzz/corpus/"* "$work/"
artefakte="$build/fuzz-artefakte"
mkdir -p "$artefakte"

"$build/fuzz/normalisieren_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artefakte/" "$@" "$work"
