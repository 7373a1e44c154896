#!/usr/bin/env bash
# check-package.sh BUILD-DIR: installs TOMIRA into a scratch root and checks it like a distribution would: the desktop
# entry, the AppStream metainfo, the icons and the Debian package (its dependencies, its program's hardening, lintian).
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
appstreamcli validate --no-net "$share/metainfo/jp.tomira.TOMIRA.metainfo.xml" || fail "metainfo invalid"
for icon in 16x16/apps/tomira.png 256x256/apps/tomira.png scalable/apps/tomira.svg; do
  [ -f "$share/icons/hicolor/$icon" ] || fail "icon $icon missing"
done

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$scratch"/deb/tomira_*.deb)
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "package does not depend on Qt 6 Widgets: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Recommends | grep -q 'qt6-wayland.*qt6-translations-l10n' || fail "package does not recommend Qt's Wayland platform and translations"
dpkg-deb -x "$deb" "$scratch/x" && hardening-check --nocfprotection "$scratch/x/usr/bin/tomira" || fail "the packaged program is not hardened"
# Any tag at any level fails, but those docs/release.md explains.
lintian --pedantic -I --fail-on error,warning,info,pedantic --suppress-tags "$(sed -n 's/^| `\([a-z0-9-]*\)` | lintian |.*/\1/p' "$(dirname "$0")/../../docs/release.md" | paste -sd,)" "$deb" || fail "lintian: tags above"

