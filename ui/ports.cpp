#include "ui.h"
#include "spooler/spooler_api.h"

#include <string.h>

/* The port list held by ReadPortList until FreePortList: while it is held,
   CountPorts and GetPortName answer from it instead of asking the spooler.
   HeldPorts is NULL (and HeldPortCount 0) when that reading failed. */
static int PortListHeld;
static HLOCAL HeldPorts;
static DWORD HeldPortCount;

/* Reads the level-1 port list into a fresh zero-filled block of the size the
   spooler asks for. Returns the block (to be freed with LocalFree) and the
   number of ports, or NULL when memory or the enumeration fails. */
static HLOCAL ReadPorts(DWORD *count)
{
    DWORD needed = 0;
    *count = 0;
    Spooler.EnumPortsA(NULL, 1, NULL, 0, &needed, count);
    HLOCAL block = LocalAlloc(LMEM_ZEROINIT, needed);
    if (!block)
        return NULL;
    DWORD size = needed;
    *count = 0;
    if (!Spooler.EnumPortsA(NULL, 1, (LPBYTE)block, size, &needed, count)) {
        LocalFree(block);
        return NULL;
    }
    return block;
}

void ReadPortList(void)
{
    FreePortList();
    HeldPorts = ReadPorts(&HeldPortCount);
    if (!HeldPorts)
        HeldPortCount = 0;
    PortListHeld = 1;
}

void FreePortList(void)
{
    if (HeldPorts)
        LocalFree(HeldPorts);
    HeldPorts = NULL;
    HeldPortCount = 0;
    PortListHeld = 0;
}

/* Number of the spooler's ports, 0 when they cannot be read. */
WORD CountPorts(void)
{
    if (PortListHeld)
        return (WORD)HeldPortCount;
    DWORD count;
    HLOCAL block = ReadPorts(&count);
    if (!block)
        return 0;
    LocalFree(block);
    return (WORD)count;
}

/* Writes the name of port `index` (at most 1023 characters) into the
   1024-byte buffer, from the held list or else from a fresh reading. The
   buffer stays untouched when the list cannot be read or has no such port. */
void GetPortName(WORD index, char *buffer)
{
    DWORD count = HeldPortCount;
    HLOCAL block = PortListHeld ? HeldPorts : ReadPorts(&count);
    if (!block)
        return;
    const PORT_INFO_1A *ports = (const PORT_INFO_1A *)block;
    if (index < count && ports[index].pName)
        lstrcpynA(buffer, ports[index].pName, 1024);
    if (!PortListHeld)
        LocalFree(block);
}
