#include "spooler_fakes.h"
#include <string.h>
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"

int AddFixturePrinter(const char *printer, const char *driver, const char *port, const char *dependentFiles)
{
    DRIVER_INFO_3A driverInfo;
    ZeroMemory(&driverInfo, sizeof driverInfo);
    driverInfo.cVersion = 3;
    driverInfo.pName = (LPSTR)driver;
    driverInfo.pEnvironment = (LPSTR)SetupEnvironment;
    driverInfo.pDriverPath = (LPSTR)"UNIDRV.DLL";
    driverInfo.pDataFile = (LPSTR)"KV_R52x.GPD";
    driverInfo.pConfigFile = (LPSTR)"UNIDRVUI.DLL";
    driverInfo.pDependentFiles = (LPSTR)dependentFiles;
    if (!AddPrinterDriverA(NULL, 3, (LPBYTE)&driverInfo))
        return 0;
    if (!printer)
        return 1;
    PRINTER_INFO_2A printerInfo;
    ZeroMemory(&printerInfo, sizeof printerInfo);
    printerInfo.pPrinterName = (LPSTR)printer;
    printerInfo.pPortName = (LPSTR)port;
    printerInfo.pDriverName = (LPSTR)driver;
    printerInfo.pPrintProcessor = (LPSTR)"WinPrint";
    printerInfo.pDatatype = (LPSTR)"RAW";
    HANDLE handle = AddPrinterA(NULL, 2, (LPBYTE)&printerInfo);
    if (!handle)
        return 0;
    ClosePrinter(handle);
    return 1;
}

void RemoveFixturePrinter(const char *printer, const char *driver)
{
    HANDLE handle = NULL;
    PRINTER_DEFAULTSA defaults = { NULL, NULL, PRINTER_ALL_ACCESS };
    if (OpenPrinterA((LPSTR)printer, &handle, &defaults)) {
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
    DeletePrinterDriverA(NULL, (LPSTR)SetupEnvironment, (LPSTR)driver);
}

int PrinterExists(const char *name)
{
    HANDLE printer = NULL;
    if (!OpenPrinterA((LPSTR)name, &printer, NULL))
        return 0;
    ClosePrinter(printer);
    return 1;
}

int DriverRegistered(const char *name)
{
    DWORD needed = 0, count = 0;
    EnumPrinterDriversA(NULL, (LPSTR)SetupEnvironment, 1, NULL, 0, &needed, &count);
    BYTE *buffer = (BYTE *)LocalAlloc(LPTR, needed + 1);
    int found = 0;
    if (buffer && EnumPrinterDriversA(NULL, (LPSTR)SetupEnvironment, 1, buffer, needed, &needed, &count)) {
        DRIVER_INFO_1A *drivers = (DRIVER_INFO_1A *)buffer;
        for (DWORD i = 0; i < count && !found; i++)
            found = strcmp(drivers[i].pName, name) == 0;
    }
    LocalFree(buffer);
    return found;
}

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
