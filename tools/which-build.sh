# Sourced: decides once which build of the same sources this run executes
# under Wine, and says so.
#  - The 32-bit program (the one that ships) under 32-bit Wine, where the
#    kernel runs 32-bit code.
#  - Its 64-bit twin under Debian's wine64, where the kernel runs no 32-bit
#    code at all (no Wine mode can run a PE32 program there), or when
#    KEST_TWIN=1 asks for it on any machine.
# Usage: . tools/which-build.sh ROOT_BUILD_DIR [VERB]
# VERB ("testing" unless given: "running", "measuring") starts the note's
# second half.
# Sets BUILD_KIND (pe32 | twin), BUILD_NOTE (one line: which and why),
# RUN_BUILD (the build tree whose programs run: ROOT_BUILD_DIR, or its x64/
# for the twin) and RUNS_32BIT (1 when the machine runs 32-bit code).
# Stops with a message saying what to install when the chosen Wine cannot
# start.
which_build_root=${1:?usage: . which-build.sh BUILD_DIR [VERB]}
which_build_verb=${2:-testing}
RUNS_32BIT=0
which_build_probe=""
if [ -x /usr/lib/wine/wine ]; then
  if which_build_probe=$(/usr/lib/wine/wine --version 2>&1); then
    RUNS_32BIT=1
  fi
fi
if [ "${KEST_TWIN:-0}" = 1 ]; then
  BUILD_KIND=twin
  BUILD_NOTE="KEST_TWIN=1: $which_build_verb the 64-bit build of the same sources under wine64"
elif [ $RUNS_32BIT = 1 ]; then
  BUILD_KIND=pe32
  BUILD_NOTE="this machine runs 32-bit code: $which_build_verb the 32-bit program that ships, under 32-bit Wine"
elif [ -x /usr/lib/wine/wine ]; then
  BUILD_KIND=twin
  BUILD_NOTE="this machine runs no 32-bit code (${which_build_probe##*: }): $which_build_verb the 64-bit build of the same sources under wine64"
else
  BUILD_KIND=twin
  BUILD_NOTE="32-bit Wine (wine32:i386) is not installed: $which_build_verb the 64-bit build of the same sources under wine64"
fi
if [ $BUILD_KIND = twin ]; then
  RUN_BUILD="$which_build_root/x64"
  if ! which_build_probe=$(/usr/lib/wine/wine64 --version 2>&1); then
    echo "Cannot start 64-bit Wine (/usr/lib/wine/wine64: ${which_build_probe:-not installed})." >&2
    echo "Install Debian's wine64 package (apt-get install wine64), or run on a machine that runs 32-bit code with wine32:i386." >&2
    exit 1
  fi
else
  RUN_BUILD="$which_build_root"
fi
unset which_build_root which_build_probe which_build_verb
