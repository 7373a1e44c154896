#!/usr/bin/env bash
# Makes the release of the committed tree in dist/<version>/: the Debian
# package (and Debian 13's, where scripts/in-debian13.sh can build it), the
# Windows MSI and zip (signed when TOMIRA_SIGN_PFX names a certificate,
# docs/windows.md), the source archive, the release notes from NEWS.md and
# SHA256SUMS. Refuses a tree with uncommitted changes and a version without
# an entry in NEWS.md. Uses the test command's caches (Qt for Windows in
# ~/.cache/tomira, the build folders under build/).
set -euo pipefail
cd "$(dirname "$0")/.."
refuse() { echo "release.sh: $*" >&2; exit 1; }

[ -z "$(git status --porcelain)" ] || refuse "the tree has uncommitted changes: commit or stash them first."
version=$(sed -n 's/^project(TOMIRA VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || refuse "no version in CMakeLists.txt's project()."
grep -q "^## ${version//./\\.} (" NEWS.md || refuse "NEWS.md has no entry for version $version: write what changed for users first."

# Every time written into the release is the commit's.
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
dist=$PWD/dist/$version
rm -rf "$dist"
mkdir -p "$dist"

# Debian 12, this machine's release; Debian 13 in its chroot, when there is one.
scripts/build-deb.sh build/release "$dist"
if [ -x scripts/in-debian13.sh ]; then
  scripts/in-debian13.sh env SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" \
    "$PWD/scripts/build-deb.sh" "$PWD/build/release-deb13" "$dist"
fi
ls "$dist"/tomira_*_amd64.deb >/dev/null

# Windows, in the test command's build folder.
scripts/build-windows.sh build/windows "$dist"

# The source of exactly this commit, the same bytes on every run.
git archive --format=tar --prefix="tomira-$version/" HEAD | gzip -9n >"$dist/tomira-$version.tar.gz"
cp build/release/NEWS-"$version".md "$dist/"

(cd "$dist" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort |
  xargs sha256sum >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "TOMIRA $version, commit $(git rev-parse --short HEAD):"
(cd "$dist" && find . -maxdepth 1 -type f -printf '%P\n' | LC_ALL=C sort | while read -r f; do
  printf '  %s  %s bytes\n' "dist/$version/$f" "$(stat -c %s "$f")"
done)
