#!/usr/bin/env bash
# Installs the Debian packages TOMIRA needs to build, run and test, unless
# they are installed already. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  googletest libgtest-dev libgmock-dev
  fonts-ipafont-gothic fontconfig
  xvfb xdotool x11-utils imagemagick qt6ct
  openbox dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  lintian desktop-file-utils appstream dpkg-dev file
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc mozc-server
  qt6-wayland sway wtype grim
)
# Further groups are added by the scripts that need them:
#   deps.sh [extra-package ...]
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "deps.sh: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
