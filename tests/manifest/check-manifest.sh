#!/usr/bin/env bash
# The application manifest: XML that Windows XP SP2 loads (no element with
# more than one namespace declaration, or XP SP2 and Server 2003 restart; no
# prefixes, so that every element that changes the namespace declares it
# itself; the Vista extensions declare theirs, or XP without updates
# refuses them), and what Wine's own parser reads from the program: a
# request for administrator rights without UI access, and DPI awareness.
# Usage: check-manifest.sh MANIFEST READ_MANIFEST.exe PROGRAM.exe BUILD_DIR
set -u
manifest=$1 reader=$2 program=$3 build=$4
python3 - "$manifest" <<'PYTHON' || exit 1
import sys
from xml.dom import minidom
root = minidom.parse(sys.argv[1]).documentElement
faults = []
if (root.tagName, root.getAttribute('xmlns'), root.getAttribute('manifestVersion')) != \
        ('assembly', 'urn:schemas-microsoft-com:asm.v1', '1.0'):
    faults.append('the root is no <assembly> of urn:schemas-microsoft-com:asm.v1, version 1.0')
def check(element):
    declared = [name for name in element.attributes.keys() if name.split(':')[0] == 'xmlns']
    if len(declared) > 1:
        faults.append(f'<{element.tagName}> declares {len(declared)} namespaces')
    if ':' in element.tagName or any(':' in name for name in declared):
        faults.append(f'<{element.tagName}> uses a namespace prefix')
    if element.tagName in ('trustInfo', 'application', 'compatibility') and not declared:
        faults.append(f'<{element.tagName}> does not declare its namespace itself')
    for child in element.childNodes:
        if child.nodeType == child.ELEMENT_NODE:
            check(child)
check(root)
print('\n'.join(faults))
sys.exit(1 if faults else 0)
PYTHON

here=$(cd "$(dirname "$0")/../.." && pwd)
"$here/tools/make-prefix.sh" "$build" || exit 1
. "$here/tools/wine-env.sh" "$build"
log="$build/manifest-wine.log"
WINEDEBUG=fixme+actctx wine "$reader" "$program" >"$log" 2>&1
cat "$log"
! grep -q "failed to parse manifest" "$log" || exit 1
# Run level 3 is requireAdministrator.
tr -d '\r' <"$log" | grep -qx "run level 3, UI access 0, dpiAware true"
