#!/usr/bin/env bash
# The Windows build's tests under Wine, headless, each target in a fresh
# prefix of its own (tools/setup_windows.sh builds both targets first):
#   - the Windows layers' unit tests;
#   - what pinlet.dll imports and exports (for both targets, run or not);
#   - pinlet.dll registered with regsvr32 and unregistered again, leaving
#     the registry as it was;
#   - the installer package (tools/package.sh) of the target's build: an
#     older version installed with msiexec /qn, then this one over it (a
#     major upgrade that keeps the user's settings); the registry then holds
#     the package's rows (the list the DLL registers too), and nothing under
#     the machine's classes;
#   - on one target (the i686 that Outlook loads where this machine runs it,
#     else the x86_64): every scenario of examples/ and tests/scenarios/ run
#     through the installed COM add-in (pinlet.exe run --com), compared with the same
#     scenario with the add-in linked in: the same output and status. An
#     example must run whole; a test scenario may be skipped with the reason
#     the test host gives (what it cannot give as the simulated machine
#     does, such as the count of the Windows services' calls);
#   - on that target, the failure sweep through COM on one scenario;
#   - the installed support library's help pages and about box;
#   - msiexec /x /qn, and the registry and the user's folders as they were
#     before installing.
# A target this machine cannot run (a kernel without 32-bit programs) is
# said so and not run. Prints "N passed, N failed" and exits 1 when anything
# failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d /tmp/pinlet-wine.XXXXXX)
passed=0
failed=0
skipped=0

pass() { passed=$((passed + 1)); echo "ok       $1"; }
fail() {
  failed=$((failed + 1))
  echo "FAILED   $1"
  if [ -n "${2:-}" ] && [ -f "$2" ]; then
    # A test binary's failures where they are, else the log's end.
    if grep -q '^.*: Failure$' "$2"; then
      grep -A 8 ': Failure$' "$2" | head -n 60 | sed 's/^/    /'
    else
      tail -n 25 "$2" | sed 's/^/    /'
    fi
  fi
}
skip() { skipped=$((skipped + 1)); echo "skipped  $1: $2"; }

# Wine as the tests need it: the machine's user is the simulated machine's
# ("User"), no window ever needs a display, and no prompt offers downloads.
export USER=User WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

cleanup() {
  for prefix in "$work"/prefix-*; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh prefix with Wine's null graphics driver, and the fonts of Windows
# XP that the scenarios choose and Wine lacks (tools/stand_in_fonts.py).
make_prefix() {
  local prefix=$1 wine=/usr/lib/wine/wine64
  WINEPREFIX=$prefix "$wine" wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null \
    >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  /usr/bin/python3 tools/stand_in_fonts.py "$prefix/drive_c/windows/Fonts"
}

# The registry branches registration touches, as text.
registry_snapshot() {
  local prefix=$1 loader=$2 out=$3
  : >"$out"
  for key in 'HKCU\Software' 'HKLM\Software\Classes'; do
    WINEPREFIX=$prefix "$loader" reg export "$key" "$work/branch.reg" /y >/dev/null 2>&1
    # Not registration: the add-in's own settings (written by the scenarios,
    # as a user would), the file dialogs' history of the folders the user
    # chose, Wine's settings of this session (the test host sets the
    # system's colours as the simulated machine's, and puts them back), and
    # the Windows Installer's own store of what is installed, which keeps
    # its empty keys (the package's uninstall checks that no Pinlet is
    # left in it).
    iconv -f UTF-16LE -t UTF-8 "$work/branch.reg" 2>/dev/null | tr -d '\r' |
      awk '/^\[/{skip = ($0 ~ /^\[HKEY_CURRENT_USER\\Software\\Zarvo/ ||
                      $0 ~ /\\Explorer\\ComDlg32/ ||
                      $0 ~ /^\[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters/ ||
                      $0 ~ /^\[HKEY_CURRENT_USER\\Software\\Microsoft\\Installer/)} !skip' \
      >>"$out"
  done
}

# The folders a package may make in the user's profile, as a list.
folder_snapshot() {
  local prefix=$1 out=$2
  (cd "$prefix/drive_c/users" && find . -path '*Zarvo*' | LC_ALL=C sort) >"$out"
}

# Checks that the registry holds each row of the package's Registry table,
# with the package's references resolved for the install folder `dir`.
check_installed_rows() {
  local loader=$1 dir=$2 user_dir=$3 out=$4 status=0 root key name value actual
  : >"$out"
  while IFS='|' read -r root key name value; do
    value=${value//\[#PinletDll\]/${dir}pinlet.dll}
    value=${value//\[INSTALLDIR\]/$dir}
    value=${value//\[USERDATADIR\]/$user_dir}
    value=${value#\#}
    if [ -n "$name" ]; then
      actual=$("$loader" reg query "HKCU\\$key" /v "$name" 2>/dev/null | tr -d '\r' |
               sed -n "s/^    $name    REG_[A-Z_]*    //p")
    else
      actual=$("$loader" reg query "HKCU\\$key" /ve 2>/dev/null | tr -d '\r' |
               sed -n 's/^    (Default)    REG_[A-Z_]*    //p')
    fi
    # A number reads back in hexadecimal.
    [[ $actual == 0x* ]] && actual=$((actual))
    if [ "$actual" != "$value" ]; then
      echo "HKCU\\$key [$name]: '$actual', not '$value'" >>"$out"
      status=1
    fi
  done < <(build/src/install/pinlet_install_rows table | tr '\t' '|')
  return $status
}

# A real form's handle is the system's number, not the simulated machine's:
# the handle after a note window's or a described form's caption is compared
# as a word, and so is each window's handle in the desktop's list (linked
# in, the forms take the simulated machine's numbers, so that the host's
# windows opened after a form are numbered on from them).
unnumber_windows() {
  sed -i -E -e 's/(note window "([^"\\]|\\.)*" )0x[0-9A-F]+/\10xHWND/' \
    -e 's/^( *frm[A-Za-z]+ "([^"\\]|\\.)*" )0x[0-9A-F]+/\10xHWND/' \
    -e 's/^  0x[0-9A-F]+( "([^"\\]|\\.)*"( \([A-Za-z]+\))?: (visible|hidden))/  0xHWND\1/' "$1"
}

# The shipped package (i686) as msiinfo reads it: its Registry table is the
# rows' list, its File table the DLLs, the view file and every help page and
# picture, its version the project's, its DLLs built for i686.
check_package_tables() {
  local msi="$work/pinlet-x86.msi" log="$work/package.log" unpacked="$work/unpacked"
  local started=$(date +%s%N)
  if ! tools/package.sh --arch x86 --output "$msi" >"$log" 2>&1; then
    fail "the package: tools/package.sh" "$log"
    return
  fi
  local took=$(( ($(date +%s%N) - started) / 1000000 ))
  msiinfo export "$msi" Registry | tail -n +4 | cut -f2-5 | tr -d '\r' | LC_ALL=C sort \
    >"$work/registry-table.txt"
  if diff <(build/src/install/pinlet_install_rows table) "$work/registry-table.txt" >"$log"; then
    pass "the package: its Registry table is the rows the DLL registers"
  else
    fail "the package: its Registry table differs from the rows the DLL registers" "$log"
  fi
  msiinfo export "$msi" File | tail -n +4 | cut -f3 | tr -d '\r' | LC_ALL=C sort \
    >"$work/file-table.txt"
  (printf '%s\n' pinlet.dll LibZarvo.dll PNX.xml
   cd docs/help && ls *.htm *.css pictures/*.png | xargs -n1 basename) | LC_ALL=C sort \
    >"$work/files-expected.txt"
  if diff "$work/files-expected.txt" "$work/file-table.txt" >"$log"; then
    pass "the package: its File table holds the DLLs, PNX.xml and the help pages"
  else
    fail "the package: its File table" "$log"
  fi
  local version
  version=$(sed -n 's/^project(pinlet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  mkdir -p "$unpacked"
  if msiinfo export "$msi" Property | tr -d '\r' | grep -qx "ProductVersion	$version" &&
     msiextract -C "$unpacked" "$msi" >/dev/null &&
     i686-w64-mingw32-objdump -f "$(find "$unpacked" -name pinlet.dll)" |
       grep -q 'file format pei-i386'; then
    pass "the package: version $version, the i686 DLLs, $(( $(stat -c %s "$msi") / 1024 )) KiB, made in $took ms"
  else
    fail "the package: its version or its DLLs' target" "$log"
  fi
}

# How many products named Pinlet the Windows Installer knows installed for
# the user.
installed_products() {
  "$1" reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null |
    tr -d '\r' | grep -c 'ProductName    REG_SZ    Pinlet$'
}

# Installs the package of the target's build (an older version first, then
# this one over it, a major upgrade) and checks what it wrote.
install_package() {
  local name=$1 arch=$2 loader=$3 log="$work/$name.log"
  local msi="$work/pinlet-$arch.msi" old_msi="$work/pinlet-$arch-old.msi"
  if ! tools/package.sh --arch "$arch" --output "$msi" >"$log" 2>&1 ||
     ! tools/package.sh --arch "$arch" --version 0.9.0 --output "$old_msi" >>"$log" 2>&1; then
    fail "$name: tools/package.sh --arch $arch" "$log"
    return 1
  fi
  cp "$msi" "$prefix/drive_c/pinlet.msi"
  cp "$old_msi" "$prefix/drive_c/pinlet-old.msi"
  local started=$(date +%s%N)
  if ! "$loader" msiexec /i 'C:\pinlet-old.msi' /qn >"$log" 2>&1; then
    fail "$name: msiexec /i of the older package" "$log"
    return 1
  fi
  # A setting the add-in wrote while the older version ran.
  "$loader" reg add 'HKCU\Software\Zarvo\Pinlet\Note' /v FontName /d Tahoma /f >/dev/null 2>&1
  local upgrade_started=$(date +%s%N)
  if "$loader" msiexec /i 'C:\pinlet.msi' /qn >"$log" 2>&1; then
    pass "$name: msiexec /i /qn installs without an administrator ($(( (upgrade_started - started) / 1000000 )) ms), and upgrades in place ($(( ($(date +%s%N) - upgrade_started) / 1000000 )) ms)"
  else
    fail "$name: msiexec /i of the package over the older one" "$log"
    return 1
  fi
  local products
  products=$(installed_products "$loader")
  if "$loader" reg query 'HKCU\Software\Zarvo\Pinlet\Note' /v FontName 2>/dev/null |
       grep -q Tahoma && [ "$products" = 1 ]; then
    pass "$name: the upgrade kept the user's settings and left one product installed"
  else
    echo "products named Pinlet: $products" >"$log"
    "$loader" reg query 'HKCU\Software\Zarvo\Pinlet' /s >>"$log" 2>&1
    fail "$name: the upgrade lost the user's settings, or left two products" "$log"
  fi
  "$loader" reg delete 'HKCU\Software\Zarvo\Pinlet\Note' /v FontName /f >/dev/null 2>&1
  install_dir=$("$loader" reg query 'HKCU\Software\Zarvo\Pinlet' /v InstDir 2>/dev/null |
                tr -d '\r' | sed -n 's/^    InstDir    REG_SZ    //p')
  local user_dir
  user_dir=$("$loader" reg query 'HKCU\Software\Zarvo\Pinlet' /v MyDir 2>/dev/null |
             tr -d '\r' | sed -n 's/^    MyDir    REG_SZ    //p')
  if [[ $install_dir == 'C:\users\'*'\Local\Zarvo\Pinlet\' ]] &&
     check_installed_rows "$loader" "$install_dir" "$user_dir" "$log" &&
     ! "$loader" reg query 'HKLM\Software\Classes\Pinlet.Connect' >/dev/null 2>&1; then
    pass "$name: the registry holds the package's rows for the user, none for the machine"
  else
    echo "InstDir: $install_dir" >>"$log"
    fail "$name: the registry after installing" "$log"
  fi
}

uninstall_package() {
  local name=$1 loader=$2 log="$work/$name.log"
  local started=$(date +%s%N)
  if "$loader" msiexec /x 'C:\pinlet.msi' /qn >"$log" 2>&1; then
    pass "$name: msiexec /x /qn ($(( ($(date +%s%N) - started) / 1000000 )) ms)"
  else
    fail "$name: msiexec /x /qn" "$log"
  fi
  registry_snapshot "$prefix" "$loader" "$work/$name-after.txt"
  folder_snapshot "$prefix" "$work/$name-folders-after.txt"
  if [ "$(installed_products "$loader")" = 0 ] &&
     diff "$work/$name-before.txt" "$work/$name-after.txt" >"$log" &&
     diff "$work/$name-folders-before.txt" "$work/$name-folders-after.txt" >>"$log"; then
    pass "$name: the registry and the user's folders are as before installing"
  else
    fail "$name: the registry or the user's folders are not as before installing" "$log"
  fi
}

run_target() {
  local name=$1 dir=$2 loader=$3 triple=$4 arch=$5 with_scenarios=$6
  local log="$work/$name.log"
  prefix="$work/prefix-$name"
  echo "== $name ($dir)"
  if [ ! -f "$dir/src/comserver/pinlet.dll" ]; then
    fail "$name: $dir is not built (tools/setup_windows.sh)"
    return
  fi
  if sh tests/comserver/check_dll.sh "$triple-objdump" "$dir/src/comserver/pinlet.dll" \
       "$dir/tests/comserver/pinlet_test_addin.dll" >"$log" 2>&1; then
    pass "$name: pinlet.dll imports only system DLLs and exports the four calls"
  else
    fail "$name: pinlet.dll's imports and exports" "$log"
  fi
  make_prefix "$prefix"
  WINEPREFIX=$prefix "$loader" "$dir/sim/app/pinlet.exe" --help >/dev/null 2>"$log"
  local status=$?
  if [ "$status" != 0 ]; then
    local why
    why=$(head -c 200 "$log" | tr '\n' ' ')
    skip "$name" "this machine cannot run its programs (${why:-$loader ended with status $status and said nothing})"
    return
  fi
  export WINEPREFIX=$prefix

  for test in tests/com/pinlet_com_tests tests/com/pinlet_com_objects_tests tests/sim/comhost/pinlet_comhost_tests \
              tests/win32/pinlet_win32_tests tests/win32ui/pinlet_win32ui_tests \
              tests/comserver/pinlet_comserver_tests tests/contract/pinlet_contract_tests; do
    if (cd "$dir/$(dirname "$test")" && "$loader" "./$(basename "$test").exe") >"$log" 2>&1; then
      pass "$name: $(basename "$test") ($(grep -o '[0-9]* tests\? from' "$log" | head -1 | cut -d' ' -f1) tests)"
    else
      fail "$name: $(basename "$test")" "$log"
    fi
  done

  # The machine has Office, whose own settings the user's Office branch
  # holds (so that it is never an empty key that a removal may take).
  "$loader" reg add 'HKCU\Software\Microsoft\Office\11.0\Common\General' /v Settings \
    /t REG_DWORD /d 1 /f >/dev/null 2>&1
  registry_snapshot "$prefix" "$loader" "$work/$name-before.txt"
  folder_snapshot "$prefix" "$work/$name-folders-before.txt"
  if "$loader" regsvr32 /s "$dir/src/comserver/pinlet.dll" >"$log" 2>&1 &&
     "$loader" regsvr32 /u /s "$dir/src/comserver/pinlet.dll" >>"$log" 2>&1; then
    pass "$name: regsvr32 pinlet.dll, and regsvr32 /u"
  else
    fail "$name: regsvr32 pinlet.dll, or regsvr32 /u" "$log"
  fi
  registry_snapshot "$prefix" "$loader" "$work/$name-unregistered.txt"
  if diff "$work/$name-before.txt" "$work/$name-unregistered.txt" >"$log"; then
    pass "$name: the registry is as before registering"
  else
    fail "$name: the registry is not as before registering" "$log"
  fi

  install_package "$name" "$arch" "$loader" || return
  if (cd "$dir/tests/win32" && PINLET_INSTALLED_FOLDER=$install_dir "$loader" \
        ./pinlet_win32_tests.exe --gtest_filter='InstalledSupportLibraryTest.*') >"$log" 2>&1 &&
     grep -q '^\[       OK \] InstalledSupportLibraryTest' "$log"; then
    pass "$name: the installed support library opens every installed help page and shows its about box"
  else
    fail "$name: the installed support library's help pages or about box" "$log"
  fi
  if [ "$with_scenarios" = yes ]; then
    run_scenarios "$name" "$dir" "$loader"
    scenarios_ran=yes
  fi

  uninstall_package "$name" "$loader"
  wineserver -k 2>/dev/null
  unset WINEPREFIX
}

# Every example and test scenario through COM against the installed DLL,
# compared with the same run linked in, and the failure sweep through COM.
run_scenarios() {
  local name=$1 dir=$2 loader=$3 log="$work/$1.log"
  local exe="$dir/sim/app/pinlet.exe"
  for scenario in examples/*.pinlet tests/scenarios/*.pinlet; do
    local linked="$work/linked.txt" com="$work/com.txt" why="$work/why.txt"
    "$loader" "$exe" run "$scenario" >"$linked" 2>/dev/null
    local linked_status=$?
    "$loader" "$exe" run --com "$scenario" >"$com" 2>"$why"
    local com_status=$?
    unnumber_windows "$linked"
    unnumber_windows "$com"
    if [ $com_status -eq 4 ]; then
      # What ran before the skipped line must be as linked in.
      local shown
      shown=$(wc -c <"$com")
      local reason
      reason="$(grep -o 'skipped: .*' "$why" | head -1 | cut -c10-) (at $(grep -o '^pinlet: [^ ]*:[0-9]*' "$why" | head -1 | cut -d: -f3 | sed 's/^/line /'); the $(wc -l <"$com") lines of output before it as linked in)"
      if ! cmp -s -n "$shown" "$linked" "$com"; then
        diff "$linked" "$com" >"$log"
        cat "$why" >>"$log"
        fail "$name: $scenario through COM differs from linked in before its skipped line" "$log"
      elif [[ $scenario == examples/* ]]; then
        # Every example runs through COM whole; a skip there is a regression.
        echo "$reason" >"$log"
        fail "$name: $scenario was skipped through COM" "$log"
      else
        skip "$name: $scenario" "$reason"
      fi
    elif [ $com_status -eq $linked_status ] && cmp -s "$linked" "$com"; then
      if [ "$linked_status" != 0 ] && [[ $scenario == examples/* ]]; then
        tail -n 5 "$why" >"$log"
        fail "$name: $scenario fails the same way linked in and through COM" "$log"
      else
        pass "$name: $scenario through COM, as linked in (status $com_status)"
      fi
    else
      diff "$linked" "$com" >"$log"
      cat "$why" >>"$log"
      echo "status $linked_status linked in, $com_status through COM" >>"$log"
      fail "$name: $scenario through COM differs from linked in" "$log"
    fi
  done

  if "$loader" "$exe" run --com --fail-each-call examples/outlook_windows.pinlet \
       >"$log" 2>&1; then
    pass "$name: failure sweep through COM ($(grep -o '[0-9]* host calls' "$log" | head -1))"
  else
    fail "$name: failure sweep through COM" "$log"
  fi
}

start=$(date +%s)
check_package_tables
# The scenarios through COM are the longest part, and both targets are built
# from the same sources: they run on one target, the i686 that Outlook loads
# where this machine runs it, else the x86_64. Each target that is built
# runs its unit tests, registration and package.
scenarios_ran=no
# In a 64-bit prefix Wine runs a 32-bit program as 64-bit Windows does
# (WoW64), through its 32-bit loader.
run_target i686 build-win32 /usr/lib/wine/wine64 i686-w64-mingw32 x86 yes
# tools/setup_windows.sh builds the x86_64 target only where the i686 one
# cannot run; one built anyway is tested too.
if [ "$scenarios_ran" = no ]; then
  run_target x86_64 build-win64 /usr/lib/wine/wine64 x86_64-w64-mingw32 x64 yes
elif [ -f build-win64/src/comserver/pinlet.dll ]; then
  run_target x86_64 build-win64 /usr/lib/wine/wine64 x86_64-w64-mingw32 x64 no
else
  skip x86_64 "not built: this machine runs the i686 build, the one that ships"
fi
echo "$passed passed, $failed failed ($skipped skipped) in $(($(date +%s) - start)) s"
[ "$failed" -eq 0 ]
