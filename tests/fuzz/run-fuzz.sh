#!/usr/bin/env bash
# Builds the fuzz targets and runs each for FUZZ_SECONDS (3 by default, as
# ./test.sh runs it; longer on demand: FUZZ_SECONDS=600 tests/fuzz/run-fuzz.sh
# build/fuzz), from its kept corpus tests/fuzz/corpus/<target>/ (only read)
# and BUILD_DIR/corpus/<target>/. Findings go to BUILD_DIR/findings/ and make
# the exit status 1. Usage: tests/fuzz/run-fuzz.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: run-fuzz.sh BUILD_DIR}
mkdir -p "$build/findings"
{ cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ && cmake --build "$build" -j2; } >"$build/build.log" 2>&1 \
  || { cat "$build/build.log"; exit 1; }
status=0
for source in "$here"/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  log="$build/$name.log"
  mkdir -p "$build/corpus/$name" "$here/corpus/$name"
  if "$build/$name" -max_total_time="${FUZZ_SECONDS:-3}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$name-" "$build/corpus/$name" "$here/corpus/$name" >"$log" 2>&1; then
    echo "fuzz $name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs, no finding"
  else
    echo "fuzz $name: FINDING (log $log)"
    tail -n 60 "$log"
    status=1
  fi
done
exit $status
