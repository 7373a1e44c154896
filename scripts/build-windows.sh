#!/usr/bin/env bash
# build-windows.sh BUILD-DIR OUT-DIR: builds tomira.exe with its zip and MSI
# (preset windows, against Qt for MinGW-w64 from scripts/build-qt-mingw.sh,
# built into its cache on first use) in BUILD-DIR and copies the zip and the
# MSI into OUT-DIR. Signed when TOMIRA_SIGN_PFX names a certificate
# (docs/windows.md). SOURCE_DATE_EPOCH, the time written into the zip, is the
# last commit's unless the caller sets it.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 2 ] || { echo "usage: build-windows.sh BUILD-DIR OUT-DIR" >&2; exit 2; }
build=$(realpath -m "$1")
out=$(realpath -m "$2")
scripts/deps.sh run g++-mingw-w64-x86-64-posix wixl msitools icoutils librsvg2-bin osslsigncode python3
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
TOMIRA_QT_MINGW=$(scripts/build-qt-mingw.sh | tail -1)
export TOMIRA_QT_MINGW
cmake --preset windows -B "$build" >/dev/null
# Made anew, so that it is signed (or not) as this run says.
rm -f "$build"/package/TOMIRA-*-windows-x64.msi "$build"/package/TOMIRA-*-windows-x64.zip
nice -n 10 cmake --build "$build" -j 2 >/dev/null
mkdir -p "$out"
cp "$build"/package/TOMIRA-*-windows-x64.msi "$build"/package/TOMIRA-*-windows-x64.zip "$out/"
