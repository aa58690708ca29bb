#!/usr/bin/env bash
# The window at 150 % (QT_FONT_DPI=144) on X11, where Qt rounds the factor to 2: enlarged by two
# where that fits on the screen, shown at 1 on a 1920 x 1080 screen, where it would not; on a
# 2256 x 1504 one the line of stations the window opens fits enlarged too. A factor the desktop
# gives as QT_SCREEN_SCALE_FACTORS, as KDE does, is rounded the same way. With
# VELLARD_STARTZEIT=1 the program names its size after the first frame and ends. Ends with
# status 77, which CTest counts as skipped, where Xvfb is not installed.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Übersprungen: Xvfb fehlt (scripts/setup.sh --tests)."; exit 77; }
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" QT_FONT_DPI=144 VELLARD_STARTZEIT=1
unset QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET # X11, whatever the other tests run on
fallnummer=0
for fall in "3840x2160 2016 1388" "1920x1080 1008 694" "2256x1504 2016 1388" \
    "3840x2160 2016 1388 QT_FONT_DPI=96 QT_SCREEN_SCALE_FACTORS=1.5;" \
    "1920x1080 1008 694 QT_FONT_DPI=96 QT_SCREEN_SCALE_FACTORS=screen=1.5"; do
    read -r bildschirm breite hoehe umgebung <<<"$fall"
    erwartet="$breite x $hoehe"
    anzeige="$work/anzeige-$((++fallnummer))"
    Xvfb -displayfd 3 -screen 0 "${bildschirm}x24" -nolisten tcp 3>"$anzeige" 2>/dev/null &
    # A busy machine can take a while to start a large screen.
    for _ in $(seq 300); do [ -s "$anzeige" ] && break; sleep 0.1; done
    # shellcheck disable=SC2086 # the case's variables, one word each
    ausgabe="$(DISPLAY=":$(head -n 1 "$anzeige")" timeout 60 env $umgebung "$1" 2>&1 || true)"
    gesehen="$(grep -o 'Fenster [0-9]* x [0-9]*' <<<"$ausgabe" || true)"
    kill $! 2>/dev/null || true
    [ "$gesehen" = "Fenster $erwartet" ] || {
        echo "$bildschirm $umgebung: „$gesehen“ statt „Fenster $erwartet“; die Ausgabe:"
        echo "$ausgabe"
        exit 1
    }
done
