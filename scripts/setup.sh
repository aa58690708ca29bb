#!/usr/bin/env bash
# Installs on Debian 12 what building and running the program need, and only what is missing.
#   scripts/setup.sh [--tests] [PACKAGE...]
# With --tests also what the tests need; extra package names given are installed as well.
set -euo pipefail

# The compiler and Qt; Qt's German texts; the font that stands in for the scene's Verdana;
# Qt's Wayland platform plugin, so that the program runs as a native Wayland client; Qt's
# WebSockets module, which carries the line across machines.
packages=(cmake g++ make qt6-base-dev qt6-translations-l10n fonts-dejavu-core qt6-wayland
    qt6-websockets-dev)

if [ "${1:-}" = "--tests" ]; then
    shift
    # Google Benchmark for the frame benchmarks, which the test build builds too; pdfinfo for
    # the chart's PDF; Weston, which the tests start headless to run the window as a Wayland
    # client; a virtual X screen, on which a test shows the window at a scale that does not fit.
    packages+=(libbenchmark-dev poppler-utils weston xvfb)
fi
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installiere: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
