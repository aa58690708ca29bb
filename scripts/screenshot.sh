#!/usr/bin/env bash
# Makes the README's screenshots: starts the program on a virtual screen, optionally presses
# a character in the alphabet grid, and saves the window as a PNG. With --ueben it starts the
# trainer on that exercise instead, begins a round of examination (Startwert 1), answers the
# first question of naming with "A", turns two beams for setting, reads "HAUS", and saves the
# trainer's window. With --linie it starts the line of eight stations, sends "TELEGRAF" with a
# reading time of 0.5 s and 5 % misreads from the seed 3, and saves the window as the message
# is under way and, with -ende before the extension, once it has arrived. With --menue it opens
# the telegraph's menu and saves the part of the screen around it.
#   scripts/screenshot.sh [output.png] [character]
#   scripts/screenshot.sh output.png --menue
#   scripts/screenshot.sh output.png --ueben erkennen|stellen|mitlesen
#   scripts/screenshot.sh output.png --linie
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$(realpath -m "${1:-$here/../docs/screenshot.png}")"
zeichen="${2:-}"
uebung="${3:-}"
"$here/setup.sh" xvfb xauth xdotool imagemagick
"$here/build.sh" "$here/../build" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=OFF

# A screen of its own, on a display number no other server holds.
source "$here/xvfb.sh"
trap 'kill "${program:-}" "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
titel='^Vellard-Telegraf$'
if [ "$zeichen" = "--ueben" ]; then
    # A progress folder of its own, so that the trainer neither reads nor writes the user's.
    export XDG_DATA_HOME="$work/daten"
    "$here/../build/app/pvellard" --ueben "$uebung" --startwert 1 &
    titel='^Signale üben'
elif [ "$zeichen" = "--linie" ]; then
    "$here/../build/app/pvellard" --linie --stationen 8 &
    titel='^Telegrafenlinie'
else
    "$here/../build/app/pvellard" &
fi
program=$!

fenster=""
for _ in $(seq 50); do
    fenster="$(xdotool search --name "$titel" 2>/dev/null | head -n 1 || true)"
    [ -n "$fenster" ] && break
    sleep 0.1
done
[ -n "$fenster" ] || { echo "Das Fenster erschien nicht." >&2; exit 1; }
sleep 0.5

if [ "$zeichen" = "--ueben" ]; then
    # Keys go to the window under the pointer.
    xdotool mousemove --window "$fenster" 400 100
    xdotool key Return
    sleep 3
    case "$uebung" in
    erkennen) xdotool type a ;;
    stellen) xdotool key 2 Right Right Right Right 3 Right Right ;;
    # The answer once the word has been sent and the telegraph stands, as a learner gives it.
    mitlesen) sleep 11 && xdotool type haus && xdotool key Return ;;
    esac
    sleep 0.5
elif [ "$zeichen" = "--linie" ]; then
    # The reading time's field, the misreads' and the seed's lie below the line of stations.
    xdotool mousemove --window "$fenster" 240 349 click 1
    for _ in $(seq 15); do xdotool key Down; done
    xdotool mousemove --window "$fenster" 240 378 click 1
    for _ in $(seq 5); do xdotool key Up; done
    xdotool mousemove --window "$fenster" 240 406 click 1 && xdotool type 3
    xdotool mousemove --window "$fenster" 500 291 click 1 && xdotool key ctrl+a && xdotool type TELEGRAF
    xdotool key Return
    sleep 9
    mkdir -p "$(dirname "$out")"
    import -window "$fenster" "$out"
    out="${out%.*}-ende.${out##*.}"
    sleep 30
elif [ "$zeichen" = "--menue" ]; then
    # A right click on the scene beside the mast. The menu is a window of its own, so the
    # screen around it is taken, with the pointer moved off it.
    xdotool mousemove --window "$fenster" 430 300 click 3
    sleep 1
    xdotool mousemove --window "$fenster" 100 600
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$fenster")"
    mkdir -p "$(dirname "$out")"
    import -window root -crop "460x240+$((X + 300))+$((Y + 215))" "$out"
    echo "$out"
    exit 0
elif [ -n "$zeichen" ]; then
    alphabet="ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890"
    index="$(awk -v a="$alphabet" -v z="$zeichen" 'BEGIN { print index(a, z) - 1 }')"
    [ "$index" -ge 0 ] || { echo "Kein sendbares Zeichen: $zeichen" >&2; exit 1; }
    # The grid lies at (814, 40) in the window; cells are 30 pixels apart.
    xdotool mousemove --window "$fenster" $((814 + (index % 6) * 30 + 15)) $((40 + index / 6 * 30 + 15)) click 1
    sleep 3
fi

mkdir -p "$(dirname "$out")"
import -window "$fenster" "$out"
echo "$out"
