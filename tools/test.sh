#!/usr/bin/env bash
# Builds Pinlet and runs every test (unit tests and scenarios).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cd build
ctest --output-on-failure -j "$(nproc)"
