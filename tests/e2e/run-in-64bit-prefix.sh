#!/usr/bin/env bash
# Runs one e2e scenario in the build tree's 64-bit Wine prefix
# (BUILD_DIR/wineprefix64, made once like the tests' prefix).
# Usage: run-in-64bit-prefix.sh BUILD_DIR E2E_EXE SCENARIO [E2E OPTIONS...]
# Exits 77 (skipped) when this Wine cannot make a 64-bit prefix, that is when
# Debian's wine64 package is missing, and when the machine runs no 32-bit
# code, so that no Wine can run the 32-bit program.
set -u
build_dir=$(cd "$1" && pwd); e2e=$2; shift 2
here=$(cd "$(dirname "$0")/../../tools" && pwd)
if [ ! -x /usr/lib/wine/wine64 ]; then
  echo "wine64 is not installed: no 64-bit prefix (skipped)"
  exit 77
fi
if ! probe=$(/usr/lib/wine/wine --version 2>&1); then
  echo "32-bit Wine cannot start on this machine (${probe##*: }): the 32-bit setup.exe cannot run in a 64-bit prefix here (skipped)"
  exit 77
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "run-in-64bit-prefix.sh: no DISPLAY; run the tests through ./test.sh" >&2
  exit 1
fi
"$here/make-prefix.sh" "$build_dir" wineprefix64 || exit 1
. "$here/wine-env.sh" "$build_dir" wineprefix64
output=$(mktemp "${TMPDIR:-/tmp}/wine64-run.XXXXXX")
wine "$e2e" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
# The prefix's wineserver and services were started here; nothing else uses them.
wineserver -k 2>/dev/null || true
exit $status
