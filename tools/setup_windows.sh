#!/usr/bin/env bash
# Installs what the Windows build needs (Debian packages only, and only what
# is missing), so that it runs alone on a fresh machine: CMake and Ninja,
# the JSON header and GoogleTest's sources that the Windows targets are
# built with, mingw-w64 for both targets, zlib for them (the tests' PNG
# pictures), Wine to run and test the result, Wine's headers and PE
# libraries for the type library compiler, and fontTools with the DejaVu
# fonts for the stand-ins of Windows fonts that Wine lacks
# (tools/stand_in_fonts.py), and msitools' wixl and msiinfo to make and
# read the installer package (tools/package.sh). Then configures and builds the Windows targets:
# build-win32 (i686, the target Outlook 2002 and 2003 run as), and, on a
# machine that runs no 32-bit programs, build-win64 (x86_64) to test there.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/packages.sh
# The 32-bit Wine comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
fi
install_missing_packages cmake ninja-build nlohmann-json3-dev googletest \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
  mingw-w64-tools libz-mingw-w64-dev libwine-dev wine wine64 wine32:i386 curl \
  python3-fonttools fonts-dejavu-core fonts-dejavu-extra wixl msitools

# Google Benchmark for the Windows build's benchmarks: Debian's source
# package (Debian builds it for Linux only), checked against the sum its
# description gives.
benchmark=build-deps/benchmark-1.7.1
if [ ! -f "$benchmark/CMakeLists.txt" ]; then
  mkdir -p build-deps
  tarball=build-deps/benchmark_1.7.1.orig.tar.gz
  curl -fsSL -o "$tarball" \
    http://deb.debian.org/debian/pool/main/b/benchmark/benchmark_1.7.1.orig.tar.gz
  echo "6430e4092653380d9dc4ccb45a1e2dc9259d581f4866dc0759713126056bc1d7  $tarball" |
    sha256sum -c --quiet
  tar -xzf "$tarball" -C build-deps
fi

# The i686 build is the one that ships (Outlook 2002 and 2003 are 32-bit).
# The x86_64 build exists to test on a machine whose kernel runs no 32-bit
# programs, where Wine's 32-bit loader cannot start: only there is it built.
targets="i686:build-win32"
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  targets="$targets x86_64:build-win64"
fi
for target in $targets; do
  arch=${target%%:*}
  dir=${target#*:}
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DPINLET_BENCHMARK_SOURCE="$PWD/$benchmark" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
done
