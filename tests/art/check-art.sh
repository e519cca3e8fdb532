#!/bin/sh
# Redraws the icons and pictures into a scratch directory and compares them
# byte for byte with the committed files, so that a drawing changed without
# regenerating (or a file edited by hand) is caught.
# Usage: check-art.sh SOURCE_DIR SCRATCH_DIR
set -eu
source_dir=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
python3 "$source_dir/ui/resources/generate_art.py" "$scratch"
status=0
for file in setup.ico printer.ico port.ico network.ico disk.ico background.bmp logo.bmp; do
  if ! cmp -s "$scratch/$file" "$source_dir/ui/resources/$file"; then
    echo "ui/resources/$file differs from what generate_art.py draws; run it and commit the result" >&2
    status=1
  fi
done
exit $status
