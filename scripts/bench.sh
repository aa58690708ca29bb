#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them headless: the scene's frames against the cost
# of writing and copying a frame, then the text normalisation on a pasted megabyte. Arguments
# go to both benchmark programs, e.g. --benchmark_repetitions=5.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh" libbenchmark-dev
"$here/build.sh" "$here/../build-bench" -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
export QT_ENABLE_HIGHDPI_SCALING=0
"$here/../build-bench/bench/bench_szene" "$@"
"$here/../build-bench/bench/bench_normalisieren" "$@"
