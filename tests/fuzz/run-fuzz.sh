#!/usr/bin/env bash
# Builds the window-less text logic natively with clang, libFuzzer and the
# sanitizers, and runs every fuzz target for a bounded time.
# Usage: tests/fuzz/run-fuzz.sh BUILD_DIR
# FUZZ_SECONDS (default 20) bounds each target's run. Each target reads its
# kept corpus tests/fuzz/corpus/<target>/ (never written to) and collects new
# inputs in BUILD_DIR/corpus/<target>/. A finding is saved under
# BUILD_DIR/findings/ and makes the script exit non-zero.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:?usage: run-fuzz.sh BUILD_DIR}
seconds=${FUZZ_SECONDS:-20}

shopt -s nullglob
logic=("$root"/{shell,setupinfo,install,spooler,ui,pkgcheck}/*_logic.cpp)
targets=("$here"/fuzz_*.cpp)
shopt -u nullglob
# Nothing to build yet: succeed quietly.
[ ${#logic[@]} -eq 0 ] && [ ${#targets[@]} -eq 0 ] && exit 0

mkdir -p "$build"
if ! cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >"$build/configure.log" 2>&1; then
  cat "$build/configure.log"
  exit 1
fi
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

status=0
for source in "${targets[@]}"; do
  name=$(basename "$source" .cpp)
  work="$build/corpus/$name"
  kept="$here/corpus/$name"
  findings="$build/findings"
  mkdir -p "$work" "$findings"
  corpora=("$work")
  [ -d "$kept" ] && corpora+=("$kept")
  dictionary=()
  [ -f "$here/$name.dict" ] && dictionary=("-dict=$here/$name.dict")
  log="$build/$name.log"
  # New inputs go to the first corpus folder only: the kept one stays as is.
  if "$build/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/$name-" -print_final_stats=1 \
      "${dictionary[@]}" "${corpora[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ${runs:-?} runs, no finding"
  else
    echo "fuzz $name: FINDING (log $log)"
    tail -n 60 "$log"
    ls -1 "$findings"/"$name"-* 2>/dev/null || true
    status=1
  fi
done
exit $status
