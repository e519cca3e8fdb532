# Sourced: the environment of a Wine prefix of a build tree.
# Usage: . tools/wine-env.sh BUILD_DIR [PREFIX_NAME]
# PREFIX_NAME defaults to "wineprefix", the tests' prefix. The tree of the
# 64-bit twin (its wine-arch file says win64) runs its programs in a 64-bit
# prefix with the 64-bit loader. In the 32-bit tree a prefix name ending in
# "64" is a 64-bit prefix for the 32-bit program; every other one is 32-bit.
wine_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$wine_build_dir/${2:-wineprefix}"
if [ "$(cat "$wine_build_dir/wine-arch" 2>/dev/null)" = win64 ]; then
  export WINEARCH=win64
  wine_shims="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64-bin"
  case ":$PATH:" in
    *":$wine_shims:"*) ;;
    *) export PATH="$wine_shims:$PATH" ;;
  esac
  unset wine_shims
else
  case "${2:-wineprefix}" in
    *64) export WINEARCH=win64 ;;
    *) export WINEARCH=win32 ;;
  esac
fi
export WINEDEBUG=-all
# No offers to install Mono or Gecko: such a dialog would block a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset wine_build_dir
