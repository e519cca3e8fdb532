#!/usr/bin/env bash
# Installs what is missing, configures BUILD_DIR for the MinGW cross build
# (warnings are errors) and builds setup.exe and the test programs: the
# 32-bit build that ships, or with x86_64 its 64-bit twin.
# Usage: tools/build.sh BUILD_DIR [i686 | x86_64] [TARGET...]
# With targets, only those are built (and what they need).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: build.sh BUILD_DIR [i686 | x86_64] [TARGET...]}
arch=${2:-i686}
shift $(( $# < 2 ? $# : 2 ))
targets=()
for target in "$@"; do targets+=(--target "$target"); done
"$root/tools/ensure-packages.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" -DWERROR=ON \
  --no-warn-unused-cli >/dev/null
cmake --build "$build" -j2 "${targets[@]}"
