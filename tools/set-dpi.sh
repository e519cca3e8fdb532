#!/usr/bin/env bash
# Sets the display DPI of the Wine prefix in WINEPREFIX (tools/wine-env.sh):
# LogPixels, which Wine reads when the prefix's first program starts. The
# prefix's programs are stopped before and after the change, so that the
# next one starts at that DPI. Usage: set-dpi.sh DPI (a number, 96 to 480)
set -eu
dpi=${1:?usage: set-dpi.sh DPI}
case $dpi in
  *[!0-9]* | "") echo "set-dpi.sh: DPI is a number of dots per inch, not \"$dpi\"" >&2; exit 2 ;;
esac
if [ "$dpi" -lt 96 ] || [ "$dpi" -gt 480 ]; then
  echo "set-dpi.sh: DPI $dpi is outside 96 to 480" >&2
  exit 2
fi
wineserver -k 2>/dev/null || true
for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    { echo "set-dpi.sh: Wine could not write LogPixels in $WINEPREFIX" >&2; exit 1; }
done
wineserver -k 2>/dev/null || true
