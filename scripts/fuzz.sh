#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time.
#   scripts/fuzz.sh [SECONDS-PER-TARGET]    (default 10; use hours for long runs)
# The seeds in fuzz/corpus/<target> are copied to a scratch folder, so a run
# never changes the repository; a crash leaves its input in artifacts/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
scripts/deps.sh run clang-14 libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p artifacts/fuzz
status=0
for exe in build/fuzz/fuzz/fuzz_*; do
  name=${exe##*/fuzz_}
  scratch=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$scratch/"
  echo "fuzz: $name for ${seconds}s"
  if ! "$exe" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="artifacts/fuzz/$name-" \
      "$scratch" > "artifacts/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED, see artifacts/fuzz/$name.log"; tail -30 "artifacts/fuzz/$name.log"; status=1
  else
    grep -E '^stat::number_of_executed_units' "artifacts/fuzz/$name.log" || true
  fi
  rm -rf "$scratch"
done
exit $status
