#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format; with --fix, reformats
# them. Installs clang-format-14 if it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run clang-format-14
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format-14 -i "${files[@]}"
else
  clang-format-14 --dry-run -Werror "${files[@]}"
  echo "check-format.sh: ${#files[@]} files follow .clang-format"
fi
