#!/usr/bin/env bash
# Runs a command in a Debian 13 "trixie" system (Qt 6.8, GCC 14), by default the whole Linux suite.
#   scripts/in-debian13.sh [CMD ...]     CMD runs in this clone, at the same path, as root
# The system is a chroot that debootstrap builds once from the Debian archive this machine installs from, with
# the packages of `scripts/deps.sh test`; it is kept in ${TOMIRA_CACHE:-~/.cache/tomira}/debian13-KEY, KEY
# naming what it installs, and brought up to date (apt-get update, upgrade) each time it is used again. A chroot
# whose building did not finish (no marker file) is removed and built again. /proc, /dev, /sys, a fresh /run and
# /tmp and the clone are mounted for the run only, and unmounted when it ends, fails or is interrupted.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
clone=$(cd "$here/.." && pwd)
say() { echo "in-debian13.sh: $*" >&2; }
[ "$(id -u)" -eq 0 ] || { say "debootstrap, chroot and mount need root"; exit 1; }
"$here/deps.sh" run debootstrap

# The archive and its security archive as this machine's apt has them (one-line or deb822 sources).
archive() { # main|security
  local want=$1
  {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      awk '$1 == "deb" { sub(/\[[^]]*\][ \t]*/, ""); print $3, $2 }'
    cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk 'BEGIN { RS = "" } {
        types = uris = suites = ""; n = split($0, line, "\n")
        for (j = 1; j <= n; j++) {
          if (line[j] ~ /^Types:/) types = line[j]
          if (line[j] ~ /^URIs:/) { uris = line[j]; sub(/^URIs:[ \t]*/, "", uris) }
          if (line[j] ~ /^Suites:/) { suites = line[j]; sub(/^Suites:[ \t]*/, "", suites) }
        }
        if (types ~ /[: \t]deb([ \t]|$)/) { split(uris, u, /[ \t]+/); split(suites, s, /[ \t]+/); print s[1], u[1] }
      }'
  } | awk -v want="$want" '(want == "security") == ($1 ~ /security/) { print $2; exit }'
}
mirror=$(archive main)
security=$(archive security)
[ -n "$mirror" ] || { say "no Debian archive in /etc/apt/sources.list or /etc/apt/sources.list.d"; exit 1; }
keyring=/usr/share/keyrings/debian-archive-keyring.gpg

# Builds the system into $1 (debootstrap has made it; /proc, /dev, /sys and /run are mounted).
install_packages() {
  local root=$1
  {
    echo "Types: deb"; echo "URIs: $mirror"; echo "Suites: trixie trixie-updates"; echo "Components: main"
    echo "Signed-By: $keyring"
    if [ -n "$security" ]; then
      echo; echo "Types: deb"; echo "URIs: $security"; echo "Suites: trixie-security"; echo "Components: main"
      echo "Signed-By: $keyring"
    fi
  } >"$root/etc/apt/sources.list.d/debian.sources"
  rm -f "$root/etc/apt/sources.list"
  # A throw-away system: dpkg need not sync every file it writes.
  echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/tomira-unsafe-io"
  in_chroot apt-get update -qq
  # shellcheck disable=SC2046
  in_chroot env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    $("$here/deps.sh" list test)
  in_chroot apt-get clean
}
key=$( { "$here/deps.sh" list test; declare -f install_packages; } | sha256sum | cut -c1-12)
cache=${TOMIRA_CACHE:-$HOME/.cache/tomira}
root=$cache/debian13-$key
mkdir -p "$cache"

in_chroot() {
  chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" "$@"
}
# Everything mounted under the chroot, deepest first.
mounted() { awk -v r="$root/" 'index($2, r) == 1 { print length($2), $2 }' /proc/self/mounts | sort -rn | cut -d' ' -f2-; }
# Runs a step in the background, so that an interrupt ends the wait for it at once.
step=
in_background() { "$@" & step=$!; wait $step; }
stop_chroot() {
  local pids m
  [ -z "$step" ] || kill -TERM "$step" 2>/dev/null || true
  # The processes whose root is the chroot.
  mapfile -t pids < <(find /proc -mindepth 2 -maxdepth 2 -name root -lname "$root" 2>/dev/null | cut -d/ -f3)
  if [ ${#pids[@]} -gt 0 ]; then
    kill -TERM "${pids[@]}" 2>/dev/null || true
    sleep 1
    kill -KILL "${pids[@]}" 2>/dev/null || true
  fi
  for m in $(mounted); do umount "$m" 2>/dev/null || umount -l "$m" || say "could not unmount $m"; done
}
# Removes a chroot only with nothing mounted in it: a bind-mounted clone would go with it.
remove_chroot() {
  stop_chroot
  [ -z "$(mounted)" ] || { say "$root still has mounts; left alone"; exit 1; }
  rm -rf --one-file-system "$root"
}
mount_chroot() {
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
  mount -t proc proc "$root/proc"
  mount --bind /sys "$root/sys"
  # The runtime folders, D-Bus's and the unprivileged user's that Mozc and sway run as, and /tmp are fresh
  # for each run.
  mount -t tmpfs -o mode=755 run "$root/run"
  mkdir -p "$root/run/dbus" "$root/run/user/65534"
  chown nobody:nogroup "$root/run/user/65534"
  chmod 700 "$root/run/user/65534"
  mount -t tmpfs -o mode=1777 tmp "$root/tmp"
  mkdir -p "$root$clone"
  mount --bind "$clone" "$root$clone"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

# One caller at a time: a second waits here for the first to finish.
exec 9>"$cache/debian13.lock"
flock 9
trap stop_chroot EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -d "$root" ] && [ ! -f "$root/.tomira-complete" ]; then
  say "the Debian 13 chroot in $root was left unfinished; building it again"
  remove_chroot
fi
if [ ! -d "$root" ]; then
  if ! wget -q -T 20 -t 2 -O /dev/null "$mirror/dists/trixie/InRelease"; then
    say "the Debian archive $mirror cannot be reached and no Debian 13 chroot is cached in $cache"
    exit 1
  fi
  log=$cache/debian13-$key.log
  say "building the Debian 13 chroot in $root (log: $log)"
  if ! in_background debootstrap --variant=minbase --keyring="$keyring" trixie "$root" "$mirror" >"$log" 2>&1 ||
     ! { mount_chroot && in_background install_packages "$root" >>"$log" 2>&1; }; then
    tail -5 "$log" >&2
    say "building the Debian 13 chroot failed; see $log"
    remove_chroot
    exit 1
  fi
  touch "$root/.tomira-complete"
  # Chroots of other package lists are not used again.
  for old in "$cache"/debian13-*; do
    [ "$old" = "$root" ] || [ ! -d "$old" ] || [ -n "$(awk -v r="$old/" 'index($2, r) == 1' /proc/self/mounts)" ] ||
      rm -rf --one-file-system "$old"
  done
else
  mount_chroot
  in_chroot apt-get update -qq && in_chroot env DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -qq >/dev/null ||
    say "could not bring the Debian 13 chroot up to date; using it as it is"
fi

[ $# -gt 0 ] || set -- bash -c 'scripts/deps.sh test && cmake --preset debian13 && cmake --build --preset debian13 &&
  QT_QPA_PLATFORM=offscreen TOMIRA_REQUIRE_TOOLS=1 ctest --preset debian13 -j "$(nproc)"'
# The command sees this environment's TOMIRA_*, QT_*, CI and CMake's parallel levels; stop_chroot ends whatever
# it leaves running.
passed=()
for v in $(compgen -e); do
  [[ $v != TOMIRA_* && $v != QT_* && $v != CI && $v != CMAKE_BUILD_PARALLEL_LEVEL ]] || passed+=("$v=${!v}")
done
in_background in_chroot "${passed[@]}" bash -c 'cd "$1" && shift && exec "$@"' - "$clone" "$@"
