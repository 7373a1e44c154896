#!/usr/bin/env bash
# Runs one end-to-end test module in a D-Bus session of its own, so that the
# accessibility bus and registry it starts end with it.
#   run-e2e.sh MODULE
set -euo pipefail
cd "$(dirname "$0")"
export PYTHONDONTWRITEBYTECODE=1 NO_AT_BRIDGE=0
exec dbus-run-session -- /usr/bin/python3 -m unittest -v "$1" 2>&1
