#!/bin/sh
# Renders the wizard's icons and pictures from their SVG drawings.
# Usage: render-art.sh icon OUT.ico DRAWING.svg:SIZE:BITS...
#        render-art.sh bitmap OUT.bmp DRAWING.svg BITS
# rsvg-convert draws each image at its own size. An icon image keeps the
# pixels at least half opaque and reduces them, undithered, to the colours
# its depth holds (one is left for the black under the transparent pixels);
# at 1 bit each is black or white. icotool joins the images, in the order
# given, into one icon file. A bitmap is stored without transparency as an
# uncompressed DIB of 24 bits, or of 4 (16 colours, dithered).
set -eu
kind=$1 out=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $kind in
icon)
  set -- "$@" end
  n=0
  while [ "$1" != end ]; do
    drawing=${1%%:*} size=${1#*:}
    bits=${size#*:} size=${size%%:*}
    n=$((n + 1))
    rsvg-convert -w "$size" -h "$size" "$drawing" -o "$work/$n.png"
    if [ "$bits" = 1 ]; then reduce="-channel RGB -threshold 50% +channel"; else reduce="+dither -colors $(((1 << bits) - 1))"; fi
    # shellcheck disable=SC2086
    convert "$work/$n.png" -channel A -threshold 50% +channel $reduce "PNG8:$work/$n-reduced.png"
    shift
    set -- "$@" -b "$bits" "$work/$n-reduced.png"
  done
  shift
  icotool -c -o "$out" "$@"
  ;;
bitmap)
  rsvg-convert "$1" -o "$work/picture.png"
  if [ "$2" = 24 ]; then reduce="-type TrueColor"; else reduce="-dither FloydSteinberg -colors 16"; fi
  # shellcheck disable=SC2086
  convert "$work/picture.png" -alpha off $reduce -compress none "BMP3:$out"
  ;;
*)
  echo "render-art.sh: unknown kind $kind" >&2
  exit 2
  ;;
esac
