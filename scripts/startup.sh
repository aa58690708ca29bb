#!/usr/bin/env bash
# Measures the start-up of Vellard-Telegraf on a virtual X screen (Xvfb): the time from the
# start of the process to the first painted frame of the scene, and the peak resident memory.
# With VELLARD_STARTZEIT=1 set the program writes the time of its first frame and ends right
# after it; the script subtracts the moment it started the process. The peak memory is the
# maximum resident set size from /usr/bin/time.
#   scripts/startup.sh [runs]      (default 10 runs, after one run that is not counted)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
runs="${1:-10}"
"$here/setup.sh" xvfb xauth time
"$here/build.sh" "$here/../build-start" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=OFF
program="$here/../build-start/app/pvellard"

work="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb startete nicht." >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export VELLARD_STARTZEIT=1
# Keeps Qt from warning about the missing runtime folder, which a desktop login provides.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

messung() {
    local start painted
    start="$(date +%s%3N)"
    timeout 20 /usr/bin/time -f '%M' -o "$work/rss" "$program" 2>"$work/stderr" >/dev/null
    painted="$(sed -n 's/^erster Frame um \([0-9]*\) ms.*$/\1/p' "$work/stderr")"
    [ -n "$painted" ] || { echo "Keine Zeitangabe vom Programm:" >&2; cat "$work/stderr" >&2; exit 1; }
    frame=$((painted - start))
    rss="$(tail -n 1 "$work/rss")"
}

# median and maximum of the numbers on standard input
statistik() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "Median %g, Maximum %g", m, v[NR] }'
}

messung # warms the file cache and the font cache; not counted
: >"$work/frames"
: >"$work/rsses"
for i in $(seq "$runs"); do
    messung
    echo "$frame" >>"$work/frames"
    echo "$rss" >>"$work/rsses"
    printf 'Lauf %2d: erster Frame nach %4d ms, Spitzenspeicher %6.1f MB\n' \
        "$i" "$frame" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
done
echo "Erster Frame (ms): $(statistik <"$work/frames")"
echo "Spitzenspeicher (MB): $(awk '{ printf "%.1f\n", $1 / 1024 }' "$work/rsses" | statistik)"
