#!/usr/bin/env bash
# Installs what is missing, builds and starts Vellard-Telegraf.
set -euo pipefail
here="$(dirname "$0")"
# Said before the set-up and the build, not a minute later.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Keine grafische Anzeige gefunden: Weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt; das Programm braucht einen Desktop." >&2
    exit 1
fi
"$here/setup.sh"
"$here/build.sh" "$here/../build" --target pvellard -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_BENCHMARKS=OFF
exec "$here/../build/app/pvellard"
