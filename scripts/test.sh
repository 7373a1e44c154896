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
# The test command leaves apt's configuration as it found it: every file
# and entry under /etc/apt is the same at the end, else the run fails.
apt_state() { find /etc/apt | sort; find /etc/apt -type f -print0 | sort -z | xargs -0 -r sha256sum; }
apt_before=$(apt_state)
apt_unchanged() {
  local rc=$? now
  now=$(apt_state)
  [ "$now" = "$apt_before" ] && return $rc
  echo "== apt's configuration was changed by the test command:" >&2
  diff <(echo "$apt_before") <(echo "$now") >&2 || true
  exit 1
}
trap apt_unchanged EXIT
# Without a display, scripts/run.sh says in one line that TOMIRA needs a
# desktop session and fails, before it installs or builds anything.
no_display() {
  local out rc=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 scripts/run.sh 2>&1) || rc=$?
  if [ "$rc" -eq 0 ] || [ "$(wc -l <<<"$out")" -ne 1 ] || [[ $out != "run.sh: TOMIRA needs a desktop session"* ]]; then
    echo "run.sh without a display: exit $rc, and it said: $out" >&2
    return 1
  fi
}
stage "run.sh without a display" no_display
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
# The release's .deb, zip and source archive built twice, in folders of
# different paths, and compared byte for byte (diffoscope shows any
# difference).
stage "Reproducible release" scripts/check-reproducible.sh
# Bounded runs of the fuzz targets, 10 s each (scripts/fuzz.sh 3600 for a long run).
stage "Fuzz" scripts/fuzz.sh 10
# The unit and widget tests once more under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer, with Debian's hardening flags
# as in every build: any report fails the run. The end-to-end tests and the
# package check run in the first suite only (preset asan turns them off).
stage "Sanitizers" eval 'cmake --preset asan && cmake --build --preset asan && ctest --preset asan -j "$(nproc)"'
scripts/test-size.sh
echo "== The whole test command took $(( $(date +%s) - started )) s"
