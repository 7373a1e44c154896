#!/usr/bin/env bash
# Starts a program on its own Xvfb display and saves a screenshot of the
# whole screen: screenshot.sh OUT.png COMMAND [ARGS...]
set -euo pipefail
out=$1; shift
for n in $(seq 90 140); do [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }; done
Xvfb "$display" -screen 0 800x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@" &
app=$!
for _ in $(seq 100); do
  DISPLAY=$display xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep "${SCREENSHOT_SETTLE:-0.5}"
DISPLAY=$display import -window root "$out"
