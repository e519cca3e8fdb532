#!/usr/bin/env python3
"""Checks that an application manifest is one that Windows XP SP2 loads.

Windows XP SP2 and Server 2003 restart on a manifest in which one element
declares more than one namespace (as the common <assembly xmlns=...
xmlns:asmv3=...> does), and Windows XP without updates refuses a Vista
extension (trustInfo, application, compatibility) that does not declare its
namespace itself. With no prefixes at all, every element that changes the
namespace declares it itself.
Usage: check_manifest.py MANIFEST; prints each fault, exit status 1 on any.
"""
import sys
from xml.dom import minidom

def faults_of(element):
    declared = [name for name in element.attributes.keys() if name.split(':')[0] == 'xmlns']
    if len(declared) > 1:
        yield f'<{element.tagName}> declares {len(declared)} namespaces'
    if ':' in element.tagName or any(':' in name for name in declared):
        yield f'<{element.tagName}> uses a namespace prefix'
    if element.tagName in ('trustInfo', 'application', 'compatibility') and not declared:
        yield f'<{element.tagName}> does not declare its namespace itself'
    for child in element.childNodes:
        if child.nodeType == child.ELEMENT_NODE:
            yield from faults_of(child)

root = minidom.parse(sys.argv[1]).documentElement
faults = list(faults_of(root))
if (root.tagName, root.getAttribute('xmlns'), root.getAttribute('manifestVersion')) != \
        ('assembly', 'urn:schemas-microsoft-com:asm.v1', '1.0'):
    faults.append('the root is no <assembly> of urn:schemas-microsoft-com:asm.v1, version 1.0')
for fault in faults:
    print(f'{sys.argv[1]}: {fault}')
sys.exit(1 if faults else 0)
