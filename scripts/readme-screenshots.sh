#!/usr/bin/env bash
# Makes the README's screenshots under Xvfb, from a fresh build: every
# window at the normal scale, as the every-window end-to-end test opens them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tomira
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
TOMIRA_BIN=$PWD/build/default/src/app/tomira TOMIRA_ARTIFACTS=$shots tests/e2e/run-e2e.sh test_every_window >"$shots/log" 2>&1 ||
  { cat "$shots/log" >&2; exit 1; }
mkdir -p docs/screenshots
for window in main-window questionnaire dialog-bmi dialog-ideal-weight dialog-fat-mass about-box; do
  cp "$shots/$window-x1.png" "docs/screenshots/$window.png"
  echo "docs/screenshots/$window.png"
done
