#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
here="$(dirname "$0")"
"$here/setup.sh" --tests
"$here/build.sh" "$here/../build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
cd "$here/../build-test"
ctest --output-on-failure -j"$(nproc)"
