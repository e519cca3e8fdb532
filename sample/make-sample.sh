#!/usr/bin/env bash
# Regenerates the sample driver package's files beside KV_R52x.INF: the
# placeholder binaries as short texts, and the LZ-compressed files (SZDD, the
# format the platform's LZ library expands) from their sources in src/.
# Needs mscompress. The INF and the sources in src/ are written by hand.
set -euo pipefail
cd "$(dirname "$0")"

placeholder() {
  printf 'KV-R52x sample package: placeholder for %s.\r\nNot a real driver file. Only for trying the setup wizard under Wine;\r\nnever install it on a Windows machine.\r\n' "$1"
}

# Plain files, copied as they are.
for name in KV_R52x.DLL UNIDRV.DLL UNIDRVUI.DLL; do
  placeholder "$name" > "$name"
done
cp src/KV_R52x.INI KV_R52x.INI

# Compressed files keep their plain names: the LZ library recognises the
# compressed format by its header, whatever the name.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
placeholder UNIDRV.HLP > "$work/UNIDRV.HLP"
placeholder KV_COLOR.ICM > "$work/KV_COLOR.ICM"
cp src/KV_R52x.GPD src/KV_DUPLX.GPD "$work/"
for name in KV_R52x.GPD KV_DUPLX.GPD UNIDRV.HLP KV_COLOR.ICM; do
  mscompress "$work/$name"
  mv "$work/${name}_" "$name"
done
