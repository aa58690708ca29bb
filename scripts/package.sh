#!/usr/bin/env bash
# Builds the Debian package of Vellard-Telegraf in build-pkg and prints the path of the .deb.
# The launcher entry and the AppStream file are validated first.
#   scripts/package.sh
#   sudo apt-get install ./build-pkg/vellard-telegraf_1.1.0_amd64.deb
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/.."
"$here/setup.sh" dpkg-dev appstream desktop-file-utils file
# Hardened as Debian builds its packages: checked buffer functions, a read-only relocation
# table bound at start-up.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The program alone: no tests, benchmarks or picture generator.
"$here/build.sh" "$root/build-pkg" -DCMAKE_BUILD_TYPE=Release -DTELEGRAF_TESTS=OFF \
    -DTELEGRAF_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"

desktop-file-validate "$root/packaging/de.vellard.Telegraf.desktop"
appstreamcli validate --no-net "$root/packaging/de.vellard.Telegraf.metainfo.xml"

cd "$root/build-pkg"
rm -f vellard-telegraf_*.deb
cpack -G DEB >/dev/null
deb="$(realpath vellard-telegraf_*.deb)"
echo "$deb"
