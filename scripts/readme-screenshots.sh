#!/usr/bin/env bash
# Makes the README's screenshots under Xvfb, from a fresh build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tomira
mkdir -p docs/screenshots
scripts/screenshot.sh docs/screenshots/main-window.png build/default/src/app/tomira
echo "docs/screenshots/main-window.png"
