#!/usr/bin/env bash
# Checks by hand that the program ends cleanly on Wayland on a busy machine: starts it under a
# headless Weston (tests/wayland.sh) the given number of times, two at a time while two busy
# loops keep the processor occupied, each start ending after its first frame, and counts the
# starts that abort and those that do not end within 60 s. Not part of the test suite; with
# `ulimit -c unlimited` the work folder it names keeps a core file of each failed start.
#   scripts/wayland_stress.sh [starts]      (default 200)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
starts="${1:-200}"
"$here/setup.sh" weston
"$here/build.sh" "$here/../build-start" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=OFF
program="$here/../build-start/app/pvellard"

work="$(mktemp -d)"
yes >/dev/null &
busy1=$!
yes >/dev/null &
busy2=$!
trap 'kill "$busy1" "$busy2"' EXIT

start() {
    mkdir "$work/$1"
    cd "$work/$1"
    status=0
    VELLARD_STARTZEIT=1 bash "$here/../tests/wayland.sh" "$program" >log 2>&1 || status=$?
    echo "$status" >status
}
for ((i = 0; i < starts; i += 2)); do
    start "$i" &
    first=$!
    start "$((i + 1))" &
    wait "$first" "$!"
done

count() { cat "$work"/*/status | grep -c -x "$1" || true; }
echo "Starts: $starts, sauber beendet: $(count 0), hängen geblieben: $(count 124)," \
    "abgebrochen oder anders gescheitert: $(grep -L -x -e 0 -e 124 "$work"/*/status | wc -l)"
echo "Protokolle und Kerndateien: $work"
