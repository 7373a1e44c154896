#!/usr/bin/env bash
# Prints the size of the tests beside the size of the program: non-blank
# lines of C++, Python, shell and CMake files in src/ and in tests/ + fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
lines() {
  git ls-files -- "$@" | grep -E '\.(cpp|h|py|sh|cmake)$|(^|/)CMakeLists\.txt$' |
    tr '\n' '\0' | xargs -0 cat | grep -cv '^[[:space:]]*$'
}
src=$(lines src)
tests=$(lines tests fuzz)
ratio=$(awk -v t="$tests" -v s="$src" 'BEGIN { printf "%.3f", t / s }')
goal=$(awk -v t="$tests" -v s="$src" 'BEGIN { print (t <= 0.55 * s ? "within its goal of 0.55" : "OVER its goal of 0.55") }')
echo "test size: src/ $src lines, tests/ + fuzz/ $tests lines, ratio $ratio ($goal)"
