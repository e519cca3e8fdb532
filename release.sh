#!/usr/bin/env bash
# Builds the release into dist/: setup.exe, pkgcheck.exe, the vendor guide
# and an example driver package folder (the sample package with setup.exe
# beside its INF). Given a PKCS#12 certificate, signs both programs
# (tools/sign.sh: SHA-1 with a nested SHA-256 signature, time-stamped when a
# server is named); without one leaves them unsigned, saying so. Checks the
# programs' imports for Windows 2000, setup.exe's manifest for Windows XP
# (tools/check_manifest.py) and the example package with pkgcheck under
# Wine when those tools are at hand.
# Only 32-bit programs ship. Where the machine runs no 32-bit code the
# example package is checked by the 64-bit twin of pkgcheck.exe, built from
# the same sources beside the release build and never copied into dist/.
# Usage: ./release.sh [--pkcs12 FILE [--password-file FILE] [--timestamp URL]] [--dist DIR]
# Without --password-file the certificate's password is read from the
# variable KEST_SIGN_PASSWORD. DIR (default dist/) is emptied first; it must
# be new, empty or an earlier release.
set -euo pipefail
# Paths given are the caller's, taken before the change of directory.
dist="$(cd "$(dirname "$0")" && pwd)/dist"
pkcs12="" password_file="" timestamp=""
while [ $# -gt 0 ]; do
  case $1 in
    --pkcs12) pkcs12=$(realpath "$2") ;;
    --password-file) password_file=$(realpath "$2") ;;
    --timestamp) timestamp=$2 ;;
    --dist) dist=$(realpath -m "$2") ;;
    *) echo "usage: ./release.sh [--pkcs12 FILE [--password-file FILE] [--timestamp URL]] [--dist DIR]" >&2; exit 2 ;;
  esac
  shift 2
done
if [ -z "$pkcs12" ] && [ -n "$password_file$timestamp" ]; then
  echo "release.sh: --password-file and --timestamp need a certificate (--pkcs12)" >&2
  exit 2
fi
if [ -n "$pkcs12" ] && [ -z "$password_file" ] && [ -z "${KEST_SIGN_PASSWORD+set}" ]; then
  echo "release.sh: give the password of $pkcs12 in a file (--password-file) or in KEST_SIGN_PASSWORD" >&2
  exit 2
fi
if [ -d "$dist" ] && [ -n "$(ls -A "$dist")" ] && [ ! -f "$dist/VENDOR-GUIDE.md" ]; then
  echo "release.sh: $dist holds files but no release; give a new or empty folder" >&2
  exit 2
fi
cd "$(dirname "$0")"
root=$(pwd)
build="$root/build/release"

tools/ensure-packages.sh

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DWERROR=ON --no-warn-unused-cli >/dev/null
cmake --build "$build" -j2 --target setup pkgcheck

rm -rf "$dist"
mkdir -p "$dist/example-package"
i686-w64-mingw32-strip -o "$dist/setup.exe" "$build/setup.exe"
i686-w64-mingw32-strip -o "$dist/pkgcheck.exe" "$build/pkgcheck/pkgcheck.exe"
cp docs/vendor-guide.md "$dist/VENDOR-GUIDE.md"

# Signed before anything copies them: a change after signing breaks the
# signature.
if [ -n "$pkcs12" ]; then
  sign_options=(${password_file:+--password-file "$password_file"} ${timestamp:+--timestamp "$timestamp"})
  tools/sign.sh "${sign_options[@]}" "$pkcs12" "Kest Printer Driver Setup" "$dist/setup.exe"
  tools/sign.sh "${sign_options[@]}" "$pkcs12" "Kest driver package check" "$dist/pkgcheck.exe"
  echo "release.sh: setup.exe and pkgcheck.exe signed with $pkcs12 (SHA-1 and SHA-256)"
else
  echo "release.sh: no certificate given (--pkcs12): setup.exe and pkgcheck.exe are NOT signed;" \
    "Windows Vista and 7 will name no publisher when they ask for elevation"
fi

# The example package: the sample's files (not its sources or its build
# script) and setup.exe beside the INF.
find sample -maxdepth 1 -type f ! -name '*.sh' -exec cp {} "$dist/example-package/" \;
cp "$dist/setup.exe" "$dist/example-package/"

status=0
if [ -x tools/check_imports.sh ]; then
  for program in setup pkgcheck; do
    tools/check_imports.sh "$dist/$program.exe" || status=1
  done
fi
# setup.exe must keep loading on Windows XP: see the rules in the script.
tools/check_manifest.py ui/resources/setup.manifest || status=1

# pkgcheck needs no display; its own prefix keeps the test prefix untouched.
if command -v wine >/dev/null 2>&1; then
  . tools/which-build.sh "$build" checking
  echo "release.sh: $BUILD_NOTE"
  checker="$dist/pkgcheck.exe"
  if [ "$BUILD_KIND" = twin ]; then
    cmake -S . -B "$RUN_BUILD" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DWERROR=ON \
      --no-warn-unused-cli >/dev/null
    cmake --build "$RUN_BUILD" -j2 --target pkgcheck >/dev/null
    checker="$RUN_BUILD/pkgcheck/pkgcheck.exe"
  fi
  tools/make-prefix.sh "$RUN_BUILD"
  . tools/wine-env.sh "$RUN_BUILD"
  log="$RUN_BUILD/pkgcheck-example.log"
  if wine "$checker" "Z:$dist/example-package" >"$log" 2>&1; then
    echo "pkgcheck: the example package is clean"
  else
    cat "$log"
    echo "pkgcheck found problems in the example package" >&2
    status=1
  fi
  wineserver -k 2>/dev/null || true
fi

echo
echo "Release in $dist:"
(cd "$dist" && find . -type f | sort | while read -r f; do printf '  %-36s %8d bytes\n' "${f#./}" "$(stat -c %s "$f")"; done)
exit $status
