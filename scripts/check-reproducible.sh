#!/usr/bin/env bash
# Builds what the release holds twice, each time in build folders of another
# path, and compares the two with diffoscope: the Debian package, the
# Windows zip and the source archive must be the same bytes. The MSI is
# compared as well, and its differences are printed but allowed: a new
# ProductCode, and the package code and times wixl writes into every MSI
# (docs/release.md). Ends with one line per file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
work=$PWD/build/reproducible
rm -rf "$work"
for run in a second-run; do
  scripts/build-deb.sh "$work/$run/deb" "$work/$run/out"
  scripts/build-windows.sh "$work/$run/windows" "$work/$run/out"
  git archive --format=tar --prefix=tomira/ HEAD | gzip -9n >"$work/$run/out/source.tar.gz"
done
failed=0
for file in $(cd "$work/a/out" && ls); do
  if cmp -s "$work/a/out/$file" "$work/second-run/out/$file"; then
    echo "reproducible: $file: the same bytes"
  elif [[ $file == *.msi ]]; then
    diffoscope --no-progress --text - "$work/a/out/$file" "$work/second-run/out/$file" | head -40 || true
    echo "reproducible: $file: differs where wixl makes it differ (shown above)"
  else
    diffoscope --no-progress --text - "$work/a/out/$file" "$work/second-run/out/$file" || true
    echo "reproducible: $file: DIFFERS"
    failed=1
  fi
done
exit $failed
