#!/usr/bin/env bash
# Installs the Debian packages TOMIRA needs, unless they are installed
# already. Runs apt-get as root, or through sudo.
set -euo pipefail

# What building and running TOMIRA need: the compiler and build tools, Qt's
# development files, the Japanese fonts and Qt's own Japanese texts.
run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  fonts-ipafont-gothic fontconfig qt6-translations-l10n
)
# What the tests need besides: GoogleTest, a virtual X server with a window
# manager and the X tools, the accessibility bus, the colour-scheme tool, the
# package checks (lintian, hardening-check, diffoscope), fcitx5 and ibus with Mozc, and sway with its tools.
test_packages=(
  googletest libgtest-dev libgmock-dev
  xvfb xdotool x11-utils imagemagick qt6ct
  openbox dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  lintian desktop-file-utils appstream dpkg-dev file devscripts diffoscope-minimal
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc mozc-server
  qt6-wayland sway wtype grim
)
#   deps.sh run|test [extra-package ...]
#   deps.sh list run|test   prints the packages, one a line, and installs nothing
# "run" installs what building and running need; "test" that and the test
# tools; further packages are added by the scripts that need them.
list=0
[ "${1:-}" != list ] || { list=1; shift; }
case ${1:-} in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: deps.sh [list] run|test [extra-package ...]" >&2; exit 2 ;;
esac
shift
packages+=("$@")
[ $list = 0 ] || { printf '%s\n' "${packages[@]}"; exit 0; }

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
# Another apt run (a second script's, or the system's own) is waited for.
wait_lock=(-o DPkg::Lock::Timeout=900)
"${as_root[@]}" apt-get "${wait_lock[@]}" update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get "${wait_lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
