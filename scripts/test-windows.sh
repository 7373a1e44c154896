#!/usr/bin/env bash
# The Windows stage of the test command. Builds Qt for MinGW-w64 once (its
# cache outside the clone, scripts/build-qt-mingw.sh), then tomira.exe with
# its zip and MSI (preset windows), and the plain C++ core and its tests a
# second time for Windows; runs the core's tests under Wine in a throwaway
# prefix without a display (the registry, file and program-start code of the
# About box against the real Windows API as Wine provides it), then the
# end-to-end test of the installed program under Wine on an X display of its
# own (tests/windows/wine_e2e.py). Between the two, the package itself
# (windows_package below): its MSI's tables, its signing with a throwaway
# certificate, its licence notices, and installs over an older version and
# over a rebuild of the same one.
# Ends with a line "windows: N passed, N failed"; exits non-zero on any
# failure, and when Wine cannot run on this machine. With --package only
# the Windows build and the package's checks run (scripts/mutation-check.py).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
only_package=false
[ "${1:-}" != --package ] || only_package=true

scripts/deps.sh test g++-mingw-w64-x86-64-posix wine64 wixl msitools icoutils librsvg2-bin osslsigncode xclip locales \
  tesseract-ocr tesseract-ocr-jpn

wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; }
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || { [ -x /usr/lib/wine/wineserver64 ] && wineserver=/usr/lib/wine/wineserver64; }
if [ -z "$wine" ] || [ -z "$wineserver" ]; then
  echo "test-windows.sh: Wine (wine64) is not installed, so the Windows tests cannot run here." >&2
  echo "windows: 0 passed, 1 failed"
  exit 1
fi

# Qt for Windows: built on the first run,
# found in its cache afterwards.
qt_started=$(date +%s)
TOMIRA_QT_MINGW=$(scripts/build-qt-mingw.sh | tail -1)
export TOMIRA_QT_MINGW
echo "Qt for MinGW-w64: $TOMIRA_QT_MINGW ($(( $(date +%s) - qt_started )) s)"
cmake --preset windows >/dev/null
cmake --build --preset windows
msi=$(ls build/windows/package/TOMIRA-*-windows-x64.msi)
version=${msi#build/windows/package/TOMIRA-}
version=${version%-windows-x64.msi}
echo "Windows package: $msi ($(du -k "$msi" | cut -f1) KiB), $(du -sk "${msi%.msi}" | cut -f1) KiB installed"

build=build/mingw
$only_package || {
# Unoptimised and without debug information: the quickest build, and the
# code runs just the same.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DTOMIRA_WITH_QT=OFF -DTOMIRA_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
cmake --build "$build" -j "$(nproc)"
}

# A Wine of its own: a fresh prefix, no display, no downloads of Mono or
# Gecko, quiet; and Japanese Windows (code page 932), which Wine takes from
# the locale's name without the locale being installed here.
prefix=$(mktemp -d /tmp/tomira-wine.XXXXXX)
logs=$(mktemp -d /tmp/tomira-wine-logs.XXXXXX)
cleanup() {
  WINEPREFIX=$prefix "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$prefix" "$logs"
}
trap cleanup EXIT
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
run_wine() { LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 timeout "$@"; }
# The answer of cmd.exe is read whole before it is looked at: a grep -q
# that stops reading early can end Wine by SIGPIPE, which pipefail would
# take for a Wine that does not run.
boot_rc=0
run_wine 180 "$wine" wineboot --init >"$logs/wineboot.log" 2>&1 || boot_rc=$?
cmd_rc=0
answer=$(run_wine 60 "$wine" cmd.exe /c echo wine-runs 2>>"$logs/wineboot.log") || cmd_rc=$?
if [ "$boot_rc" -ne 0 ] || [[ $answer != *wine-runs* ]]; then
  echo "test-windows.sh: Wine cannot run on this machine (wineboot exit $boot_rc; cmd.exe exit $cmd_rc, answered '${answer//$'\r'/}'):" >&2
  cat "$logs/wineboot.log" >&2
  echo "windows: 0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
$only_package ||
for name in $(ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: *//p'); do
  exe=$(find "$build/tests" -name "$name.exe" -print -quit)
  log="$logs/$name.log"
  rc=0
  if [ -z "$exe" ]; then
    echo "$name: not built" >"$log"
    rc=1
  else
    # Each program runs where it lies, beside its helpers.
    (cd "$(dirname "$exe")" && run_wine 300 "$wine" "$(basename "$exe")") >"$log" 2>&1 || rc=$?
  fi
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
  s=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
  p=${p:-0}; f=${f:-0}; s=${s:-0}
  # Under Wine nothing may be left out, and a program that ended badly
  # without naming a failed test has failed as a whole.
  f=$((f + s))
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
    f=1
  fi
  if [ "$f" -ne 0 ]; then
    echo "---- $name (exit $rc, $s skipped) ----"
    cat "$log"
    echo "----"
  fi
  echo "$name under Wine: $p passed, $f failed"
  passed=$((passed + p))
  failed=$((failed + f))
done

# The package. Made again from the same build (package.cmake, the MSI step
# only): signed with a throwaway certificate, and unsigned as one version
# lower; the test installs the lower one, the signed one over it, then the
# first build over that, reading Windows' uninstall entries each time.
# Wine names files in the Unix locale's character set, so the Japanese
# locale must exist (made here, not installed): else the Start-menu entry's
# Japanese name cannot be written.
root=$PWD
locales=build/windows/locale
[ -d "$locales/ja_JP.UTF-8" ] || { mkdir -p "$locales" && localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8"; }
package_step=$PWD/build/windows/packaging/windows/package.cmake
work=$logs/packages
signed=$work/signed/TOMIRA-$version-windows-x64
check() {  # what command...: one test of the stage
  local what=$1; shift
  if "$@" >"$logs/check.log" 2>&1; then
    echo "$what: ok"
    passed=$((passed + 1))
  else
    echo "---- $what ----"; cat "$logs/check.log"; echo "----"
    echo "$what: FAILED"
    failed=$((failed + 1))
  fi
}
lower_version() {  # 2.02 -> 2.01, 3.00 -> 2.99
  awk -F. '{ for (i = NF; i > 0 && $i == 0; i--) $i = sprintf("%0*d", length($i), 10 ^ length($i) - 1)
             $i = sprintf("%0*d", length($i), $i - 1); print }' OFS=. <<<"$1"
}
msiexec() {  # /i or /x, and the MSI
  LOCPATH=$root/$locales run_wine 300 "$wine" msiexec "$1" "Z:${2//\//\\}" /qn >>"$logs/msiexec.log" 2>&1
  run_wine 60 "$wine" uninstaller --list | grep -c TOMIRA || true  # the uninstall entries
}
windows_package() {
  mkdir -p "$work"
  local pfx=$work/sign.pfx cert=$work/sign.pem lower folder entry n
  # The name the certificate is made out to is the MSI's Manufacturer (docs/windows.md).
  openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=TOMIRA" -keyout "$work/sign.key" -out "$cert" \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
  openssl pkcs12 -export -inkey "$work/sign.key" -in "$cert" -out "$pfx" -passout pass:throwaway
  check "a wrong password fails the package, naming the certificate, and leaves nothing" bash -c '
    ! TOMIRA_SIGN_PFX=$1 TOMIRA_SIGN_PASSWORD=wrong cmake -DPACKAGE=$2/bad/TOMIRA -P $3 >$2/bad.log 2>&1 &&
    grep "TOMIRA_SIGN_PFX $1: the certificate does not open" $2/bad.log && [ -z "$(ls -A $2/bad)" ]' \
    - "$pfx" "$work" "$package_step"
  check "the package made again, signed with it" env TOMIRA_SIGN_PFX="$pfx" TOMIRA_SIGN_PASSWORD=throwaway \
    cmake -DPACKAGE="$signed" -P "$package_step"
  lower=$(lower_version "$version")
  check "the package made again as version $lower" \
    cmake -DPACKAGE="$work/lower/TOMIRA-$lower-windows-x64" -DVERSION="$lower" -P "$package_step"
  check "every .exe and .dll and the MSI verify against the throwaway certificate" bash -c '
    for f in $(find "$1" -name "*.exe" -o -name "*.dll") "$1.msi"; do
      osslsigncode verify -CAfile "$2" -in "$f" | grep -q "^Succeeded" || { echo "not signed: $f"; exit 1; }
    done; msiinfo export "$1.msi" Property | grep "^Manufacturer	TOMIRA"' - "$signed" "$cert"
  check "the unsigned build is unsigned" bash -c '! osslsigncode verify -in "$1"' - "$msi"
  check "the MSI's tables (ICE38, ICE43, ICE64, same-version upgrade)" python3 scripts/check-msi-tables.py "$msi"

  folder=$(ls -d "$prefix"/drive_c/users/*/AppData/Local)/Programs/TOMIRA
  entry="$(ls -d "$prefix"/drive_c/users/*/AppData/Roaming)/Microsoft/Windows/Start Menu/Programs/$(
    sed -n 's/^Name\[ja\]=//p' packaging/tomira.desktop).lnk"
  n=$(msiexec /i "$work/lower/TOMIRA-$lower-windows-x64.msi")
  check "version $lower installed: one uninstall entry" test "$n" = 1
  n=$(msiexec /i "$signed.msi")
  check "version $version over it: one entry, its files and its Start-menu entry" bash -c \
    '[ "$1" = 1 ] && diff -r "$2" "$3" && [ -f "$4" ]' - "$n" "$signed" "$folder" "$entry"
  n=$(msiexec /i "$root/$msi")
  check "a rebuild of $version over that: one entry, and its files" bash -c \
    '[ "$1" = 1 ] && cmp "$2/tomira.exe" "$3/tomira.exe"' - "$n" "${msi%.msi}" "$folder"
  check "the installed folder holds the licence notices, taken from Debian's files" bash -c '
    l=$1/licenses; cmp $l/LGPL-3.txt /usr/share/common-licenses/LGPL-3 && cmp $l/GPL-3.txt /usr/share/common-licenses/GPL-3 &&
    grep "^GCC RUNTIME LIBRARY EXCEPTION" $l/GCC-RUNTIME-LIBRARY-EXCEPTION.txt &&
    grep "^Files: mingw-w64-libraries/winpthreads/" $l/winpthreads.txt &&
    grep "apt-get source qt6-base=$(dpkg-query -W -f="\${Version}" libqt6core6)" $l/README.txt &&
    grep -- "-DFEATURE_network=OFF" $l/README.txt && grep "replace Qt6Core.dll" $l/README.txt' - "$folder"
  n=$(msiexec /x "$root/$msi")
  check "uninstalled: no uninstall entry, folder, Start-menu entry or HKCU\\Software\\TOMIRA" bash -c \
    '[ "$1" = 0 ] && [ ! -e "$2" ] && [ ! -e "$3" ] && [ "$4" = 1 ]' - "$n" "$folder" "$entry" \
    "$(run_wine 60 "$wine" reg query 'HKCU\Software\TOMIRA' >/dev/null 2>&1; echo $?)"
}
windows_package
if $only_package; then
  echo "windows package: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]; exit
fi

# The installed program, end to end, under Wine on an X display of its own.
e2e_log="$logs/wine_e2e.log"
if (cd tests/windows && LOCPATH=$root/$locales TOMIRA_MSI=$signed.msi WINE=$wine WINESERVER=$wineserver \
    TOMIRA_SYSINFO_STUB=$root/$build/tests/about/sysinfo_stub.exe \
    TOMIRA_ARTIFACTS=${TOMIRA_ARTIFACTS:-$root/build/default/artifacts/e2e} TOMIRA_E2E_MODULE=wine_e2e \
    PYTHONDONTWRITEBYTECODE=1 timeout 1800 /usr/bin/python3 -m unittest -v wine_e2e) >"$e2e_log" 2>&1; then
  echo "wine_e2e (installed tomira.exe under Wine): 1 passed, 0 failed"
  passed=$((passed + 1))
else
  echo "---- wine_e2e ----"
  cat "$e2e_log"
  echo "----"
  echo "wine_e2e (installed tomira.exe under Wine): 0 passed, 1 failed"
  failed=$((failed + 1))
fi

if [ $((passed + failed)) -eq 0 ]; then
  echo "test-windows.sh: no Windows tests ran." >&2
  failed=1
fi
echo "Windows stage took $(( $(date +%s) - started )) s (MinGW-w64 build, Wine $("$wine" --version 2>/dev/null || echo '?'))."
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
