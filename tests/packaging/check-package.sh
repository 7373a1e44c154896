#!/usr/bin/env bash
# check-package.sh BUILD-DIR: installs TOMIRA into a scratch root and checks it like a distribution would: the desktop
# entry, the AppStream metainfo, the icons and the Debian package (its name, dependencies, its program's hardening,
# lintian); as root, the package is then installed into this system with apt-get, started, and removed.
set -euo pipefail
. "$(dirname "$0")/../support/require-tools.sh"
require_tools cpack dpkg-deb desktop-file-validate appstreamcli lintian hardening-check
build=$(cd "$1" && pwd) scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

root=$scratch/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
[ -x "$root/usr/bin/tomira" ] || fail "no /usr/bin/tomira installed"
desktop-file-validate "$share/applications/tomira.desktop" || fail "desktop entry invalid"
grep -q '^Name\[ja\]=' "$share/applications/tomira.desktop" || fail "desktop entry has no Japanese name"
# TOMIRA has no web page, which AppStream 1.0 (Debian 13) warns of and 0.16 does not know.
homepage=(); appstreamcli --version | grep -q 'version: 0\.' || homepage=(--override=url-homepage-missing=info)
appstreamcli validate --no-net "${homepage[@]}" "$share/metainfo/jp.tomira.TOMIRA.metainfo.xml" || fail "metainfo invalid"
for icon in 16x16/apps/tomira.png 256x256/apps/tomira.png scalable/apps/tomira.svg; do
  [ -f "$share/icons/hicolor/$icon" ] || fail "icon $icon missing"
done

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$scratch"/deb/tomira_*.deb)
release=$(. /etc/os-release && echo "$VERSION_ID")
[[ $deb == */tomira_*+deb${release}_amd64.deb ]] || fail "the package's name does not say Debian $release: ${deb##*/}"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "package does not depend on Qt 6 Widgets: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Recommends | grep -q 'qt6-wayland.*qt6-translations-l10n' || fail "package does not recommend Qt's Wayland platform and translations"
# Control flow integrity: no start files of Debian 12 carry it (docs/release.md); branch protection, which
# Debian 13's hardening-check asks for, is AArch64's (BTI, PAC) and has no amd64 form.
skip=(--nocfprotection); ! grep -q nobranchprotection "$(command -v hardening-check)" || skip+=(--nobranchprotection)
dpkg-deb -x "$deb" "$scratch/x" && hardening-check "${skip[@]}" "$scratch/x/usr/bin/tomira" || fail "the packaged program is not hardened"
# Any tag at any level fails, but those docs/release.md explains.
# (each only where this release's lintian knows the tag: it refuses unknown ones).
explained=$(sed -n 's/^| `\([a-z0-9-]*\)` | lintian |.*/\1/p' "$(dirname "$0")/../../docs/release.md" |
  while read -r tag; do ! lintian-explain-tags "$tag" >/dev/null 2>&1 || echo "$tag"; done | paste -sd,)
lintian --pedantic -I --fail-on error,warning,info,pedantic --suppress-tags "$explained" "$deb" || fail "lintian: tags above"


[ "$(id -u)" -eq 0 ] && ! dpkg -s tomira >/dev/null 2>&1 || { echo "not root, or tomira installed: not installed"; exit 0; }
trap 'apt-get purge -y -qq tomira >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y --no-install-recommends "$@" >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt-get $* failed"; }; }
apt install "$deb"
files=$(dpkg -L tomira | while read -r f; do [ -d "$f" ] || echo "$f"; done)
# Started as installed, it is still running, in its event loop, when stopped.
rc=0; QT_QPA_PLATFORM=offscreen timeout 5 tomira || rc=$?
[ $rc = 124 ] || fail "the installed tomira ended with status $rc at its start"
apt purge tomira
! dpkg -L tomira >/dev/null 2>&1 || fail "dpkg still lists tomira's files after its removal"
for f in $files; do [ ! -e "$f" ] || fail "$f is left after the package's removal"; done
