#!/usr/bin/env bash
# Builds setup.exe and its tests and runs every test: unit tests and
# end-to-end scenarios under Wine and Xvfb, the import check, and the native
# fuzz build. Installs what is missing first. Exits non-zero on any failure.
# Where the machine runs no 32-bit code (or with KEST_TWIN=1) the tests run
# the 64-bit twin of the same sources under wine64; the shipped 32-bit build
# is built and its imports checked all the same.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
build="$root/build"

tools/ensure-packages.sh
. tools/which-build.sh "$build"
echo "test.sh: $BUILD_NOTE"

tools/build.sh "$build"
if [ "$BUILD_KIND" = twin ]; then
  tools/build.sh "$RUN_BUILD" x86_64
fi

. tools/xvfb.sh
. tools/wine-env.sh "$RUN_BUILD"
cleanup() {
  # Only what this script started: its prefixes' wineservers (a scenario of
  # another DPI or colour scheme ended by its time limit leaves one) and its
  # Xvfb.
  wineserver -k 2>/dev/null || true
  WINEPREFIX="$RUN_BUILD/wineprefix-display" wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT

tools/make-prefix.sh "$RUN_BUILD"
# A wineserver of this prefix left from an earlier, interrupted run would
# refuse a new one and keep services bound to a display that is gone.
wineserver -k 2>/dev/null || true
# A persistent wineserver with its services started up front, their output
# sent to a file, so that no test's output pipe is held open by them.
wineserver -p >/dev/null 2>&1
if ! wine cmd /c exit >"$RUN_BUILD/wine-warmup.log" 2>&1; then
  echo "test.sh: Wine ($(command -v wine)) cannot run a program in $WINEPREFIX:" >&2
  tail -n 5 "$RUN_BUILD/wine-warmup.log" >&2
  exit 1
fi

shots="$RUN_BUILD/e2e-shots"
rm -rf "$shots"
status=0
# Each test has a limit of about three times its usual time; the whole run
# one of its own, so that a hang anywhere ends the run within 20 minutes.
timeout --kill-after=30 1200 ctest --test-dir "$RUN_BUILD" --output-on-failure -j2 || status=1
if [ "$BUILD_KIND" = twin ]; then
  # What ships is checked from the 32-bit build itself; its run in a 64-bit
  # prefix says whether this machine can run it.
  echo "test.sh: the shipped 32-bit build's import checks and its run in a 64-bit prefix"
  ctest --test-dir "$build" --output-on-failure -L 'imports|pe32' || status=1
fi

# A failed scenario leaves a BMP screenshot; PNG is a twentieth of the size.
if compgen -G "$shots/*.bmp" >/dev/null; then
  mogrify -format png "$shots"/*.bmp && rm -f "$shots"/*.bmp
  echo "Screenshots: $shots"
fi

if [ -x tests/fuzz/run-fuzz.sh ]; then
  tests/fuzz/run-fuzz.sh "$build/fuzz" || status=1
fi

echo "test.sh: $BUILD_NOTE"
exit $status
