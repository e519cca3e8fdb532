#!/usr/bin/env bash
# Runs pkgcheck.exe on one test package and checks its exit status and that
# its output holds the expected line.
# Usage: check-package.sh BUILD_DIR PKGCHECK_EXE SAMPLE_DIR CASE
# The case's package is the sample package changed by mutate_<CASE>, written
# afresh into BUILD_DIR/pkgcheck-cases/CASE; its line in cases.txt gives the
# expected exit status and output line. A case that sets `locale` runs
# pkgcheck under that locale, and so in its ANSI code page.
set -eu
build_dir=$1 pkgcheck=$2 sample=$3 name=$4
here=$(cd "$(dirname "$0")" && pwd)
line=$(grep "^$name|" "$here/cases.txt")
expected_status=$(printf '%s' "$line" | cut -d'|' -f2)
expected_text=$(printf '%s' "$line" | cut -d'|' -f3-)

package="$build_dir/pkgcheck-cases/$name"
rm -rf "$package"
mkdir -p "$package"
cp "$sample"/* "$package"/ 2>/dev/null || true
cd "$package"

# Edits KV_R52x.INF with a sed expression.
edit_inf() { sed -i "$1" KV_R52x.INF; }
# Overwrites bytes of a file at an offset with the given printf text.
patch_bytes() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
repeat() { printf "%${2}s" '' | tr ' ' "$1"; }
# Adds the model lines read from stdin at the head of the models section.
add_models() { cat > models.tmp; edit_inf '/^\[KestVelotic\]/r models.tmp'; rm models.tmp; }
# Moves the package's files into the new folder $1, which becomes the package.
move_into() { mkdir "$1"; for f in ./*; do [ ! -f "$f" ] || mv "$f" "$1/"; done; package=$1; }

mutate_sample() { :; }
mutate_no_inf() { rm -f KV_R52x.INF; }
mutate_missing_plain_file() { rm UNIDRV.DLL; }
mutate_missing_compressed_file() { rm KV_DUPLX.GPD; }
mutate_folder_in_place_of_file() { rm UNIDRV.HLP; mkdir UNIDRV.HLP; }
mutate_truncated_compressed_file() { truncate -s 300 KV_R52x.GPD; }
mutate_wrong_recorded_size() { patch_bytes KV_COLOR.ICM 10 '\x0f\x27\x00\x00'; }
mutate_unknown_method() { patch_bytes UNIDRV.HLP 8 'B'; }
mutate_cut_header() { truncate -s 11 KV_DUPLX.GPD; }
mutate_underscore_name() { mv UNIDRV.HLP UNIDRV.HL_; }
mutate_unquoted_key() { printf 'Kest KV-R529 = KVR521_Install, KESTVELOTICKV-R529\r\n' | add_models; }
mutate_key_too_long() { edit_inf "s/^\"Kest KV-R521\"/\"$(repeat K 1100)\"/"; }
mutate_no_copyfiles() { edit_inf '/^\[KVR521_Install\]/,/^$/{/^CopyFiles/d}'; }
mutate_missing_install_section() { edit_inf 's/= KVR528_Install,/= KVR528_Missing,/'; }
mutate_no_install_field() { edit_inf 's/^"Kest KV-R521" = .*/"Kest KV-R521" = ,,/'; }
mutate_dll_listed_by_first_model_only() { edit_inf '/^\[KVR52[48]_Install\]/,/^$/s/@KV_R52x.DLL,//'; }
mutate_no_driver_dll() { rm KV_R52x.DLL; edit_inf 's/@KV_R52x.DLL,//'; }
mutate_compressed_driver_dll() { cp UNIDRV.HLP KV_R52x.DLL; }
mutate_lacks_data_file() { edit_inf '/^\[KVR524_Install\]/,/^$/s/@KV_R52x.GPD,//'; }
mutate_copyfiles_too_long() {
  # 92 more names of 12 characters, each with its comma and at sign.
  local names=""
  for i in $(seq 100 191); do names="$names,@KV_X$i.GPD"; done
  edit_inf "/^\\[KVR521_Install\\]/,/^DataSection/s/^\\(CopyFiles=[^\\r]*\\)/\\1$names/"
}
mutate_name_too_long_for_copy() {
  local long="KV_LONG_NAME_220_$(repeat X 199).GPD"
  cp KV_DUPLX.GPD "$long"
  edit_inf "s/@KV_DUPLX.GPD/@$long/"
}
# Paths of 200 bytes, blanks and dots in the folder's name; one file under
# its compressed copy's name.
mutate_deep_folder() {
  move_into "$package/$(repeat d $((184 - ${#package} - 7))) v5.2 x"
  mv "$package/UNIDRV.HLP" "$package/UNIDRV.HL_"
}
# A folder where FOLDER\KV.HL is 127 bytes long, the most the LZ library's
# open takes, with only the compressed copy KV.HL_ (128 bytes) in it.
mutate_underscore_at_path_limit() {
  edit_inf 's/,@UNIDRV.HLP/,@UNIDRV.HLP,@KV.HL/'
  cp UNIDRV.HLP KV.HL_
  move_into "$package/$(repeat d $((127 - ${#package} - 9)))"
}
mutate_not_a_bare_name() { mkdir sub; mv KV_R52x.INI sub/; edit_inf 's/@KV_R52x.INI/@sub\\KV_R52x.INI/'; }
mutate_too_many_models() {
  edit_inf '/^"Kest KV-R528 Color"/d; /^"Kest KV-R524 Duplex"/d; /^"Kest KV-R521"/d'
  for i in $(seq 10 79); do printf '"Kest KV-R5%s Test" = KVR521_Install, KV%s\r\n' "$i" "$i"; done | add_models
}
mutate_five_thousand_models() {
  for i in $(seq 1000 5999); do printf '"Kest KV-%s" = KVR521_Install, KV%s\r\n' "$i" "$i"; done | add_models
}
mutate_ten_megabyte_inf() {
  { printf '[KestVelotic]\r\n"Huge Line" = KVR521_Install,'; repeat H 4000000; printf '\r\n[Filler]\r\n'
    yes 'Filler=filler filler filler filler filler filler' | head -c 6500000; cat KV_R52x.INF; } > big.tmp
  mv big.tmp KV_R52x.INF
}
mutate_no_models() { edit_inf '/^"Kest /d'; }
mutate_binary_garbage_inf() { head -c 65536 /dev/urandom | tr -d '[]' > KV_R52x.INF; }
# The first model's name in Japanese, with characters whose second byte in
# code page 932 is 0x5C, and a file 表示.dat of its own; the INF in $1.
japanese_package() {
  printf '表示 data\r\n' > 表示.dat
  edit_inf 's/^"Kest KV-R521"/"ケスト 表示ソフト KV-R521"/; /^\[KVR521_Install\]/,/^DataSection/s/^\(CopyFiles=[^\r]*\)/\1,@表示.dat/'
  iconv -f UTF-8 -t "$1" KV_R52x.INF > inf.tmp
  if [ "$1" = UTF-16LE ]; then { printf '\xff\xfe'; cat inf.tmp; } > KV_R52x.INF; else mv inf.tmp KV_R52x.INF; fi
  rm -f inf.tmp
}
mutate_japanese_in_932() { japanese_package CP932; locale=ja_JP.UTF-8; }
mutate_japanese_in_1252() { japanese_package CP932; }
mutate_utf16_japanese_in_932() { japanese_package UTF-16LE; locale=ja_JP.UTF-8; }
mutate_utf16_japanese_in_1252() { japanese_package UTF-16LE; }
mutate_utf8_inf() { edit_inf 's/^"Kest KV-R521"/"Kest Drücker 100"/'; }
# pkgcheck run from a vendor's folder that holds pkgcheck.exe.local.
mutate_local_redirection() { cp "$pkgcheck" .; touch pkgcheck.exe.local; pkgcheck=$package/pkgcheck.exe; }
mutate_utf8_marked_inf() { { printf '\xef\xbb\xbf'; cat KV_R52x.INF; } > inf.tmp; mv inf.tmp KV_R52x.INF; }

locale=""
"mutate_$name"
cd - >/dev/null

output="$build_dir/pkgcheck-cases/$name.out"
status=0
if [ -n "$locale" ]; then
  bash "$here/../e2e/run-in-locale.sh" "$locale" "$build_dir" "$pkgcheck" "Z:$package" >"$output" 2>&1 || status=$?
else
  "$here/../tools/wine-run.sh" "$build_dir" "$pkgcheck" "Z:$package" >"$output" 2>&1 || status=$?
fi
cat "$output"
if [ "$status" != "$expected_status" ]; then
  echo "FAILED: pkgcheck exited with $status, expected $expected_status" >&2
  exit 1
fi
if ! grep -qF -- "$expected_text" "$output"; then
  echo "FAILED: the output lacks: $expected_text" >&2
  exit 1
fi
echo "passed: $name"
