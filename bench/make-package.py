#!/usr/bin/env python3
"""Writes the benchmark's driver package into FOLDER: KV_R52x.INF with one
model whose CopyFiles lists COUNT files B000, B001, ... of SIZE bytes each
(text-like, so that LZ compression has something to gain). The script that
calls it compresses half of them with mscompress.
Usage: make-package.py FOLDER COUNT SIZE"""
import os
import random
import sys

folder, count, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
os.makedirs(folder, exist_ok=True)
words = [w.encode() for w in (
    "printer driver spooler port page model install section copy files data type "
    "hardware id universal paper tray duplex colour profile resolution margin").split()]
generator = random.Random(52)
names = ["B%03d" % i for i in range(count)]
for name in names:
    chunks, length = [], 0
    while length < size:
        word = generator.choice(words) + (b"\r\n" if generator.random() < 0.1 else b" ")
        chunks.append(word)
        length += len(word)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(b"".join(chunks)[:size])

# Bare names without at signs: 200 names of four characters fit the 1023
# characters the wizard reads of a CopyFiles value.
copy_files = ",".join(names)
assert len(copy_files) <= 1023, "too many files for one CopyFiles value"
with open(os.path.join(folder, "KV_R52x.INF"), "w", newline="\r\n") as inf:
    inf.write("[KestVelotic]\n\"Bench Model\" = BenchInstall, BENCHHW\n\n"
              "[BenchInstall]\nCopyFiles=%s\nDataSection=BenchData\n\n"
              "[BenchData]\nDefaultDataType=RAW\n" % copy_files)
