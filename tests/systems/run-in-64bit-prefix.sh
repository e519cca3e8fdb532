#!/usr/bin/env bash
# Runs one e2e scenario in a 64-bit Wine prefix of the build tree
# (BUILD_DIR/wineprefix64, made once, with the tests' virtual desktop).
# Usage: run-in-64bit-prefix.sh BUILD_DIR E2E_EXE SCENARIO [E2E OPTIONS...]
# Exits 77 (skipped) when this Wine cannot make a 64-bit prefix, that is when
# Debian's wine64 package is missing.
set -u
build_dir=$(cd "$1" && pwd); e2e=$2; shift 2
if [ ! -x /usr/lib/wine/wine64 ]; then
  echo "wine64 is not installed: no 64-bit prefix (skipped)"
  exit 77
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "run-in-64bit-prefix.sh: no DISPLAY; run the tests through ./test.sh" >&2
  exit 1
fi
export WINEPREFIX="$build_dir/wineprefix64" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
log="$build_dir/wineprefix64.log"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.setup-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >"$log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$log" 2>&1
    wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >>"$log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.setup-ready"
  fi
) 9>"$build_dir/.wineprefix64.lock"
output=$(mktemp "${TMPDIR:-/tmp}/wine64-run.XXXXXX")
wine "$e2e" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
# The prefix's wineserver and services were started here; nothing else uses them.
wineserver -k 2>/dev/null || true
exit $status
