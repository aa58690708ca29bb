#!/usr/bin/env bash
# Measures the start-up of Vellard-Telegraf on a virtual X screen (Xvfb): the time from the
# start of the process to the first painted frame of the scene, and the peak resident memory,
# against a bare Qt window of the same size started alternately with it in the same minutes.
# With VELLARD_STARTZEIT=1 set the program writes the time of its first frame and ends right
# after it; the bare window does the same; the script subtracts the moment it started the
# process. The peak memory is the maximum resident set size from /usr/bin/time.
#   scripts/startup.sh [runs]      (default 10 runs of each, after one run that is not counted)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
runs="${1:-10}"
"$here/setup.sh" xvfb xauth time libbenchmark-dev
"$here/build.sh" "$here/../build-start" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=ON
cmake --build "$here/../build-start" --target leeres_fenster -j"$(nproc)"
program="$here/../build-start/app/pvellard"
leer="$here/../build-start/bench/leeres_fenster"

source "$here/xvfb.sh"
export VELLARD_STARTZEIT=1

# Starts `$1` once; sets frame (ms to the first frame) and rss (kB).
messung() {
    local start painted
    start="$(date +%s%3N)"
    timeout 20 /usr/bin/time -f '%M' -o "$work/rss" "$1" 2>"$work/stderr" >/dev/null
    painted="$(sed -n 's/^erster Frame um \([0-9]*\) ms.*$/\1/p' "$work/stderr")"
    [ -n "$painted" ] || { echo "Keine Zeitangabe von $1:" >&2; cat "$work/stderr" >&2; exit 1; }
    frame=$((painted - start))
    rss="$(tail -n 1 "$work/rss")"
}

# median of the numbers on standard input
median() {
    sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# median and maximum of the numbers on standard input
statistik() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "Median %g, Maximum %g", m, v[NR] }'
}

messung "$program" # warms the file cache and the font cache; not counted
messung "$leer"
: >"$work/frames"
: >"$work/rsses"
: >"$work/leer"
for i in $(seq "$runs"); do
    messung "$program"
    echo "$frame" >>"$work/frames"
    echo "$rss" >>"$work/rsses"
    printf 'Lauf %2d: erster Frame nach %4d ms, Spitzenspeicher %6.1f MB' \
        "$i" "$frame" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
    messung "$leer"
    echo "$frame" >>"$work/leer"
    printf '; leeres Fenster %4d ms\n' "$frame"
done
echo "Erster Frame (ms): $(statistik <"$work/frames")"
echo "Leeres Fenster (ms): $(statistik <"$work/leer")"
echo "Spitzenspeicher (MB): $(awk '{ printf "%.1f\n", $1 / 1024 }' "$work/rsses" | statistik)"
awk -v p="$(median <"$work/frames")" -v l="$(median <"$work/leer")" \
    'BEGIN { printf "Verhältnis der Mediane, Programm zu leerem Fenster: %.2f\n", p / l }'
