#!/usr/bin/env bash
# CTest's emulator: runs a Windows test program in the build tree's prefix.
# Usage: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# Wine's output goes to a file first: services that Wine starts inherit the
# output handles and would otherwise hold CTest's pipe open.
set -u
build_dir=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../tools/make-prefix.sh" "$build_dir" || exit 1
. "$here/../../tools/wine-env.sh" "$build_dir"
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run.sh: no DISPLAY; run the tests through ./test.sh, which starts Xvfb" >&2
  exit 1
fi
log=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
wine "$@" >"$log" 2>&1
rc=$?
cat "$log"
rm -f "$log"
exit $rc
