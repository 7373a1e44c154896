#!/usr/bin/env bash
# Runs one end-to-end test module in a D-Bus session of its own (its accessibility bus ends with it).
#   run-e2e.sh MODULE
set -euo pipefail
cd "$(dirname "$0")"
. ../support/require-tools.sh
require_tools Xvfb openbox xdotool xprop dbus-run-session convert py:pyatspi
case $1 in test_ime*) require_tools fcitx5 /usr/lib/mozc/mozc_server ibus-daemon /usr/lib/ibus-mozc/ibus-engine-mozc ;; test_wayland*) require_tools sway wtype grim ;; esac
export PYTHONDONTWRITEBYTECODE=1 NO_AT_BRIDGE=0 TOMIRA_E2E_MODULE=$1
# A runtime folder of its own (mktemp makes it 0700) for the accessibility bus's socket.
runtime=$(mktemp -d /tmp/tomira-e2e-runtime.XXXXXX)
trap 'rm -rf "$runtime"' EXIT
as_user=()
if [[ $1 == test_ime* || $1 == test_wayland* ]]; then
  # A fresh home (a fresh Mozc profile); Mozc and sway refuse root, so as root the whole module runs as nobody,
  # with the module, the program and the artifacts copied where it can reach them.
  home=$(mktemp -d /tmp/tomira-e2e-home.XXXXXX)
  trap 'rm -rf "$runtime" "$home"' EXIT
  artifacts=${TOMIRA_ARTIFACTS:-/tmp/tomira-e2e}/$1
  mkdir -p "$home/artifacts" "$artifacts"
  cp ./*.py ./*.conf "$home/"
  cp "$(command -v "${TOMIRA_BIN:-tomira}")" "$home/tomira"
  cd "$home"
  export TOMIRA_BIN=$home/tomira TOMIRA_ARTIFACTS=$home/artifacts
  as_user=(env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME -u IBUS_ADDRESS HOME="$home")
  if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$runtime" "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
  fi
fi
rc=0
XDG_RUNTIME_DIR=$runtime "${as_user[@]}" dbus-run-session -- /usr/bin/python3 -m unittest -v "$1" 2>&1 || rc=$?
# mozc_server outlives the test that started it: those with a home of this run end here.
for pid in $(pgrep -x mozc_server); do ! grep -qsz "^HOME=${home:-/nowhere}/" "/proc/$pid/environ" || kill "$pid" || true; done
[ -z "${artifacts:-}" ] || cp -r "$home/artifacts/." "$artifacts/"
exit $rc
