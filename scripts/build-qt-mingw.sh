#!/usr/bin/env bash
# Builds Qt (qtbase: Core, Gui, Widgets and the Windows platform and style
# plugins) for 64-bit Windows with Debian's MinGW-w64, from Debian's own
# source of the Qt version installed on this machine, once, into a cache
# folder outside the clone. Prints the folder (the CMAKE_PREFIX_PATH of the
# Windows build) as its last line; a second run finds it and builds nothing.
#
# The cache folder is keyed by the Qt version, the options below and the
# build steps at the end of this script. Its root is $TOMIRA_CACHE, or
# ~/.cache/tomira.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

"$here/scripts/deps.sh" run g++-mingw-w64-x86-64-posix cmake ninja-build qt6-base-dev \
  qt6-base-dev-tools dpkg-dev xz-utils >&2

# Exactly the host's version: the build uses the host's moc, rcc and uic.
version=$(dpkg-query -W -f='${Version}' libqt6core6)

# Everything a Widgets program does not need is off. Debian's source leaves
# out src/3rdparty/wintab, and MinGW has no wintab.h, so there are no tablet
# events and no Direct2D plugin; without Direct2D, DirectWrite 3 cannot link
# (the GDI font engine stays). OpenGL off needs INPUT_opengl=no as well, or
# dynamic GL stays on. The image and text libraries are Qt's bundled ones.
options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_testlib=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_opengl=OFF
  -DINPUT_opengl=no
  -DFEATURE_vulkan=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_direct2d=OFF
  -DFEATURE_directwrite3=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF
)
# The key: the version, the options and the build below the marker line, so
# a change to how the source is fetched builds nothing anew.
key=$({
  echo "$version"
  printf '%s\n' "${options[@]}"
  sed -n '/^# ---- the build$/,$p' "$0"
} | sha256sum | cut -c1-12)
cache_root=${TOMIRA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tomira}
prefix=$cache_root/qt-${version%%+*}-mingw-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
# One build at a time: a second caller waits for the first and then finds
# its result, instead of starting over in the same folder.
mkdir -p "$cache_root"
exec 9>"$cache_root/qt-mingw-$key.lock"
if ! flock -n 9; then
  echo "Waiting for the Qt build that is running already" >&2
  flock 9
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

started=$(date +%s)
work=$cache_root/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"
echo "Building Qt $version for MinGW-w64 into $prefix" >&2

# Debian's source package, with Debian's own patches applied. It is fetched
# through an apt of its own in the work folder: deb-src twins of the Debian
# archives the machine installs from (bookworm-security's too, where a Qt
# security update comes from), each with the keyring its deb entry names.
# The machine's own sources, lists and keys stay as they were, and no other
# archive is asked.
fetch_source() {
  local apt=$work/apt
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
  {
    echo "# Written by TOMIRA's scripts/build-qt-mingw.sh for its own apt in this folder:"
    echo "# the source of Debian's Qt, from Debian's own archives only."
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      awk -v RS= -v ORS='\n\n' '/URIs:[^\n]*[.\/]debian\.org\/debian/ {
        sub(/Types:[^\n]*/, "Types: deb-src")
        if ($0 !~ /Signed-By:/) $0 = $0 "\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        print }' "$f"
    done
  } >"$apt/sources.list.d/debian-src.sources"
  grep -s '^deb .*[./]debian\.org/debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$apt/sources.list" || true
  local opts=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/sources.list.d"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Dir::State::status=/var/lib/dpkg/status)
  [ "$(id -u)" -ne 0 ] || opts+=(-o APT::Sandbox::User=root)
  grep -q '^Types: deb-src' "$apt/sources.list.d/debian-src.sources" || [ -s "$apt/sources.list" ] ||
    { echo "build-qt-mingw.sh: apt installs from no Debian archive here, so Qt's source cannot be fetched" >&2; exit 1; }
  apt-get "${opts[@]}" update -qq >&2 ||
    { echo "build-qt-mingw.sh: Debian's archive cannot be reached, so Qt's source cannot be fetched" >&2; exit 1; }
  apt-get "${opts[@]}" source -qq "qt6-base=$version" >&2
}
fetch_source
src=$(find . -maxdepth 1 -type d -name 'qt6-base-*' -print -quit)

# ---- the build

cat >toolchain.cmake <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

cmake -S "$src" -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_FORCE_FIND_TOOLS=ON \
  "${options[@]}" >build.log 2>&1 || { tail -60 build.log >&2; exit 1; }
cmake --build build --parallel "$(nproc)" >>build.log 2>&1 || { tail -60 build.log >&2; exit 1; }
cmake --install build >>build.log 2>&1 || { tail -60 build.log >&2; exit 1; }
touch "$prefix/.complete"
cd /
rm -rf "$work"
echo "Qt for MinGW-w64 built in $(( $(date +%s) - started )) s" >&2
echo "$prefix"
