# Sourced: the environment of a Wine prefix of a build tree.
# Usage: . tests/tools/wine-env.sh BUILD_DIR [PREFIX_NAME]
# PREFIX_NAME defaults to "wineprefix", the tests' prefix.
wine_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$wine_build_dir/${2:-wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
# No offers to install Mono or Gecko: such a dialog would block a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset wine_build_dir
