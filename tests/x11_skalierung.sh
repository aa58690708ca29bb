#!/usr/bin/env bash
# The window on an X screen at 150 % (QT_FONT_DPI=144), whose factor Qt rounds to 2: on a screen
# where the window then fits it is enlarged by two, on a 1920 x 1080 screen, where it would not
# fit, it is shown at 1, whole. The program ends after its first frame and names its size.
#   tests/x11_skalierung.sh PROGRAM
# Ends with status 77, which CTest counts as skipped, where Xvfb is not installed.
set -euo pipefail
program="$1"
if ! command -v Xvfb >/dev/null; then
    echo "Übersprungen: Xvfb ist nicht installiert (scripts/setup.sh installiert es)."
    exit 77
fi
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"
# On X11, whatever platform the other tests run on.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET

groesse() { # screen, expected window size in the screen's pixels
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/anzeige" 2>/dev/null &
    for _ in $(seq 100); do [ -s "$work/anzeige" ] && break; sleep 0.1; done
    gesehen="$(DISPLAY=":$(head -n 1 "$work/anzeige")" QT_FONT_DPI=144 VELLARD_STARTZEIT=1 \
        timeout 30 "$program" 2>&1 | grep -o 'Fenster [0-9]* x [0-9]*' || true)"
    kill %1 && wait %1 2>/dev/null || true
    rm -f "$work/anzeige"
    [ "$gesehen" = "Fenster $2" ] || { echo "$1: „$gesehen“ statt „Fenster $2“"; exit 1; }
}
groesse 3840x2160 "2016 x 1388"
groesse 1920x1080 "1008 x 694"
