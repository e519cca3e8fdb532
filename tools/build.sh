#!/usr/bin/env bash
# Installs what is missing, configures BUILD_DIR for the MinGW cross build
# (warnings are errors) and builds setup.exe and the test programs: the
# 32-bit build that ships, or with x86_64 its 64-bit twin.
# Usage: tools/build.sh BUILD_DIR [i686 | x86_64]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: build.sh BUILD_DIR [i686 | x86_64]}
arch=${2:-i686}
"$root/tools/ensure-packages.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" -DWERROR=ON \
  --no-warn-unused-cli >/dev/null
cmake --build "$build" -j2
