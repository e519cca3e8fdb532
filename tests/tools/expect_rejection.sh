#!/usr/bin/env bash
# Runs the import check on a program built to be refused and passes only
# when the check fails for each expected reason.
# Usage: expect_rejection.sh PROGRAM.exe EXPECTED_TEXT...
set -u
here=$(cd "$(dirname "$0")" && pwd)
output=$("$here/../../tools/check_imports.sh" "$1")
status=$?
echo "$output"
if [ $status -eq 0 ]; then
  echo "FAIL: the import check accepted $1"
  exit 1
fi
for expected in "${@:2}"; do
  if ! grep -qF -- "$expected" <<<"$output"; then
    echo "FAIL: the import check refused $1, but not for \"$expected\""
    exit 1
  fi
done
echo "refused as expected"
