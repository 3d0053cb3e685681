#!/usr/bin/env bash
# A picture of a real window as Wine draws it: runs a picture test of the
# Windows build (build-win64 where it is built, else build-win32; see
# tools/setup_windows.sh) in a fresh Wine prefix with the null graphics
# driver, which writes the capture.
#   tools/screenshot_wine.sh [note|about] [PATH]
# note (the default): the note window, docs/windows/note_window_wine.png;
# about: the support library's about box, docs/windows/about_box_wine.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
case ${1:-note} in
  note) filter='NotePicture.*' out=${2:-docs/windows/note_window_wine.png} ;;
  about) filter='AboutPicture.*' out=${2:-docs/windows/about_box_wine.png} ;;
  *) echo "usage: tools/screenshot_wine.sh [note|about] [PATH]" >&2; exit 2 ;;
esac
case $out in /*) ;; *) out=$root/$out ;; esac
tests=$root/build-win64/tests/win32ui/pinlet_win32ui_tests.exe
[ -f "$tests" ] || tests=$root/build-win32/tests/win32ui/pinlet_win32ui_tests.exe
if [ ! -f "$tests" ]; then
  echo "$tests is not built (tools/setup_windows.sh)" >&2
  exit 1
fi

export USER=User WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
prefix=$(mktemp -d /tmp/pinlet-shot.XXXXXX)
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; rm -rf "$prefix"' EXIT
WINEPREFIX=$prefix "$wine" wineboot -i >/dev/null 2>&1
WINEPREFIX=$prefix "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null \
  >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true

mkdir -p "$(dirname "$out")"
rm -f "$out"
# Wine sees this machine's files on drive Z:.
cd "$(dirname "$tests")"
PINLET_SCREENSHOT="Z:${out//\//\\}" WINEPREFIX=$prefix "$wine" ./pinlet_win32ui_tests.exe \
  --gtest_filter="$filter"
[ -s "$out" ] || { echo "no picture was written" >&2; exit 1; }
echo "wrote $out"
