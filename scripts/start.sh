#!/usr/bin/env bash
# Installs what is missing, builds and starts Vellard-Telegraf.
set -euo pipefail
here="$(dirname "$0")"
"$here/setup.sh"
"$here/build.sh" "$here/../build" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Keine grafische Anzeige gefunden: DISPLAY ist nicht gesetzt; das Programm braucht einen Desktop." >&2
    exit 1
fi
exec "$here/../build/app/pvellard"
