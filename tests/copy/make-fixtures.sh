#!/usr/bin/env bash
# Writes the copy tests' source files into DIR: plain.bin, a file with long
# repeats and noise, and packed.bin, the same file compressed by mscompress
# into the LZ format that CopyLZFile expands.
# Usage: make-fixtures.sh DIR
set -eu
dir=$1
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/plain.bin" <<'PY'
import sys
state = 12345
data = bytearray()
while len(data) < 40000:
    state = (state * 1103515245 + 12345) & 0x7FFFFFFF
    if state % 3 == 0:
        data += b"Kest printer driver " * (state % 7 + 1)
    else:
        data += bytes([(state >> 8) & 0xFF, (state >> 16) & 0xFF])
open(sys.argv[1], "wb").write(bytes(data[:40000]))
PY
mscompress "$work/plain.bin"
cp "$work/plain.bin" "$dir/plain.bin"
cp "$work/plain.bin_" "$dir/packed.bin"
