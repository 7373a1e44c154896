#!/usr/bin/env bash
# Builds TOMIRA and starts it. Installs only what building and running need
# (scripts/deps.sh run); the tests are not built.
set -euo pipefail
cd "$(dirname "$0")/.."
# TOMIRA is a desktop program: without a session to show its windows in,
# say so in one line rather than let Qt abort.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: TOMIRA needs a desktop session (X11 or Wayland), and no display was found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi
scripts/deps.sh run
cmake --preset app >/dev/null
cmake --build --preset app --target tomira
exec build/app/src/app/tomira "$@"
