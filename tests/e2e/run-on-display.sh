#!/usr/bin/env bash
# Runs one e2e scenario at another display DPI and colour scheme, in the
# build tree's prefix for other displays (BUILD_DIR/wineprefix-display, made
# once like the tests' prefix and set to both before every run), so that no
# other test runs with either, whatever becomes of this one. The scenario
# finds them in KEST_DPI and KEST_SCHEME.
# Usage: run-on-display.sh BUILD_DIR DPI SCHEME E2E_EXE SCENARIO [E2E OPTIONS...]
# (SCHEME as tools/set-scheme.sh takes it)
set -u
build_dir=$(cd "$1" && pwd); dpi=$2; scheme=$3; e2e=$4; shift 4
here=$(cd "$(dirname "$0")/../../tools" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run-on-display.sh: no DISPLAY; run the tests through ./test.sh" >&2
  exit 1
fi
"$here/make-prefix.sh" "$build_dir" wineprefix-display || exit 1
. "$here/wine-env.sh" "$build_dir" wineprefix-display
"$here/set-dpi.sh" "$dpi" || exit 1
"$here/set-scheme.sh" "$scheme" || exit 1
output=$(mktemp "${TMPDIR:-/tmp}/wine-display-run.XXXXXX")
KEST_DPI=$dpi KEST_SCHEME=$scheme wine "$e2e" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
# The prefix's wineserver and services were started here; nothing else uses them.
wineserver -k 2>/dev/null || true
exit $status
