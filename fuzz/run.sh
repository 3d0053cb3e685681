#!/usr/bin/env bash
# Builds the RTF2HTML fuzz target (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into fuzz/out/ and runs it for SECONDS (default 60) on
# a copy of fuzz/seeds/ kept in fuzz/corpus-run/. Crashes land in fuzz/out/ as
# crash-*, timeout-* or oom-* files; the final statistics give the executions.
#
#   fuzz/run.sh [SECONDS]
set -euo pipefail

seconds="${1:-60}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
cxx="${FUZZ_CXX:-clang++}"

probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if ! command -v "$cxx" >/dev/null ||
   ! echo "$probe" | "$cxx" -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
  echo "installing clang and libFuzzer (libclang-rt-14-dev)" >&2
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang-14 libclang-rt-14-dev
  command -v "$cxx" >/dev/null || cxx=clang++-14
fi

mkdir -p "$here/out" "$here/corpus-run"
"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root/src" -I "$root/tests/rtf" \
  "$root/src/rtf/rtf2html.cc" "$root/src/rtf/rtf2html_characters.cc" \
  "$root/src/rtf/rtf2html_output.cc" \
  "$root/src/rtf/rtf2html_tables.cc" "$root/src/rtf/rtf2html_tokens.cc" \
  "$root/src/platform/text.cc" \
  "$here/rtf2html_fuzz.cc" -o "$here/out/rtf2html_fuzz"

cp -n "$here"/seeds/* "$here/corpus-run/" 2>/dev/null || true
cd "$here/out"
exec ./rtf2html_fuzz -max_total_time="$seconds" -max_len=16384 -timeout=5 \
  -rss_limit_mb=2048 -dict="$here/rtf.dict" -print_final_stats=1 \
  -artifact_prefix="$here/out/" "$here/corpus-run"
