#!/usr/bin/env bash
# Copy failures that need a shell to set up: an immutable driver directory,
# an immutable earlier file in the version subdirectory, and a full disk (a
# small tmpfs mounted as the driver directory). Prepares them under the
# prefix's C:\kvcopy_prep, runs the "prepared" suite of test_copy_file, and
# always undoes chattr and the mount.
# Usage: prepared-copy.sh BUILD_DIR TEST_PROGRAM
set -u
build_dir=$1
program=$2
here=$(cd "$(dirname "$0")" && pwd)
tools="$here/../tools"
"$here/../../tools/make-prefix.sh" "$build_dir" || exit 1
root="$build_dir/wineprefix/drive_c/kvcopy_prep"

undo() {
  chattr -i "$root/immutable" "$root/locked/3/kvc_plain.dll" 2>/dev/null
  if mountpoint -q "$root/full"; then umount "$root/full"; fi
}
trap undo EXIT
undo
rm -rf "$root"

for d in immutable locked full; do
  mkdir -p "$root/$d"
done
# Room for the earlier files but not for the 40000-byte source.
mount -t tmpfs -o size=16k,mode=755 kvcopy_full "$root/full" || { echo "cannot mount tmpfs" >&2; exit 1; }
for d in immutable locked full; do
  mkdir -p "$root/$d/3"
  printf old >"$root/$d/kvc_plain.dll"
  printf old >"$root/$d/3/kvc_plain.dll"
done
chattr +i "$root/immutable" || { echo "chattr not supported here" >&2; exit 1; }
chattr +i "$root/locked/3/kvc_plain.dll"

"$tools/wine-run.sh" "$build_dir" "$program" --no-skip --test-suite=prepared
status=$?
undo
rm -rf "$root"
exit $status
