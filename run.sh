#!/usr/bin/env bash
# Builds setup.exe if needed and runs it under Wine in its own prefix
# (build/run-prefix), from a driver package folder made of setup.exe and the
# files of PACKAGE_DIR (default: the repository's sample/, when it exists).
# Usage: ./run.sh [PACKAGE_DIR]
# With DISPLAY set, the wizard opens on that display and run.sh returns when
# it ends. Without one, the test driver runs a whole installation under Xvfb
# (the first model, the port the page selects, default printer) and writes
# into a fresh folder, whose path it prints: a screenshot of every step, one
# contact sheet of them all and summary.txt, what was registered.
# Where the machine runs no 32-bit code (or with KEST_TWIN=1) it runs the
# 64-bit twin of the same sources under wine64 instead, and says so.
# KEST_DPI sets the display's DPI of the run (default 96; 120, 144 and 192
# are Windows' 125, 150 and 200 %), e.g. KEST_DPI=144 ./run.sh, and
# KEST_SCHEME its colours (tools/set-scheme.sh: wine, the default, win2000,
# luna or win7), e.g. KEST_SCHEME=luna ./run.sh.
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

tools/ensure-packages.sh
. tools/which-build.sh "$build" running
echo "run.sh: $BUILD_NOTE"
# Quiet unless the build fails.
build_log=$(mktemp)
tools/build.sh "$build" >"$build_log" 2>&1 || { cat "$build_log"; rm -f "$build_log"; exit 1; }
if [ "$BUILD_KIND" = twin ]; then
  tools/build.sh "$RUN_BUILD" x86_64 >"$build_log" 2>&1 || { cat "$build_log"; rm -f "$build_log"; exit 1; }
fi
rm -f "$build_log"
build="$RUN_BUILD"

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
. tools/xvfb.sh
. tools/wine-env.sh "$build" run-prefix
cleanup() {
  # Only what this script started: the run prefix's wineserver and its Xvfb.
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
tools/make-prefix.sh "$build" run-prefix
# Also stops a wineserver of this prefix from an earlier run, which may serve
# a display that is gone. Every run sets its DPI and colours, so none is
# left from an earlier one.
dpi=${KEST_DPI:-96}
scheme=${KEST_SCHEME:-wine}
tools/set-dpi.sh "$dpi"
tools/set-scheme.sh "$scheme"
echo "Display: $dpi DPI, colour scheme $scheme"

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
  # setup.exe itself always ends with 0: any other status is Wine's.
  status=0
  wine setup.exe >"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    echo "run.sh: Wine ($(command -v wine)) ended with status $status; its output, in $log:" >&2
    tail -n 5 "$log" >&2
  fi
  exit $status
fi

# Headless: walk.exe (automation/) walks the wizard in this prefix and keeps what it
# installed there.
out="$root/build/run-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
status=0
RUN_KEEP_INSTALLATION=1 wine "$build/automation/walk.exe" whole_installation --setup="$build/setup.exe" \
  ${source_package:+--sample="$source_package"} --shots="$out" >"$out/driver.log" 2>&1 || status=$?
tr -d '\r' <"$out/driver.log" | grep -v '^screenshot ' || true
# The virtual desktop fills the top left 1024x768 of the screen.
for shot in "$out"/*.bmp; do
  [ -e "$shot" ] || continue
  name=$(basename "$shot" .bmp)
  convert "$shot" -crop 1024x768+0+0 +repage "$out/${name#whole_installation-}.png"
  rm -f "$shot"
done
if compgen -G "$out/[0-9]*.png" >/dev/null; then
  montage -label '%t' "$out"/[0-9]*.png -tile 4x -geometry 480x360+6+6 -pointsize 16 \
    -background '#dddddd' "$out/contact-sheet.png"
fi
if [ -f "$out/summary.txt" ]; then echo "Program run: $BUILD_NOTE, at $dpi DPI, colour scheme $scheme" >>"$out/summary.txt"; fi
echo
if [ -f "$out/summary.txt" ]; then cat "$out/summary.txt"; echo; fi
echo "Screenshots, contact sheet and summary: $out"
exit $status
