#!/usr/bin/env bash
# Installs what the Windows build needs (Debian packages only, and only what
# is missing): mingw-w64 for both targets, Wine to run and test the result,
# and Wine's headers and PE libraries for the type library compiler. Then
# configures and builds the Windows targets: build-win32 (i686, the target
# Outlook 2002 and 2003 run as) and build-win64 (x86_64).
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
# The 32-bit Wine comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
fi
packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
          libwine-dev wine wine64 wine32:i386)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

for target in i686:build-win32 x86_64:build-win64; do
  arch=${target%%:*}
  dir=${target#*:}
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j "$(nproc)"
done
