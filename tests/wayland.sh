#!/usr/bin/env bash
# Runs a program as a native Wayland client: starts Weston headless on a 1280 × 1024 screen,
# with a runtime folder and socket of its own so that parallel runs do not meet, runs the
# program there without an X display, and stops Weston again.
#   tests/wayland.sh [--runs N] PROGRAM [ARGUMENTS...]
# With --runs the program runs N times one after the other, for an end that fails only now and
# then. A run that has not ended after 60 s is stopped with SIGABRT, which leaves a core file
# with its stacks where core dumps are enabled, and the script ends with status 124.
# Ends with status 77, which CTest counts as skipped, where Weston is not installed.
set -euo pipefail

runs=1
limit=60
if [ "${1:-}" = "--runs" ]; then
    runs="$2"
    shift 2
fi

if ! command -v weston >/dev/null; then
    echo "Übersprungen: weston ist nicht installiert (scripts/setup.sh --tests installiert es)."
    exit 77
fi

runtime="$(mktemp -d)"
export XDG_RUNTIME_DIR="$runtime"
socket="telegraf-$$"
# Without a panel: Weston's shell draws it from a client of its own that starts when it gets
# round to it, so a window maximised early would otherwise get the whole screen and a later
# one the screen less the panel.
printf '[shell]\npanel-position=none\n' >"$runtime/weston.ini"
weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 --idle-time=0 \
    --config="$runtime/weston.ini" --socket="$socket" --log="$runtime/weston.log" &
weston=$!
trap 'kill "$weston" 2>/dev/null || true; wait "$weston" 2>/dev/null || true; rm -rf "$runtime"' EXIT

for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.05
done
if [ ! -S "$runtime/$socket" ]; then
    echo "Weston startete nicht:" >&2
    cat "$runtime/weston.log" >&2 || true
    exit 1
fi

# Under LeakSanitizer: Qt's Wayland and Mesa's EGL libraries are built without frame pointers,
# so only the slow unwinder finds the frames that the leak suppressions name.
if [ -n "${LSAN_OPTIONS:-}" ]; then
    export LSAN_OPTIONS="$LSAN_OPTIONS:fast_unwind_on_malloc=0"
fi

status=0
for run in $(seq "$runs"); do
    env -u DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u QT_WAYLAND_DISABLE_WINDOWDECORATION \
        WAYLAND_DISPLAY="$socket" timeout -s ABRT "$limit" "$@" || status=$?
    [ "$status" -eq 0 ] || break
done
if [ "$status" -eq 124 ]; then
    echo "Lauf $run von $runs endete nach $limit s nicht." >&2
fi
if [ "$status" -ne 0 ]; then
    echo "== Westons Protokoll ==" >&2
    tail -n 20 "$runtime/weston.log" >&2 || true
fi
exit "$status"
