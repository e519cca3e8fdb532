#!/usr/bin/env bash
# Signs a Windows program in place with the certificate and key of a PKCS#12
# file: first a SHA-1 signature, the only kind Windows 2000 and XP before SP3
# verify, then a SHA-256 signature nested in it for later systems. Given a
# time-stamp server, time-stamps the SHA-1 signature in the Authenticode
# protocol, which those systems read, and the SHA-256 one in RFC 3161;
# without one nothing is time-stamped.
# The file's password is read from the --password-file, or else from the
# variable KEST_SIGN_PASSWORD, which reaches osslsigncode on its standard
# input: it never stands on a command line that other users could see.
# Usage: sign.sh [--password-file FILE] [--timestamp URL] PKCS12 DESCRIPTION PROGRAM.exe
# DESCRIPTION is the program's name that Windows Vista and 7 show when they
# ask for elevation.
set -euo pipefail
password_file="" timestamp=""
while [ $# -gt 3 ]; do
  case $1 in
    --password-file) password_file=$2; shift 2 ;;
    --timestamp) timestamp=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 3 ] || { echo "usage: sign.sh [--password-file FILE] [--timestamp URL] PKCS12 DESCRIPTION PROGRAM.exe" >&2; exit 2; }
pkcs12=$1 description=$2 program=$3
if [ -z "$password_file" ] && [ -z "${KEST_SIGN_PASSWORD+set}" ]; then
  echo "sign.sh: give the password of $pkcs12 in a file (--password-file) or in KEST_SIGN_PASSWORD" >&2
  exit 2
fi

# One signature: sign_once HASH IN OUT [OPTION...]. The here-string hands
# the password to osslsigncode's standard input (ignored with a file).
sign_once() {
  local hash=$1 in=$2 out=$3
  shift 3
  osslsigncode sign -pkcs12 "$pkcs12" -readpass "${password_file:-/dev/stdin}" -h "$hash" \
    -n "$description" "$@" -in "$in" -out "$out" <<<"${KEST_SIGN_PASSWORD-}" >"$log" 2>&1 ||
    { cat "$log" >&2; echo "sign.sh: $program not signed" >&2; exit 1; }
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/log
sign_once sha1 "$program" "$work/sha1.exe" ${timestamp:+-t "$timestamp"}
sign_once sha256 "$work/sha1.exe" "$work/both.exe" -nest ${timestamp:+-ts "$timestamp"}
cp "$work/both.exe" "$program"
