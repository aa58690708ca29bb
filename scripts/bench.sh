#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them headless. Arguments go to the benchmark
# program, e.g. --benchmark_repetitions=5 or --benchmark_filter=BM_Szene.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh" "$here/../build-bench" -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
export QT_ENABLE_HIGHDPI_SCALING=0
exec "$here/../build-bench/bench/bench_szene" "$@"
