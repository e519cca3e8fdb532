#!/usr/bin/env bash
# Makes the prefix's C:\kvcopy_prep for test_copy's rows that need it: an
# immutable driver directory, an immutable earlier file in 3\, a full disk (a
# 16 KB tmpfs: room for the earlier files "old", not for the 40000-byte
# source); runs the copy tables, then undoes chattr and the mount.
# Usage: prepared-copy.sh BUILD_DIR TEST_PROGRAM
set -u
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../tools/make-prefix.sh" "$1" || exit 1
root="$1/wineprefix/drive_c/kvcopy_prep"
undo() { chattr -i "$root/immutable" "$root/locked/3/kvc_plain.dll" 2>/dev/null; umount "$root/full" 2>/dev/null; }
trap 'undo; rm -rf "$root"' EXIT
undo
rm -rf "$root"
mkdir -p "$root/immutable" "$root/locked" "$root/full"
mount -t tmpfs -o size=16k,mode=755 kvcopy_full "$root/full" || { echo "cannot mount tmpfs" >&2; exit 1; }
for d in immutable locked full; do
  mkdir -p "$root/$d/3"
  printf old >"$root/$d/kvc_plain.dll"
  printf old >"$root/$d/3/kvc_plain.dll"
done
chattr +i "$root/immutable" "$root/locked/3/kvc_plain.dll" || { echo "chattr not supported here" >&2; exit 1; }
"$here/../tools/wine-run.sh" "$1" "$2" --test-case-exclude='*dialog*'
