#!/usr/bin/env bash
# Installs what is missing, builds TOMIRA and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default --target tomira
exec build/default/src/app/tomira "$@"
