#!/usr/bin/env bash
# The manifest: one that Windows XP SP2 loads (tools/check_manifest.py), and
# what Wine's own parser reads from the program: a request for administrator
# rights (run level 3) without UI access, and DPI awareness.
# Usage: check-manifest.sh MANIFEST READ_MANIFEST.exe PROGRAM.exe BUILD_DIR
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
"$here/tools/check_manifest.py" "$1" || exit 1
"$here/tools/make-prefix.sh" "$4" || exit 1
. "$here/tools/wine-env.sh" "$4"
log="$4/manifest-wine.log"
WINEDEBUG=fixme+actctx wine "$2" "$3" >"$log" 2>&1
cat "$log"
! grep -q "failed to parse manifest" "$log" && tr -d '\r' <"$log" | grep -qx "run level 3, UI access 0, dpiAware true"
