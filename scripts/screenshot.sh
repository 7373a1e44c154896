#!/usr/bin/env bash
# Starts a program on its own Xvfb display and saves a screenshot of its
# window: screenshot.sh OUT.png COMMAND [ARGS...]
# SCREENSHOT_WHOLE=1 saves the whole screen instead.
set -euo pipefail
out=$1; shift
for n in $(seq 90 140); do [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }; done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@" &
app=$!
window=
for _ in $(seq 100); do
  window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot.sh: no window appeared" >&2; exit 1; }
sleep "${SCREENSHOT_SETTLE:-0.5}"
if [ -n "${SCREENSHOT_WHOLE:-}" ]; then window=root; fi
DISPLAY=$display import -window "$window" "$out"
