#!/usr/bin/env bash
# Runs one e2e scenario at another display DPI, in the build tree's prefix
# for other DPIs (BUILD_DIR/wineprefix-dpi, made once like the tests' prefix
# and set to DPI before every run), so that no other test runs at that DPI,
# whatever becomes of this one. The scenario finds the DPI in KEST_DPI.
# Usage: run-at-dpi.sh BUILD_DIR DPI E2E_EXE SCENARIO [E2E OPTIONS...]
set -u
build_dir=$(cd "$1" && pwd); dpi=$2; e2e=$3; shift 3
here=$(cd "$(dirname "$0")/../../tools" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run-at-dpi.sh: no DISPLAY; run the tests through ./test.sh" >&2
  exit 1
fi
"$here/make-prefix.sh" "$build_dir" wineprefix-dpi || exit 1
. "$here/wine-env.sh" "$build_dir" wineprefix-dpi
"$here/set-dpi.sh" "$dpi" || exit 1
output=$(mktemp "${TMPDIR:-/tmp}/wine-dpi-run.XXXXXX")
KEST_DPI=$dpi wine "$e2e" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
# The prefix's wineserver and services were started here; nothing else uses them.
wineserver -k 2>/dev/null || true
exit $status
