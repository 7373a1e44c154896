#!/usr/bin/env bash
# Runs one end-to-end test module in a D-Bus session of its own, so that the
# accessibility bus and registry it starts end with it.
#   run-e2e.sh MODULE
set -euo pipefail
cd "$(dirname "$0")"
export PYTHONDONTWRITEBYTECODE=1 NO_AT_BRIDGE=0 TOMIRA_E2E_MODULE=$1
# A runtime folder of its own: the accessibility bus puts its socket there,
# and modules that run side by side must not share one.
runtime=$(mktemp -d /tmp/tomira-e2e-runtime.XXXXXX)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
rc=0
XDG_RUNTIME_DIR=$runtime dbus-run-session -- /usr/bin/python3 -m unittest -v "$1" 2>&1 || rc=$?
exit $rc
