#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Idempotent: with everything present it only asks dpkg.
# libclang-rt-14-dev holds libFuzzer and the sanitizer runtimes, which clang
# only recommends. Recommended packages are installed too: Wine's X11 driver
# loads the 32-bit X extension libraries (XRender, XRandR, XInput...) that
# libwine only recommends, and the tests' screenshots and pixel checks were
# made with them. wine32:i386 installs on every machine, also where the kernel
# runs no 32-bit code: tools/which-build.sh tells the two apart by
# starting it. The x86-64 compiler builds the 64-bit twin that such machines
# run under wine64. The build renders the icons and pictures from their SVG
# drawings with rsvg-convert (librsvg2-bin), ImageMagick and icotool
# (icoutils).
set -eu
packages="cmake g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 wine wine32:i386 xvfb xauth x11-utils
 fonts-liberation fonts-wine mscompress imagemagick librsvg2-bin icoutils doctest-dev clang libclang-rt-14-dev e2fsprogs python3 wine64"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
