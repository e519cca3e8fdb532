#!/usr/bin/env bash
# release.sh with a throw-away self-signed certificate: setup.exe and
# pkgcheck.exe carry a SHA-1 signature and a nested SHA-256 one that verify
# with that certificate as the trusted one, the example package holds the
# signed setup.exe, the signed programs pass the import check, and a signed
# setup.exe runs a whole installation under Wine.
# Usage: signed-release.sh BUILD_DIR WALK.exe SETUP.exe (the tree's own)
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 walk=$2 setup=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/signed-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export KEST_SIGN_PASSWORD="throw-away $$"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kest test signer" -addext extendedKeyUsage=codeSigning \
  -keyout "$work/key.pem" -out "$work/cert.pem" >"$work/openssl.log" 2>&1 &&
  openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.p12" \
    -passout env:KEST_SIGN_PASSWORD >>"$work/openssl.log" 2>&1 || { cat "$work/openssl.log"; fail "no certificate"; }

verify() {
  osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 &&
    [ "$(awk '/^Message digest algorithm +:/ { print $NF }' "$work/verify.log" | paste -sd ' ')" = "SHA1 SHA256" ] ||
    { cat "$work/verify.log"; fail "$1 lacks a SHA-1 signature with a nested SHA-256 one, both valid"; }
}

"$here/release.sh" --pkcs12 "$work/cert.p12" --dist "$work/dist" >"$work/release.log" 2>&1 ||
  { cat "$work/release.log"; fail "release.sh failed"; }
for program in setup pkgcheck; do
  verify "$work/dist/$program.exe"
  "$here/tools/check_imports.sh" "$work/dist/$program.exe" || fail "the signed $program.exe fails the import check"
done
cmp -s "$work/dist/setup.exe" "$work/dist/example-package/setup.exe" || fail "the example package's setup.exe is not the signed one"

run="$work/dist/setup.exe"
if [ "$(cat "$build/wine-arch")" = win64 ]; then
  . "$here/tools/which-build.sh" "$build" running
  echo "$BUILD_NOTE: the twin's setup.exe, signed the same way, runs the installation"
  run="$work/twin/setup.exe"
  mkdir "$work/twin" && cp "$setup" "$run" && "$here/tools/sign.sh" "$work/cert.p12" twin "$run" || fail "twin not signed"
  verify "$run"
fi
"$here/tests/tools/wine-run.sh" "$build" "$walk" whole_installation --setup="$run" --sample="$here/sample" \
  --failure-shots="$build/e2e-shots" || fail "the signed setup.exe did not install"
