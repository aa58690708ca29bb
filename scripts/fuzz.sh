#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each for a bounded time,
# starting from its seed inputs: normalisieren from fuzz/corpus, the reader of the line's
# network messages from fuzz/corpus-protokoll.
#   scripts/fuzz.sh [seconds] [further libFuzzer options]     (30 seconds each if not given)
# FUZZ_ZIELE="protokoll_fuzz" runs only the targets named.
# New inputs go to a temporary folder, never into the seed folders. An input that fails is
# saved in build-fuzz/fuzz-artefakte/ and the script exits non-zero.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
seconds="${1:-30}"
[ $# -gt 0 ] && shift

"$here/setup.sh" clang libclang-rt-14-dev

declare -A corpus=([normalisieren_fuzz]=corpus [protokoll_fuzz]=corpus-protokoll)
read -r -a ziele <<<"${FUZZ_ZIELE:-normalisieren_fuzz protokoll_fuzz}"

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTELEGRAF_FUZZ=ON -DTELEGRAF_BENCHMARKS=OFF >/dev/null
for ziel in "${ziele[@]}"; do
    cmake --build "$build" --target "$ziel" -j"$(nproc)"
done

artefakte="$build/fuzz-artefakte"
mkdir -p "$artefakte"
for ziel in "${ziele[@]}"; do
    work="$(mktemp -d)"
    cp "$root/fuzz/${corpus[$ziel]}/"* "$work/"
    echo "== $ziel: $seconds s =="
    status=0
    "$build/fuzz/$ziel" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artefakte/" "$@" "$work" || status=$?
    rm -rf "$work"
    [ "$status" -eq 0 ] || exit "$status"
done
