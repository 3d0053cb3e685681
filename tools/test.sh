#!/usr/bin/env bash
# Builds Pinlet and runs every test: the Linux build's unit tests and
# scenarios, then the Windows build (pinlet.dll as a COM add-in, the test
# host pinlet.exe) under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
(cd build && ctest --output-on-failure -j "$(nproc)")
tools/setup_windows.sh
tools/wine_test.sh
