#!/usr/bin/env bash
# Each set-up script installs what its own build needs: every file that
# build takes from the machine comes from a package the script itself
# installs, so that either script works alone on a fresh machine.
set -euo pipefail
cd "$(dirname "$0")/../.."

# The packages a set-up script installs: the words of its
# install_missing_packages command, continuation lines included.
packages_of() {
  sed -n '/^install_missing_packages /,/[^\\]$/p' "$1" | tr -d '\\' | tr -s ' \t' '\n' |
    grep -v '^install_missing_packages$' | sed '/^$/d'
}

failures=0
# needs SCRIPT FILE...: the packages that hold the files are among SCRIPT's.
needs() {
  local script=$1 path package
  shift
  local installed
  installed=$(packages_of "$script")
  for path in "$@"; do
    package=$(dpkg -S "$path" 2>/dev/null | grep -v '^diversion' | head -1 | cut -d: -f1)
    if [ -z "$package" ]; then
      echo "$script: no installed package holds $path"
      failures=$((failures + 1))
    elif ! grep -qx "$package" <<<"$installed"; then
      echo "$script: its build needs $path from $package, which it does not install"
      failures=$((failures + 1))
    fi
  done
}

# The Linux build: the generator, the JSON header, the tests and benchmarks.
needs tools/setup.sh /usr/bin/cmake /usr/bin/ninja /usr/include/nlohmann/json.hpp \
  /usr/include/gtest/gtest.h /usr/include/gmock/gmock.h
# The Windows build: the same generator, the JSON header linked into its
# include path (cmake/windows_deps.cmake) and GoogleTest built from its
# sources (/usr/src/googletest).
needs tools/setup_windows.sh /usr/bin/cmake /usr/bin/ninja \
  /usr/include/nlohmann/json.hpp /usr/src/googletest/CMakeLists.txt

[ "$failures" -eq 0 ] && echo "every set-up script installs what its build needs"
exit $((failures > 0))
