#!/usr/bin/env bash
# Writes the copy tests' sources into DIR: plain.bin, 40000 bytes of long
# repeats and noise; packed.bin, plain.bin compressed by mscompress into the
# LZ format that CopyLZFile expands; and packed.bin cut short, as a broken
# download leaves it: short.bin, its first 6000 bytes, and cut.bin, its
# first 11, which end inside the header.
# Usage: make-fixtures.sh DIR
set -eu
mkdir -p "$1"
python3 -c 'import random, sys; r = random.Random(12345)
data = b"".join(b"Kest printer driver " * r.randint(1, 7) + r.randbytes(40) for _ in range(600))
open(sys.argv[1], "wb").write(data[:40000])' "$1/plain.bin"
rm -f "$1/plain.bin_"
mscompress "$1/plain.bin"
mv "$1/plain.bin_" "$1/packed.bin"
head -c 6000 "$1/packed.bin" >"$1/short.bin"
head -c 11 "$1/packed.bin" >"$1/cut.bin"
