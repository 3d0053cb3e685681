#!/usr/bin/env bash
# Installs what the build needs (Debian packages only, and only what is
# missing), then configures and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/packages.sh
install_missing_packages g++ cmake ninja-build pkgconf libgtest-dev libgmock-dev \
  libbenchmark-dev nlohmann-json3-dev libcairo2-dev libpango1.0-dev fonts-dejavu-core \
  fonts-dejavu-extra

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
