#!/usr/bin/env bash
# Installs what is missing, configures BUILD_DIR for the MinGW cross build
# (warnings are errors) and builds setup.exe and the test programs.
# Usage: tests/tools/build.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: build.sh BUILD_DIR}
"$root/tests/tools/ensure-packages.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DWERROR=ON \
  --no-warn-unused-cli >/dev/null
cmake --build "$build" -j2
