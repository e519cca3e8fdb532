#!/usr/bin/env bash
# Builds setup.exe if needed and runs it under Wine in its own prefix
# (build/run-prefix), from a driver package folder made of setup.exe and the
# files of PACKAGE_DIR (default: the repository's sample/, when it exists).
# Usage: ./run.sh [PACKAGE_DIR]
# With DISPLAY set, the wizard opens on that display and run.sh returns when
# it ends. Without one, it runs under Xvfb for RUN_SECONDS (default 6), a
# screenshot is saved and its path printed, and the program is ended.
set -euo pipefail
source_package=""
if [ $# -gt 0 ]; then
  [ -d "$1" ] || { echo "run.sh: no folder $1" >&2; exit 2; }
  source_package=$(cd "$1" && pwd)
fi
cd "$(dirname "$0")"
root=$(pwd)
if [ -z "$source_package" ] && [ -d sample ]; then source_package="$root/sample"; fi
build="$root/build"

# Quiet unless the build fails.
build_log=$(mktemp)
tests/tools/build.sh "$build" >"$build_log" 2>&1 || { cat "$build_log"; rm -f "$build_log"; exit 1; }
rm -f "$build_log"

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
. tests/tools/xvfb.sh
. tests/tools/wine-env.sh "$build" run-prefix
cleanup() {
  # Only what this script started: the run prefix's wineserver and its Xvfb.
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
tests/tools/make-prefix.sh "$build" run-prefix
# A wineserver of this prefix from an earlier run may serve a display that is
# gone.
wineserver -k 2>/dev/null || true

# The package folder as a user would have it: C:\KestDriver in the prefix.
package="$WINEPREFIX/drive_c/KestDriver"
rm -rf "$package"
mkdir -p "$package"
# The package is the files directly in the folder, as the wizard sees them.
if [ -n "$source_package" ]; then
  find "$source_package" -maxdepth 1 -type f -exec cp {} "$package/" \;
fi
cp "$build/setup.exe" "$package/"
echo "Package folder: $package (C:\\KestDriver in the prefix)"

log="$build/run-wine.log"
cd "$package"
if [ $headless -eq 0 ]; then
  echo "Starting setup.exe on $DISPLAY"
  wine setup.exe >"$log" 2>&1 || true
  exit 0
fi

wine setup.exe >"$log" 2>&1 &
sleep "${RUN_SECONDS:-6}"
shot="$build/run-shot.png"
# The virtual desktop fills the top left 1024x768 of the screen.
import -window root -crop 1024x768+0+0 +repage "$shot"
echo "Screenshot: $shot"
