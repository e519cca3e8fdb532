#!/usr/bin/env bash
# Creates a Wine prefix of a build tree once; later calls return at once.
# Usage: make-prefix.sh BUILD_DIR [PREFIX_NAME]; the default name
# "wineprefix" is the tests' prefix, a name ending in "64" a 64-bit one. Windows run in a 1024x768 virtual
# desktop, which draws captions and frames on Xvfb and avoids Wine's stall
# when a window hides without a window manager.
set -eu
build_dir=$1
prefix_name=${2:-wineprefix}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build_dir"
. "$here/wine-env.sh" "$build_dir" "$prefix_name"
exec 9>"$build_dir/.$prefix_name.lock"
flock 9
# Debian's Wine does not look in fonts-wine's folder by itself: without
# Marlett the caption buttons show letters instead of their glyphs.
add_fonts() {
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
}
if [ -f "$WINEPREFIX/.setup-ready" ]; then
  add_fonts
  exit 0
fi
rm -rf "$WINEPREFIX"
log="$build_dir/$prefix_name-create.log"
failed() {
  echo "make-prefix.sh: Wine could not $1 in $WINEPREFIX ($WINEARCH, $(command -v wine))." >&2
  tail -n 5 "$log" >&2
  echo "Wine's whole output: $log. Is Wine installed (tools/ensure-packages.sh)?" >&2
  exit 1
}
wineboot -i >"$log" 2>&1 || failed "create the prefix"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$log" 2>&1 &&
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$log" 2>&1 &&
  wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >>"$log" 2>&1 &&
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1 ||
  failed "write its settings"
wineserver -w
# A new 32-bit prefix has the x86 driver directory and its "3"; a 64-bit
# one only x64\3. 64-bit Windows keeps both, and the wizard copies into the
# x86 one.
drivers="$WINEPREFIX/drive_c/windows/system32/spool/drivers"
mkdir -p "$drivers/w32x86/3"
add_fonts
touch "$WINEPREFIX/.setup-ready"
