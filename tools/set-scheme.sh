#!/usr/bin/env bash
# Sets the colour scheme of the Wine prefix in WINEPREFIX (tools/wine-env.sh):
# the system colours of HKCU\Control Panel\Colors, which Wine reads when the
# prefix's first program starts. Every scheme writes every colour below, so
# nothing of an earlier scheme stays. The prefix's programs are stopped
# before and after the change, so that the next one starts with it.
# Usage: set-scheme.sh SCHEME, one of
#   wine     the colours of a new prefix (Wine's own, face 245 245 245)
#   win2000  Windows 2000's "Windows Standard", also XP's classic style (face 212 208 200)
#   luna     Windows XP's default style, Luna (face 236 233 216)
#   win7     Windows 7's default (face 240 240 240)
set -eu
scheme=${1:?usage: set-scheme.sh wine|win2000|luna|win7}
case $scheme in
  wine) column=2 ;;
  win2000) column=5 ;;
  luna) column=8 ;;
  win7) column=11 ;;
  *) echo "set-scheme.sh: no colour scheme \"$scheme\" (wine, win2000, luna, win7)" >&2; exit 2 ;;
esac
# Red, green and blue of each colour: wine, win2000, luna, win7.
colours='
ActiveBorder          255 255 255  212 208 200  212 208 200  180 180 180
ActiveTitle            50 150 250   10  36 106    0  84 227  153 180 209
AppWorkSpace          128 128 128  128 128 128  128 128 128  171 171 171
Background             37 111 149   58 110 165    0  78 152    0   0   0
ButtonAlternateFace   255 255 255  181 181 181  181 181 181    0   0   0
ButtonDkShadow        106 106 106   64  64  64  113 111 100  105 105 105
ButtonFace            245 245 245  212 208 200  236 233 216  240 240 240
ButtonHilight         255 255 255  255 255 255  255 255 255  255 255 255
ButtonLight           227 227 227  212 208 200  241 239 226  227 227 227
ButtonShadow          166 166 166  128 128 128  172 168 153  160 160 160
ButtonText              0   0   0    0   0   0    0   0   0    0   0   0
GradientActiveTitle    50 150 250  166 202 240   61 149 255  185 209 234
GradientInactiveTitle 128 128 128  192 192 192  157 185 235  215 228 242
GrayText              166 166 166  128 128 128  172 168 153  109 109 109
Hilight                48 150 250   10  36 106   49 106 197   51 153 255
HilightText           255 255 255  255 255 255  255 255 255  255 255 255
HotTrackingColor      224 224 224    0   0 128    0   0 128    0 102 204
InactiveBorder        255 255 255  212 208 200  212 208 200  244 247 252
InactiveTitle         128 128 128  128 128 128  122 150 223  191 205 219
InactiveTitleText     200 200 200  212 208 200  216 228 248   67  78  84
InfoText                0   0   0    0   0   0    0   0   0    0   0   0
InfoWindow            255 255 255  255 255 225  255 255 225  255 255 225
Menu                  255 255 255  212 208 200  255 255 255  240 240 240
MenuBar               255 255 255  212 208 200  236 233 216  240 240 240
MenuHilight            48 150 250   10  36 106   49 106 197   51 153 255
MenuText                0   0   0    0   0   0    0   0   0    0   0   0
Scrollbar             255 255 255  212 208 200  212 208 200  200 200 200
TitleText               0   0   0  255 255 255  255 255 255    0   0   0
Window                255 255 255  255 255 255  255 255 255  255 255 255
WindowFrame           158 158 158    0   0   0    0   0   0  100 100 100
WindowText              0   0   0    0   0   0    0   0   0    0   0   0
'
file=$(mktemp "${TMPDIR:-/tmp}/scheme.XXXXXX.reg")
trap 'rm -f "$file"' EXIT
{
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n'
  awk -v c="$column" 'NF == 13 { printf "\"%s\"=\"%d %d %d\"\n", $1, $c, $(c + 1), $(c + 2) }' <<<"$colours"
} >"$file"
wineserver -k 2>/dev/null || true
# regedit takes the file by its Windows path; Wine maps / to Z:.
wine regedit /S "Z:$(sed 's|/|\\|g' <<<"$file")" >/dev/null 2>&1 ||
  { echo "set-scheme.sh: Wine could not write the colours in $WINEPREFIX" >&2; exit 1; }
wineserver -k 2>/dev/null || true
