#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
# Runs one stage and says how long it took.
stage() {
  local name=$1 t=$(date +%s)
  shift
  echo "== $name"
  "$@"
  echo "== $name took $(( $(date +%s) - t )) s"
}
stage "Packages" scripts/deps.sh test
# Every tool a test needs is installed above: a missing one fails its test
# here, where a developer's own ctest run skips it and says what is missing.
export QT_QPA_PLATFORM=offscreen TOMIRA_REQUIRE_TOOLS=1
stage "Build" eval 'cmake --preset default && cmake --build --preset default'
stage "Suite (unit, widget, end to end, package)" ctest --preset default -j "$(nproc)"
# The same suite on Debian 13 (Qt 6.8, GCC 14), in a chroot built once from
# the Debian archive and kept in the cache.
stage "Debian 13 (trixie, Qt 6.8) in a chroot" scripts/in-debian13.sh
# Windows (MinGW-w64): Qt built once into its cache, tomira.exe with its zip
# and MSI, the core's tests under Wine against the real registry and program
# start, and the installed program walked under Wine.
stage "Windows under Wine" scripts/test-windows.sh
# Bounded runs of the fuzz targets, 10 s each (scripts/fuzz.sh 3600 for a long run).
stage "Fuzz" scripts/fuzz.sh 10
# The same suite once more under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer: any report fails the run.
stage "Sanitizers" eval 'cmake --preset asan && cmake --build --preset asan && ctest --preset asan -j "$(nproc)"'
scripts/test-size.sh
echo "== The whole test command took $(( $(date +%s) - started )) s"
