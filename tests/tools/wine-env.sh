# Sourced: the environment of a Wine prefix of a build tree.
# Usage: . tests/tools/wine-env.sh BUILD_DIR [PREFIX_NAME]
# PREFIX_NAME defaults to "wineprefix", the tests' prefix. A name ending in
# "64" is a 64-bit prefix (needs Debian's wine64); every other one 32-bit.
wine_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$wine_build_dir/${2:-wineprefix}"
case "${2:-wineprefix}" in
  *64) export WINEARCH=win64 ;;
  *) export WINEARCH=win32 ;;
esac
export WINEDEBUG=-all
# No offers to install Mono or Gecko: such a dialog would block a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset wine_build_dir
