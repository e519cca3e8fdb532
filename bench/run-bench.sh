#!/usr/bin/env bash
# Benchmarks of setup.exe under Wine, each printed with its baseline measured
# in the same run, the ratio and the goal; no figure passes or fails the
# script. Runs in its own prefix (build/benchprefix) under Xvfb when no
# DISPLAY is set.
#  - start to exit page beyond the wizard's fixed waits, the test driver's
#    clicks and the start of an empty Win32 program (bench/empty);
#  - the copy of 200 files, 50 MB, half LZ-compressed, against cp of the
#    plain half to the same two places (the driver directory and its "3")
#    plus msexpand of the compressed half, and against cp alone;
#  - the port page with 1,000 ports against the page with the prefix's 8;
#  - peak private memory against the empty program's, and the size of
#    setup.exe.
# Where the machine runs no 32-bit code (or with KEST_TWIN=1) it measures
# the 64-bit twin of the same sources under wine64, and says so.
# Usage: bench/run-bench.sh   (BENCH_RUNS=N runs of each, default 3; the
# msexpand baseline, most of a minute, is measured once)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
tools/ensure-packages.sh
. tools/which-build.sh "$root/build" measuring
echo "run-bench.sh: $BUILD_NOTE"
build="$RUN_BUILD"
work="$build/bench"
runs=${BENCH_RUNS:-3}
export BENCH_RUNS=$runs
mkdir -p "$work"

# The 200-file package: B000-B099 compressed (under their plain names),
# B100-B199 plain. mscompress writes one byte per system call, so the
# package is made while the programs are built and the prefix is made.
package="$work/package200"
make_package() {
  rm -rf "$package"
  python3 bench/make-package.py "$package" 200 250000
  for i in $(seq -w 0 99); do
    mscompress "$package/B0$i" && mv "$package/B0${i}_" "$package/B0$i"
  done
}
make_package >"$work/package.log" 2>&1 &
package_job=$!

arch=$([ "$BUILD_KIND" = twin ] && echo x86_64 || echo i686)
tools/build.sh "$build" "$arch" bench >/dev/null
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
if ! wait "$package_job"; then
  cat "$work/package.log" >&2
  echo "bench: the benchmark package could not be made" >&2
  exit 1
fi

bench() { # scenario [e2e options...]
  local log="$work/$1.log"
  if ! wine "$build/bench/bench.exe" "$@" --setup="$build/setup.exe" >"$log" 2>&1; then
    cat "$log" >&2
    echo "bench: $1 failed" >&2
    exit 1
  fi
  grep '^BENCH' "$log" | tr -d '\r'
}
empty_lines=$(bench bench_empty)
install_lines=$(bench bench_install --sample="$root/sample")
ports_lines=$(bench bench_ports --sample="$root/sample")
copy_lines=$(bench bench_copy --sample="$package")

# The copy's baselines, into the same two places: cp of all 200 files as
# they are (every run), and cp of the plain half plus msexpand of the
# compressed half into the directory and cp of the result into "3" (once).
drivers="$WINEPREFIX/drive_c/windows/system32/spool/drivers/w32x86"
clear_copies() { rm -f "$drivers"/B??? "$drivers"/3/B???; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
cp_times=""
for _ in $(seq "$runs"); do
  start=$(now_ms)
  cp "$package"/B??? "$drivers/"
  cp "$package"/B??? "$drivers/3/"
  sync -f "$drivers"
  cp_times="$cp_times $(( $(now_ms) - start ))"
  clear_copies
done
start=$(now_ms)
cp "$package"/B1?? "$drivers/"
cp "$package"/B1?? "$drivers/3/"
for file in "$package"/B0??; do
  msexpand <"$file" >"$drivers/${file##*/}"
done
cp "$drivers"/B0?? "$drivers/3/"
sync -f "$drivers"
expand_ms=$(( $(now_ms) - start ))
clear_copies

median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
field() { # lines name: the values following "name" on the lines
  awk -v name="$2" '{for (i = 1; i < NF; i++) if ($i == name) print $(i + 1)}' <<<"$1"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "n/a" }'; }
verdict() { # value limit: "met" when value <= limit
  awk -v a="$1" -v b="$2" 'BEGIN { print (a != "n/a" && a + 0 <= b + 0) ? "met" : "NOT met" }'
}

fixed=$(field "$install_lines" fixed_waits_ms | head -1)
exit_ms=$(field "$install_lines" exit_page_ms | median)
driver_ms=$(field "$install_lines" driver_ms | median)
empty_start=$(field "$(grep '^BENCH empty ' <<<"$empty_lines")" start_ms | median)
overhead=$(( exit_ms - fixed - driver_ms - empty_start ))
overhead_ratio=$(ratio "$overhead" "$fixed")

copy_waits=$(field "$copy_lines" copy_waits_ms | head -1)
copy_net=$(( $(field "$copy_lines" copy_ms | median) - copy_waits ))
cp_ms=$(echo "$cp_times" | median)
copy_ratio=$(ratio "$copy_net" "$expand_ms")

few_ports=$(awk '$2 == "ports" {print $3}' <<<"$ports_lines" | sort -n | head -1)
many_ports=$(awk '$2 == "ports" {print $3}' <<<"$ports_lines" | sort -n | tail -1)
few_ms=$(awk -v p="$few_ports" '$3 == p {print $7}' <<<"$ports_lines" | median)
many_ms=$(awk -v p="$many_ports" '$3 == p {print $7}' <<<"$ports_lines" | median)
ports_ratio=$(ratio "$many_ms" "$few_ms")
ports_verdict=$(verdict "$ports_ratio" 10)
[ "$many_ms" -lt 1000 ] || ports_verdict="NOT met"

peak=$(field "$install_lines" peak_pagefile | median)
plain_empty=$(grep '^BENCH empty ' <<<"$empty_lines")
empty_peak=$(field "$plain_empty" peak_pagefile | median)
imports_peak=$(field "$(grep '^BENCH empty_imports ' <<<"$empty_lines")" peak_pagefile | median)
working_set=$(field "$install_lines" peak_working_set | median)
empty_working_set=$(field "$plain_empty" peak_working_set | median)
above_kib=$(( (peak - empty_peak) / 1024 ))

size=$(stat -c %s "$build/setup.exe")
strip=$([ "$BUILD_KIND" = twin ] && echo x86_64-w64-mingw32-strip || echo i686-w64-mingw32-strip)
stripped=$($strip -o "$work/setup-stripped.exe" "$build/setup.exe" && stat -c %s "$work/setup-stripped.exe")
cpu=$(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo)
bits=$([ "$RUNS_32BIT" = 1 ] && echo "runs 32-bit code" || echo "runs no 32-bit code")

echo
echo "setup.exe benchmarks, $(date '+%Y-%m-%d %H:%M'), median of $runs runs"
echo "machine: $cpu, $(nproc) cores, $(uname -m), $bits; load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
echo "build: $BUILD_NOTE"
echo "Wine: $(wine --version 2>/dev/null); times seen by polling the windows about every 20 ms"
echo
printf '%-58s %s\n' "Start to exit page:" "$exit_ms ms"
printf '%-58s %s\n' "  the wizard's fixed waits:" "$fixed ms"
printf '%-58s %s\n' "  the test driver's clicks (pages waiting for them):" "$driver_ms ms"
printf '%-58s %s\n' "  start of an empty Win32 program (to its window):" "$empty_start ms"
printf '%-58s %s\n' "  beyond all of those:" "$overhead ms, ratio to the waits $overhead_ratio (goal <= 0.05: $(verdict "$overhead_ratio" 0.05))"
printf '%-58s %s\n' "Copy of 200 files, 50 MB, half compressed:" "$copy_net ms (the copy dialog's time minus its $copy_waits ms of waits)"
printf '%-58s %s\n' "  cp of the plain half and msexpand of the other:" "$expand_ms ms, ratio $copy_ratio (goal <= 2: $(verdict "$copy_ratio" 2))"
printf '%-58s %s\n' "  cp of all 200 files as they are:" "$cp_ms ms, ratio $(ratio "$copy_net" "$cp_ms")"
printf '%-58s %s\n' "Port page, $few_ports ports (model Next to port page):" "$few_ms ms"
printf '%-58s %s\n' "Port page, $many_ports ports:" "$many_ms ms, ratio $ports_ratio (goal < 1000 ms and <= 10: $ports_verdict)"
printf '%-58s %s\n' "Peak private memory of setup.exe:" "$(( peak / 1024 )) KiB (working set $(( working_set / 1024 )) KiB)"
printf '%-58s %s\n' "  of the empty Win32 program:" "$(( empty_peak / 1024 )) KiB (working set $(( empty_working_set / 1024 )) KiB)"
printf '%-58s %s\n' "  setup.exe above it:" "$above_kib KiB (goal <= 2048 KiB: $(verdict "$above_kib" 2048))"
printf '%-58s %s\n' "  of the empty program importing winspool and lz32 too:" "$(( imports_peak / 1024 )) KiB; setup.exe above it: $(( (peak - imports_peak) / 1024 )) KiB"
printf '%-58s %s\n' "setup.exe size:" "$size bytes ($stripped stripped)"
