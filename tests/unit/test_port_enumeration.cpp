/*
 * CountPorts and GetPortName against Wine's port list, and through the seam
 * when the enumeration fails or gives a name longer than the buffer.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"
#include "ui/ui.h"

static std::string PortName(WORD index)
{
    char name[1024];
    lstrcpyA(name, "<untouched>");
    GetPortName(index, name);
    return name;
}

TEST_CASE("the ports are Wine's, in the spooler's order")
{
    DWORD needed = 0, count = 0;
    EnumPortsA(NULL, 1, NULL, 0, &needed, &count);
    std::string block(needed, '\0');
    REQUIRE(EnumPortsA(NULL, 1, (LPBYTE)&block[0], needed, &needed, &count));
    const PORT_INFO_1A *ports = (const PORT_INFO_1A *)block.data();

    REQUIRE(CountPorts() == count);
    int seenLpt1 = 0, seenFile = 0;
    for (WORD i = 0; i < count; i++) {
        std::string name = PortName(i);
        CHECK(name == ports[i].pName);
        seenLpt1 |= name == "LPT1:";
        seenFile |= name == "FILE:";
    }
    CHECK(seenLpt1);
    CHECK(seenFile);
    CHECK(PortName((WORD)count) == "<untouched>");
}

static int Enumerations;

static BOOL WINAPI RefusePorts(LPSTR server, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                               LPDWORD count)
{
    Enumerations++;
    if (!buffer)
        return EnumPortsA(server, level, buffer, size, needed, count);
    SetLastError(ERROR_OUTOFMEMORY);
    return FALSE;
}

TEST_CASE("a failed enumeration gives no ports and leaves the buffer untouched")
{
    Enumerations = 0;
    Spooler.EnumPortsA = RefusePorts;
    CHECK(CountPorts() == 0);
    CHECK(PortName(0) == "<untouched>");
    ResetSpoolerApi();
    CHECK(Enumerations == 4);
}

TEST_CASE("a port name is cut to 1023 characters")
{
    static char longName[1501];
    memset(longName, 'P', 1500);
    const char *ports[] = { longName };
    UseFakePorts(ports, 1);
    CHECK(CountPorts() == 1);
    char buffer[1100];
    memset(buffer, 'x', sizeof buffer);
    GetPortName(0, buffer);
    ResetSpoolerApi();
    CHECK(strlen(buffer) == 1023);
    CHECK(buffer[1024] == 'x');
}
