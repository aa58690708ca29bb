#!/usr/bin/env bash
# Installs what is missing, builds and starts Vellard-Telegraf; arguments are handed on to the
# program, which is built as build/app/pvellard:
#   scripts/start.sh [--ueben [ÜBUNG] | --linie | --tafel DATEI | --help | ...]
set -euo pipefail
here="$(dirname "$0")"
# The window needs a display; the chart, the help and the version do not, and a platform named
# on the command line is the program's to check.
fenster=1
for argument in "$@"; do
    case "$argument" in
    -tafel | --tafel | -tafel=* | --tafel=* | -h | -help | --help | -v | -version | --version | \
        -platform | --platform)
        fenster=0 ;;
    esac
done
# Said before the set-up and the build, not a minute later, in the program's own words.
if [ "$fenster" = 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] &&
    [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "pvellard: Keine grafische Anzeige gefunden: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt." >&2
    exit 1
fi
"$here/setup.sh"
"$here/build.sh" "$here/../build" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=OFF
exec "$here/../build/app/pvellard" "$@"
