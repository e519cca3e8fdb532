# Sourced: the environment of the build tree's own Wine prefix.
# Usage: . tests/tools/wine-env.sh BUILD_DIR
wine_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$wine_build_dir/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No offers to install Mono or Gecko: such a dialog would block a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset wine_build_dir
