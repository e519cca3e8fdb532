#!/usr/bin/env bash
# Runs a test program in the build tree's prefix under a locale, so that Wine
# gives it (and the programs it starts) that locale's ANSI code page.
# Usage: run-in-locale.sh LOCALE BUILD_DIR PROGRAM [ARGS...], LOCALE such as
# ja_JP.UTF-8. The glibc locale must exist: without it Wine still takes the
# code page from the name, but maps the UTF-8 file names of the Linux side
# wrongly. tools/ensure-packages.sh generates the locales the tests use.
set -u
locale=$1; shift
if ! locale -a 2>/dev/null | grep -qixF "$(printf '%s' "$locale" | sed 's/UTF-8$/utf8/I')"; then
  echo "run-in-locale.sh: the locale $locale is not generated; run tools/ensure-packages.sh" >&2
  exit 1
fi
export LC_ALL=$locale LANG=$locale
exec "$(dirname "$0")/../tools/wine-run.sh" "$@"
