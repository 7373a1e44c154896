#!/usr/bin/env bash
# Start-up of tomira.exe under Wine against a bare Qt program of one
# Japanese label built with the same Qt (bench/windows/startup.py), after
# building both with the windows preset; prints the medians and the ratio
# (goal: at most 1.25), the MSI's size and the installed size.
#   scripts/bench-windows.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
TOMIRA_QT_MINGW=$(scripts/build-qt-mingw.sh | tail -1)
export TOMIRA_QT_MINGW
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
msi=$(ls build/windows/package/TOMIRA-*-windows-x64.msi)
echo "MSI $(du -k "$msi" | cut -f1) KiB; installed $(du -sk "${msi%.msi}" | cut -f1) KiB"
/usr/bin/python3 bench/windows/startup.py "${msi%.msi}" build/windows/bench/windows/bench_bare_label.exe "${1:-15}"
