#!/usr/bin/env bash
# Benchmarks of setup.exe under Wine, printed as figures and ratios; no
# figure passes or fails. Runs in its own prefix (build/benchprefix) under
# Xvfb when no DISPLAY is set.
#  - start to exit page against the wizard's fixed waits (overhead);
#  - the copy of 200 files, 50 MB, half LZ-compressed, against cp of the
#    same files to the same two places (the driver directory and its "3");
#  - the port page with the prefix's 8 ports and with 1,000;
#  - the size of setup.exe, and its peak memory.
# Where the machine runs no 32-bit code (or with KEST_TWIN=1) it measures
# the 64-bit twin of the same sources under wine64, and says so.
# Usage: bench/run-bench.sh   (BENCH_RUNS=N repeats each run, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tools/ensure-packages.sh
. tools/which-build.sh "$root/build" measuring
echo "run-bench.sh: $BUILD_NOTE"
build="$RUN_BUILD"
work="$build/bench"
runs=${BENCH_RUNS:-3}
export BENCH_RUNS=$runs

if [ "$BUILD_KIND" = twin ]; then
  tools/build.sh "$build" x86_64 >/dev/null
else
  tools/build.sh "$build" >/dev/null
fi
cmake --build "$build" --target bench >/dev/null
. tools/xvfb.sh
. tools/wine-env.sh "$build" benchprefix
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
tools/make-prefix.sh "$build" benchprefix
wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1 || true

# The 200-file package: B000-B099 compressed (under their plain names),
# B100-B199 plain.
package="$work/package200"
rm -rf "$package"
python3 bench/make-package.py "$package" 200 250000
for i in $(seq -w 0 99); do
  mscompress "$package/B0$i" && mv "$package/B0${i}_" "$package/B0$i"
done

bench() { # scenario [e2e options...]
  local log="$work/$1.log"
  if ! wine "$build/bench/bench.exe" "$@" --setup="$build/setup.exe" >"$log" 2>&1; then
    cat "$log" >&2
    echo "bench: $1 failed" >&2
    exit 1
  fi
  grep '^BENCH' "$log" | tr -d '\r'
}
mkdir -p "$work"
install_lines=$(bench bench_install --sample="$root/sample")
ports_lines=$(bench bench_ports --sample="$root/sample")
copy_lines=$(bench bench_copy --sample="$package")

# cp of the same files to the same two places, as often.
drivers="$WINEPREFIX/drive_c/windows/system32/spool/drivers/w32x86"
cp_times=""
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  cp "$package"/B??? "$drivers/"
  cp "$package"/B??? "$drivers/3/"
  sync -f "$drivers"
  end=$(date +%s%N)
  cp_times="$cp_times $(( (end - start) / 1000000 ))"
  rm -f "$drivers"/B??? "$drivers"/3/B???
done

median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
field() { # lines name: the values following "name" on the lines
  awk -v name="$2" '{for (i = 1; i < NF; i++) if ($i == name) print $(i + 1)}' <<<"$1"
}

fixed=$(field "$install_lines" fixed_waits_ms | head -1)
copy_waits=$(field "$copy_lines" copy_waits_ms | head -1)
exit_ms=$(field "$install_lines" exit_page_ms | median)
peak=$(field "$install_lines" peak_working_set | median)
peak_pagefile=$(field "$install_lines" peak_pagefile | median)
copy_ms=$(field "$copy_lines" copy_ms | median)
copy_net=$(( copy_ms - copy_waits ))
cp_ms=$(echo "$cp_times" | median)
few_ports=$(awk '$2 == "ports" {print $3}' <<<"$ports_lines" | sort -n | head -1)
many_ports=$(awk '$2 == "ports" {print $3}' <<<"$ports_lines" | sort -n | tail -1)
few_ms=$(awk -v p="$few_ports" '$3 == p {print $7}' <<<"$ports_lines" | median)
many_ms=$(awk -v p="$many_ports" '$3 == p {print $7}' <<<"$ports_lines" | median)
size=$(stat -c %s "$build/setup.exe")
strip=$([ "$BUILD_KIND" = twin ] && echo x86_64-w64-mingw32-strip || echo i686-w64-mingw32-strip)
stripped=$($strip -o "$work/setup-stripped.exe" "$build/setup.exe" && stat -c %s "$work/setup-stripped.exe")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

echo
echo "setup.exe benchmarks (median of $runs runs; Wine $(wine --version 2>/dev/null), $(nproc) cores;"
echo "$BUILD_NOTE;"
echo "times seen by polling the windows about every 20 ms)"
printf '%-52s %s\n' "Start to exit page:" "$exit_ms ms"
printf '%-52s %s\n' "  of which the wizard's fixed waits:" "$fixed ms"
printf '%-52s %s\n' "  overhead (start to exit page minus the waits):" "$(( exit_ms - fixed )) ms, ratio to the waits $(ratio $(( exit_ms - fixed )) "$fixed")"
printf '%-52s %s\n' "Copy of 200 files, 50 MB, half compressed:" "$copy_net ms (copy dialog $copy_ms ms minus its $copy_waits ms of waits)"
printf '%-52s %s\n' "  cp of the same files to the same two places:" "$cp_ms ms"
printf '%-52s %s\n' "  ratio wizard / cp:" "$(ratio "$copy_net" "$cp_ms")"
printf '%-52s %s\n' "Port page, $few_ports ports (model Next to port page):" "$few_ms ms"
printf '%-52s %s\n' "Port page, $many_ports ports:" "$many_ms ms, ratio $(ratio "$many_ms" "$few_ms")"
printf '%-52s %s\n' "setup.exe size:" "$size bytes ($stripped stripped)"
printf '%-52s %s\n' "Peak memory of setup.exe (working set):" "$(( peak / 1024 )) KiB (pagefile $(( peak_pagefile / 1024 )) KiB)"
