#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, and only what is missing.
# Extra package names given as arguments are installed as well.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-translations-l10n libbenchmark-dev fonts-dejavu-core poppler-utils "$@")
# Qt's WebSockets module, which carries the line across machines.
packages+=(qt6-websockets-dev)

# Qt's Wayland platform plugin, and Weston, which the tests start headless to run the window
# as a Wayland client.
packages+=(qt6-wayland weston)
# A virtual X screen, on which a test shows the window at a scale that does not fit.
packages+=(xvfb)

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
