#!/usr/bin/env bash
# Makes the README's screenshots under Xvfb, from a fresh build: every
# window at the normal scale, as the every-window end-to-end test opens them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset default >/dev/null
cmake --build --preset default --target tomira
ctest --preset default -R '^e2e[.]test_every_window$' >/dev/null
shots=build/default/artifacts/e2e
mkdir -p docs/screenshots
for window in main-window questionnaire dialog-bmi dialog-ideal-weight dialog-fat-mass about-box; do
  cp "$shots/$window-x1.png" "docs/screenshots/$window.png"
  echo "docs/screenshots/$window.png"
done
