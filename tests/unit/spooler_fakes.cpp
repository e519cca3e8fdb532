#include "spooler_fakes.h"
#include <stdio.h>
#include <string.h>
#include "spooler/spooler_api.h"
#include "test_support.h"

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
    *printer = NULL;
    return Calls.openGivesNoHandle || (!Refused(Calls.refuseOpen) && OpenPrinterA(name, printer, defaults));
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
    Calls.deleteEnvironment = Text(environment);
    return !Refused(Calls.refuseDriverDelete) && DeletePrinterDriverA(server, environment, driver);
}

static BOOL WINAPI RecordEnumeration(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer, DWORD size,
                                     LPDWORD needed, LPDWORD count)
{
    Calls.enumerations++;
    Calls.enumEnvironment = Text(environment);
    return !(buffer && Refused(Calls.refuseEnumeration)) &&
           EnumPrinterDriversA(server, environment, level, buffer, size, needed, count);
}

static BOOL WINAPI RecordDirectory(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer, DWORD size,
                                   LPDWORD needed)
{
    Calls.directoryEnvironment = Text(environment);
    *needed = 0;
    return !Refused(Calls.refuseDirectory) && GetPrinterDriverDirectoryA(server, environment, level, buffer, size, needed);
}

static BOOL WINAPI RecordDriverAdd(LPSTR server, DWORD level, LPBYTE info)
{
    Calls.driverAdds++;
    const DRIVER_INFO_6A *d = (const DRIVER_INFO_6A *)info;
    char numbers[128];
    snprintf(numbers, sizeof numbers, "server %s level %lu cVersion %lu date %08lX:%08lX version %llu\n",
             server ? "given" : "NULL", (unsigned long)level, (unsigned long)d->cVersion,
             (unsigned long)d->ftDriverDate.dwHighDateTime, (unsigned long)d->ftDriverDate.dwLowDateTime,
             (unsigned long long)d->dwlDriverVersion);
    Calls.driverRecord = numbers + ("name " + Text(d->pName)) + "\nenvironment " + Text(d->pEnvironment) +
                         "\ndriver " + Text(d->pDriverPath) + "\ndata " + Text(d->pDataFile) + "\nconfig " +
                         Text(d->pConfigFile) + "\nhelp " + Text(d->pHelpFile) + "\ndependent " +
                         Names(d->pDependentFiles) + "\nmonitor " + Text(d->pMonitorName) + "\ndata type " +
                         Text(d->pDefaultDataType) + "\nprevious " + Names(d->pszzPreviousNames) +
                         "\nmanufacturer " + Text(d->pszMfgName) + "\nurl " + Text(d->pszOEMUrl) +
                         "\nhardware id " + Text(d->pszHardwareID) + "\nprovider " + Text(d->pszProvider) + "\n";
    return !Refused(Calls.refuseDriverAdd) && AddPrinterDriverA(server, level, info);
}

static HANDLE WINAPI RecordPrinterAdd(LPSTR server, DWORD level, LPBYTE info)
{
    Calls.printerAdds++;
    PRINTER_INFO_2A p = *(const PRINTER_INFO_2A *)info, zero = {};
    Calls.printerRecord = std::string(server ? "server given" : "server NULL") + " level " + std::to_string(level) +
                          "\nname " + Text(p.pPrinterName) + "\nport " + Text(p.pPortName) + "\ndriver " +
                          Text(p.pDriverName) + "\nprocessor " + Text(p.pPrintProcessor) + "\ndata type " +
                          Text(p.pDatatype) + "\nattributes " + std::to_string(p.Attributes) + "\n";
    const char *name = p.pPrinterName;
    p.pPrinterName = p.pPortName = p.pDriverName = p.pPrintProcessor = p.pDatatype = NULL;
    p.Attributes = 0;
    Calls.printerRecord += memcmp(&p, &zero, sizeof p) ? "other fields set\n" : "";
    if (Refused(Calls.refusePrinterAdd) || (name && PrinterExists(name) && Refused(ERROR_PRINTER_ALREADY_EXISTS)))
        return NULL;
    return AddPrinterA(server, level, info);
}

static BOOL WINAPI RecordGetPrinter(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed)
{
    RecordFault fault = buffer ? Calls.recordFault : RECORD_WHOLE;
    BOOL result = fault != RECORD_REFUSED && GetPrinterA(printer, level, buffer, size, needed);
    if (!buffer && Calls.recordFault == RECORD_SIZE_ZERO)
        *needed = 0;
    if (fault == RECORD_NO_DRIVER)
        ((PRINTER_INFO_2A *)buffer)->pDriverName = NULL;
    if (fault == RECORD_NO_PORT)
        ((PRINTER_INFO_2A *)buffer)->pPortName = NULL;
    return result;
}

void RecordSpoolerCalls(void)
{
    Calls = SpoolerCalls();
    Spooler.OpenPrinterA = RecordOpen;
    Spooler.ClosePrinter = RecordClose;
    Spooler.DeletePrinter = RecordPrinterDelete;
    Spooler.DeletePrinterDriverA = RecordDriverDelete;
    Spooler.EnumPrinterDriversA = RecordEnumeration;
    Spooler.GetPrinterDriverDirectoryA = RecordDirectory;
    Spooler.AddPrinterDriverA = RecordDriverAdd;
    Spooler.AddPrinterA = RecordPrinterAdd;
    Spooler.GetPrinterA = RecordGetPrinter;
}

static const char *const *FakePorts;
static int FakePortCount;

static BOOL WINAPI EnumFakePorts(LPSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD count)
{
    DWORD bytes = FakePortCount * sizeof(PORT_INFO_1A);
    for (int i = 0; i < FakePortCount; i++)
        bytes += (DWORD)strlen(FakePorts[i]) + 1;
    *needed = bytes;
    *count = 0;
    if (level != 1 || !buffer || size < bytes) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PORT_INFO_1A *ports = (PORT_INFO_1A *)buffer;
    char *text = (char *)(ports + FakePortCount);
    for (int i = 0; i < FakePortCount; i++) {
        ports[i].pName = strcpy(text, FakePorts[i]);
        text += strlen(text) + 1;
    }
    *count = FakePortCount;
    return TRUE;
}

void UseFakePorts(const char *const *ports, int count)
{
    FakePorts = ports;
    FakePortCount = count;
    Spooler.EnumPortsA = EnumFakePorts;
}
