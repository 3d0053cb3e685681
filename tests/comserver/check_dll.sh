#!/bin/sh
# Checks COM server DLLs with the target's objdump: each imports system DLLs
# only and exports exactly DllGetClassObject, DllCanUnloadNow,
# DllRegisterServer and DllUnregisterServer, undecorated (no "@n" of
# stdcall on i686).
# Usage: check_dll.sh OBJDUMP DLL...
# msvcrt.dll is on the list: mingw-w64's C runtime is always the system's
# msvcrt.dll, even when libstdc++, libgcc and winpthreads are linked in
# statically.
set -u
objdump=$1
shift
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll ole32.dll oleaut32.dll shell32.dll
comdlg32.dll comctl32.dll msvcrt.dll"
expected="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer"
failed=0
for dll in "$@"; do
  dump=$("$objdump" -p "$dll") || { echo "FAIL $dll: objdump failed"; failed=1; continue; }
  imports=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  for import in $imports; do
    case " $(echo $allowed) " in
      *" $import "*) ;;
      *) echo "FAIL $dll imports $import, which is not a system DLL"; failed=1 ;;
    esac
  done
  exports=$(printf '%s\n' "$dump" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
  if [ "$exports" != "$expected " ]; then
    echo "FAIL $dll exports: $exports(expected: $expected)"
    failed=1
  fi
  echo "$dll: imports $(echo $imports); exports $exports"
done
[ $failed -eq 0 ] && echo "passed" || echo "failed"
exit $failed
