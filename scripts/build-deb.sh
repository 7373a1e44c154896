#!/usr/bin/env bash
# build-deb.sh BUILD-DIR OUT-DIR: builds the Debian package of this clone as
# the release does (preset release: Debian's hardening flags, no tests) in
# BUILD-DIR and copies it into OUT-DIR. Run by scripts/release.sh, also on
# other Debian releases, and twice by scripts/check-reproducible.sh.
# SOURCE_DATE_EPOCH, the time written into the package, is the last
# commit's unless the caller sets it.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 2 ] || { echo "usage: build-deb.sh BUILD-DIR OUT-DIR" >&2; exit 2; }
build=$(realpath -m "$1")
out=$(realpath -m "$2")
scripts/deps.sh run dpkg-dev file devscripts
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
cmake --preset release -B "$build" >/dev/null
nice -n 10 cmake --build "$build" -j 2 --target tomira tomira_package_docs >/dev/null
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
# The packaged program as Debian would have it (docs/release.md says why
# control-flow protection is left out).
rm -rf "$build/package/check" && dpkg-deb -x "$build"/package/tomira_*.deb "$build/package/check"
hardening-check --quiet --nocfprotection "$build/package/check/usr/bin/tomira"
mkdir -p "$out"
cp "$build"/package/tomira_*.deb "$out/"
