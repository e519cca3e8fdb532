#!/usr/bin/env bash
# Proves from the PE header alone that a program can load on Windows 2000:
# Wine loads programs that Windows 2000 would refuse, so running is no proof.
# Usage: check_imports.sh PROGRAM.exe [ALLOWLIST]
# Fails (exit 1, one line per fault) on
#  - a subsystem version above 5.0 ("not a valid Win32 application"),
#  - a DLL other than KERNEL32, USER32, GDI32, ADVAPI32 and msvcrt, the
#    ones every supported Windows takes from its system folder (a DLL
#    imported at load time is otherwise looked for in the program's folder
#    first: the spooler and LZ libraries are loaded at run time by full path),
#  - an import by ordinal or a delay-load import (neither can be checked by
#    name),
#  - a function missing from the allowlist of functions that Windows 2000
#    exports (default: win2000-exports.txt beside this script).
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?usage: check_imports.sh PROGRAM.exe [ALLOWLIST]}
allowlist=${2:-$here/win2000-exports.txt}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

headers=$("$objdump" -p "$program" 2>&1) || {
  echo "$program: objdump failed: $headers"
  exit 1
}

awk -v program="$program" '
  BEGIN {
    split("KERNEL32 USER32 GDI32 ADVAPI32 MSVCRT", names, " ")
    for (i in names) dlls[names[i]] = 1
  }
  # The allowlist: "[DLL]" starts a section, then one function per line.
  FNR == NR {
    sub(/#.*/, "")
    gsub(/[ \t\r]+/, "")
    if ($0 == "") next
    if ($0 ~ /^\[.*\]$/) { section = toupper(substr($0, 2, length($0) - 2)); next }
    allowed[section "!" $0] = 1
    next
  }
  /^MajorSubsystemVersion/ { major = $2 + 0; seenVersion = 1 }
  /^MinorSubsystemVersion/ { minor = $2 + 0 }
  /Delay Import Directory/ && $3 != "00000000" {
    print program ": has delay-load imports, which this check cannot verify"; bad = 1
  }
  /^[ \t]*DLL Name:/ {
    dll = toupper($3); sub(/\.DLL$/, "", dll)
    if (!(dll in dlls)) {
      print program ": imports " $3 ", not one of KERNEL32, USER32, GDI32, ADVAPI32, msvcrt"; bad = 1
    }
    inDll = 1; next
  }
  /^[ \t]*vma:/ { next }
  /^[ \t]*$/ { next }
  # Import lines: "<hint rva> <hint> <name>"; an ordinal import has no name.
  inDll && /^\t[0-9a-f]+\t/ {
    imports++
    if (NF < 3) { print program ": imports ordinal " $2 " from " dll; bad = 1; next }
    if (!((dll "!" $3) in allowed)) {
      print program ": " dll " " $3 " is not in the Windows 2000 allowlist"; bad = 1
    }
    next
  }
  !/^\t/ { inDll = 0 }
  END {
    if (!seenVersion) { print program ": no PE optional header found"; exit 1 }
    if (major > 5 || (major == 5 && minor > 0)) {
      print program ": subsystem version " major "." minor " is above 5.0"; bad = 1
    }
    if (!imports) { print program ": no imports found"; bad = 1 }
    exit bad
  }
' "$allowlist" - <<<"$headers"
