#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Idempotent: with everything present it only asks dpkg and locale.
# libclang-rt-14-dev holds libFuzzer and the sanitizer runtimes, which clang
# only recommends. Recommended packages are installed too: Wine's X11 driver
# loads the 32-bit X extension libraries (XRender, XRandR, XInput...) that
# libwine only recommends, and the tests' screenshots and pixel checks were
# made with them. wine32:i386 installs on every machine, also where the kernel
# runs no 32-bit code: tools/which-build.sh tells the two apart by
# starting it. The x86-64 compiler builds the 64-bit twin that such machines
# run under wine64. osslsigncode signs a release (release.sh), openssl makes
# the signing test's throw-away certificate. The build renders the icons and
# pictures from their SVG drawings with rsvg-convert (librsvg2-bin),
# ImageMagick and icotool (icoutils).
# The tests run the wizard under a Japanese and a German locale as well: Wine
# takes the ANSI code page from the locale, and maps the Linux side's UTF-8
# file names right only when glibc has the locale, so it is generated here
# from the locales package. fonts-ipafont-gothic draws Japanese text, which
# dialogs otherwise show as empty boxes.
set -eu
packages="cmake g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 wine wine32:i386 xvfb xauth x11-utils
 fonts-liberation fonts-wine mscompress imagemagick librsvg2-bin icoutils doctest-dev clang libclang-rt-14-dev e2fsprogs python3 wine64
 locales fonts-ipafont-gothic osslsigncode openssl"
if [ "$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
for l in ja_JP de_DE; do
  if ! locale -a 2>/dev/null | grep -qx "$l.utf8"; then
    echo "Generating the locale $l.UTF-8"
    $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
