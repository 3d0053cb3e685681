#!/usr/bin/env bash
# Makes Pinlet's Windows Installer package from the Windows build, with
# wixl (msitools): dist/Pinlet-VERSION.msi, the i686 build that Outlook 2002
# and 2003 load, installed per user (installer/pinlet.wxs says what it
# holds). Builds first what it needs: the generator of the registry rows
# (build/, made by tools/setup.sh where missing) and the DLLs (build-win32/
# or build-win64/, made by tools/setup_windows.sh where missing).
#
#   tools/package.sh [--arch x86|x64] [--version X.Y.Z] [--output FILE]
#
# (FILE relative to the repository, or absolute.)
#
# --arch x64 packages the x86_64 build instead, as dist/Pinlet-VERSION-x64.msi:
# for 64-bit Windows programs that load the add-in, and for the tests on a
# machine that cannot run 32-bit programs. --version gives the package
# another ProductVersion than the project's (the tests make an older
# package to upgrade from); the files in it stay those built.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=x86
version=""
output=""
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    --output) output=$2; shift 2 ;;
    *) echo "usage: tools/package.sh [--arch x86|x64] [--version X.Y.Z] [--output FILE]" >&2
       exit 2 ;;
  esac
done
case "$arch" in
  x86) build=build-win32 win64=no suffix="" ;;
  x64) build=build-win64 win64=yes suffix="-x64" ;;
  *) echo "package: no such architecture: $arch (x86 or x64)" >&2; exit 2 ;;
esac

source tools/packages.sh
install_missing_packages wixl msitools
if [ -f build/build.ninja ]; then
  cmake --build build --target pinlet_install_rows >/dev/null
else
  tools/setup.sh >/dev/null
fi
if [ -f "$build/build.ninja" ]; then
  cmake --build "$build" --target pinlet_dll libzarvo >/dev/null
else
  tools/setup_windows.sh >/dev/null
fi
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
version=${version:-$project_version}
output=${output:-dist/Pinlet-$version$suffix.msi}

work=$(mktemp -d /tmp/pinlet-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
build/src/install/pinlet_install_rows wxs >"$work/registration.wxi"
# The help pages and their pictures, as one component group.
(cd docs && find help -type f \( -name '*.htm' -o -name '*.css' -o -name '*.png' \) | LC_ALL=C sort) |
  wixl-heat -p "" --component-group HelpPages --var var.HelpSource \
    --directory-ref INSTALLDIR >"$work/help.wxs"

mkdir -p "$(dirname "$output")"
# wixl takes the files' sources relative to the folder it runs in.
wixl --arch "$arch" -I "$work" -o "$output" \
  -D Version="$version" -D Win64="$win64" -D BinDir="$build/src/comserver" \
  -D ResourceDir=resources -D HelpSource=docs \
  installer/pinlet.wxs "$work/help.wxs"
echo "$output"
