#!/usr/bin/env bash
# Builds setup.exe and its tests and runs every test: unit tests and
# end-to-end scenarios under Wine and Xvfb, the import check, and the native
# fuzz build. Installs what is missing first. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
build="$root/build"

tests/tools/build.sh "$build"

. tests/tools/xvfb.sh
. tests/tools/wine-env.sh "$build"
cleanup() {
  # Only what this script started: its prefix's wineserver and its Xvfb.
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT

tests/tools/make-prefix.sh "$build"
# A wineserver of this prefix left from an earlier, interrupted run would
# refuse a new one and keep services bound to a display that is gone.
wineserver -k 2>/dev/null || true
# A persistent wineserver with its services started up front, their output
# sent to a file, so that no test's output pipe is held open by them.
wineserver -p >/dev/null 2>&1
wine cmd /c exit >"$build/wine-warmup.log" 2>&1 || true

shots="$build/e2e-shots"
rm -rf "$shots"
status=0
ctest --test-dir "$build" --output-on-failure -j2 || status=1

# The scenarios save BMP screenshots; PNG is a twentieth of the size.
if compgen -G "$shots/*.bmp" >/dev/null; then
  mogrify -format png "$shots"/*.bmp && rm -f "$shots"/*.bmp
  echo "Screenshots: $shots"
fi

if [ -x tests/fuzz/run-fuzz.sh ]; then
  tests/fuzz/run-fuzz.sh "$build/fuzz" || status=1
fi

exit $status
