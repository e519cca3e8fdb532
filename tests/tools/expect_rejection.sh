#!/usr/bin/env bash
# Runs the import check on a program built to be refused and passes only
# when the check fails for the expected reason.
# Usage: expect_rejection.sh PROGRAM.exe EXPECTED_TEXT
set -u
here=$(cd "$(dirname "$0")" && pwd)
output=$("$here/../../tools/check_imports.sh" "$1")
status=$?
echo "$output"
if [ $status -eq 0 ]; then
  echo "FAIL: the import check accepted $1"
  exit 1
fi
if ! grep -qF -- "$2" <<<"$output"; then
  echo "FAIL: the import check refused $1, but not for \"$2\""
  exit 1
fi
echo "refused as expected"
