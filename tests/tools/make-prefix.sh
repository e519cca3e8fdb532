#!/usr/bin/env bash
# Creates a 32-bit Wine prefix of a build tree once; later calls return at
# once. Usage: make-prefix.sh BUILD_DIR [PREFIX_NAME]; the default name
# "wineprefix" is the tests' prefix. Windows run in a 1024x768 virtual
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
wineboot -i >"$log" 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$log" 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$log" 2>&1
wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >>"$log" 2>&1
add_fonts
wineserver -w
touch "$WINEPREFIX/.setup-ready"
