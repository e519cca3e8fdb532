#!/usr/bin/env bash
# Builds the release into dist/: setup.exe, pkgcheck.exe, the vendor guide
# and an example driver package folder (the sample package with setup.exe
# beside its INF). Checks the programs' imports for Windows 2000 and the
# example package with pkgcheck under Wine when those tools are at hand.
# Only 32-bit programs ship. Where the machine runs no 32-bit code the
# example package is checked by the 64-bit twin of pkgcheck.exe, built from
# the same sources beside the release build and never copied into dist/.
# Usage: ./release.sh
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
build="$root/build/release"
dist="$root/dist"

tools/ensure-packages.sh

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DWERROR=ON --no-warn-unused-cli >/dev/null
cmake --build "$build" -j2 --target setup pkgcheck

rm -rf "$dist"
mkdir -p "$dist/example-package"
i686-w64-mingw32-strip -o "$dist/setup.exe" "$build/setup.exe"
i686-w64-mingw32-strip -o "$dist/pkgcheck.exe" "$build/pkgcheck/pkgcheck.exe"
cp docs/vendor-guide.md "$dist/VENDOR-GUIDE.md"

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
