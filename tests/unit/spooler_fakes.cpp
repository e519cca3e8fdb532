#include "spooler_fakes.h"
#include <string.h>
#include "spooler/spooler_api.h"

SpoolerCalls Calls;

/* Fails with `error` as the last error when it is not 0. */
static int Refused(DWORD error)
{
    if (error)
        SetLastError(error);
    return error != 0;
}

static BOOL WINAPI RecordOpen(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)
{
    Calls.opens++;
    Calls.hadDefaults = defaults != NULL;
    Calls.access = defaults ? defaults->DesiredAccess : 0;
    if (Refused(Calls.refuseOpen)) {
        *printer = NULL;
        return FALSE;
    }
    return OpenPrinterA(name, printer, defaults);
}

static BOOL WINAPI RecordClose(HANDLE printer)
{
    Calls.closes++;
    return ClosePrinter(printer);
}

static BOOL WINAPI RecordPrinterDelete(HANDLE printer)
{
    Calls.printerDeletes++;
    return !Refused(Calls.refusePrinterDelete) && DeletePrinter(printer);
}

static BOOL WINAPI RecordDriverDelete(LPSTR server, LPSTR environment, LPSTR driver)
{
    Calls.driverDeletes++;
    return !Refused(Calls.refuseDriverDelete) && DeletePrinterDriverA(server, environment, driver);
}

static BOOL WINAPI RecordEnumeration(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer, DWORD size,
                                     LPDWORD needed, LPDWORD count)
{
    Calls.enumerations++;
    return !(buffer && Refused(Calls.refuseEnumeration)) &&
           EnumPrinterDriversA(server, environment, level, buffer, size, needed, count);
}

static BOOL WINAPI RecordDriverAdd(LPSTR server, DWORD level, LPBYTE info)
{
    Calls.driverAdds++;
    return !Refused(Calls.refuseDriverAdd) && AddPrinterDriverA(server, level, info);
}

static HANDLE WINAPI RecordPrinterAdd(LPSTR server, DWORD level, LPBYTE info)
{
    Calls.printerAdds++;
    return Refused(Calls.refusePrinterAdd) ? NULL : AddPrinterA(server, level, info);
}

void RecordSpoolerCalls(void)
{
    ZeroMemory(&Calls, sizeof Calls);
    Spooler.OpenPrinterA = RecordOpen;
    Spooler.ClosePrinter = RecordClose;
    Spooler.DeletePrinter = RecordPrinterDelete;
    Spooler.DeletePrinterDriverA = RecordDriverDelete;
    Spooler.EnumPrinterDriversA = RecordEnumeration;
    Spooler.AddPrinterDriverA = RecordDriverAdd;
    Spooler.AddPrinterA = RecordPrinterAdd;
}

static const char *const *FakePorts;
static int FakePortCount;
int FakePortCalls;

static BOOL WINAPI EnumFakePorts(LPSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD count)
{
    FakePortCalls++;
    if (level != 1)
        return FALSE;
    DWORD bytes = FakePortCount * sizeof(PORT_INFO_1A);
    for (int i = 0; i < FakePortCount; i++)
        bytes += (DWORD)strlen(FakePorts[i]) + 1;
    *needed = bytes;
    *count = 0;
    if (size < bytes || !buffer) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PORT_INFO_1A *ports = (PORT_INFO_1A *)buffer;
    char *text = (char *)(ports + FakePortCount);
    for (int i = 0; i < FakePortCount; i++) {
        strcpy(text, FakePorts[i]);
        ports[i].pName = text;
        text += strlen(text) + 1;
    }
    *count = FakePortCount;
    return TRUE;
}

void UseFakePorts(const char *const *ports, int count)
{
    FakePorts = ports;
    FakePortCount = count;
    FakePortCalls = 0;
    Spooler.EnumPortsA = EnumFakePorts;
}
