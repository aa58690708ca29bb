#!/usr/bin/env bash
# Measures the CPU time that a movement from rest to "A" (357 drawings, 4 ms apart) costs the
# program and the X server together, on a virtual X screen (Xvfb), against a bare Qt window
# that repaints a square of 97 x 97 pixels at the same pace, the two taken in turn in the same
# minutes. The time is read from /proc/<pid>/task/*/schedstat of both processes before a click
# and 2 s after it.
# The bare window sends its frames through the X connection, as the program does. A second
# program given is measured in the same runs, in turn with the first (an earlier build, say).
#   scripts/bewegung_cpu.sh [runs] [program] [second program]
#   (default 11 runs, the Release build's pvellard)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
runs="${1:-11}"
build="$here/../build-start"
"$here/setup.sh" xvfb xauth xdotool libbenchmark-dev
"$here/build.sh" "$build" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=ON
cmake --build "$build" --target leeres_fenster -j"$(nproc)"
program="${2:-$build/app/pvellard}"
zweites="${3:-}"

source "$here/xvfb.sh"

# CPU time of all threads of a process, in nanoseconds.
cpu() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'
}

# Starts `$1` (with its arguments), waits for its window named `$2`, clicks at `$3 $4` within
# it and prints the CPU time of the program and of the X server over the 2 s after the click.
messung() {
    local titel="$2" x="$3" y="$4"
    $1 >/dev/null 2>&1 &
    local pid=$! fenster=""
    for _ in $(seq 100); do
        fenster="$(xdotool search --name "^$titel\$" 2>/dev/null | head -n 1)" && [ -n "$fenster" ] && break
        sleep 0.05
    done
    sleep 0.5
    xdotool mousemove --window "$fenster" "$x" "$y"
    sleep 0.2
    local p0 x0 p1 x1
    p0="$(cpu $pid)"; x0="$(cpu $xvfb)"
    xdotool click 1
    sleep 2
    p1="$(cpu $pid)"; x1="$(cpu $xvfb)"
    kill $pid; wait $pid 2>/dev/null || true
    awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) 'BEGIN { printf "%.1f %.1f %.1f\n", p / 1e6, x / 1e6, (p + x) / 1e6 }'
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

: >"$work/programm"
: >"$work/leer"
: >"$work/zweites"
for i in $(seq "$runs"); do
    if [ -n "$zweites" ]; then
        messung "$zweites" "Vellard-Telegraf" 829 55 | tee -a "$work/zweites" |
            awk -v i="$i" '{ printf "Lauf %2d: zweites Programm %6.1f ms + X %6.1f ms = %6.1f ms\n", i, $1, $2, $3 }'
    fi
    # The grid's cell "A": the side panel at x 800, the grid at (14, 40) in it.
    messung "$program" "Vellard-Telegraf" 829 55 | tee -a "$work/programm" |
        awk -v i="$i" '{ printf "Lauf %2d: Programm %6.1f ms + X %6.1f ms = %6.1f ms", i, $1, $2, $3 }'
    messung "env QT_XCB_NO_MITSHM=1 $build/bench/leeres_fenster --takt" "leeres_fenster" 150 150 | tee -a "$work/leer" |
        awk '{ printf "; leeres Fenster %6.1f ms + X %6.1f ms = %6.1f ms\n", $1, $2, $3 }'
done
p="$(awk '{ print $3 }' "$work/programm" | median)"
l="$(awk '{ print $3 }' "$work/leer" | median)"
echo "Median Programm + X: $p ms ($(awk -v p="$p" 'BEGIN { printf "%.3f", p / 357 }') ms je Zeichnung)"
echo "Median leeres Fenster + X: $l ms"
awk -v p="$p" -v l="$l" 'BEGIN { printf "Verhältnis: %.2f\n", p / l }'
if [ -n "$zweites" ]; then
    z="$(awk '{ print $3 }' "$work/zweites" | median)"
    echo "Median zweites Programm + X: $z ms"
    awk -v z="$z" -v l="$l" 'BEGIN { printf "Verhältnis zweites Programm: %.2f\n", z / l }'
fi
