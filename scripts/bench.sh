#!/bin/sh
# Builds the benchmarks in Release and runs them. Arguments are handed to the benchmark
# program, e.g. --benchmark_repetitions=5 or --benchmark_filter=BM_Szene.
set -eu

root="$(cd "$(dirname "$0")/.." && pwd)"
if [ -x "$root/scripts/setup.sh" ]; then
    "$root/scripts/setup.sh"
elif [ -f "$root/scripts/setup.sh" ]; then
    sh "$root/scripts/setup.sh"
fi

cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=ON
cmake --build "$root/build-bench" --target bench_szene -j"$(nproc)"

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export QT_ENABLE_HIGHDPI_SCALING="${QT_ENABLE_HIGHDPI_SCALING:-0}"
exec "$root/build-bench/bench/bench_szene" "$@"
