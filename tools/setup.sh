#!/usr/bin/env bash
# Installs what the build needs (Debian packages only, and only what is
# missing), then configures and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkgconf libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcairo2-dev libpango1.0-dev fonts-dejavu-core
          fonts-dejavu-extra)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
