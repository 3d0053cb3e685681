#!/usr/bin/env bash
# Builds Pinlet with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs every test there: the unit tests, the scenarios
# and the failure sweep of every scenario. Any report of either sanitizer
# stops the process that made it, so the test fails. Not part of
# tools/test.sh, for the time it takes (about three times a plain build).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh >/dev/null  # the packages a Linux build needs

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      >/dev/null
cmake --build build-sanitize -j "$(nproc)"

export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan_suppressions.txt:print_suppressions=0"
cd build-sanitize
ctest --output-on-failure -j "$(nproc)" "$@"
