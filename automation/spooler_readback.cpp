#include "spooler_readback.h"
#include <string.h>

static char Environment[] = "Windows NT x86";
static wchar_t WideEnvironment[] = L"Windows NT x86";

/* A 32-bit process is a client of the wizard's environment itself. */
int OwnEnvironmentIsX86(void)
{
    return sizeof(void *) == 4;
}

static int AddFixtureDriver(const char *driver, LPSTR environment, const char *dependentFiles)
{
    DRIVER_INFO_3A driverInfo;
    ZeroMemory(&driverInfo, sizeof driverInfo);
    driverInfo.cVersion = 3;
    driverInfo.pName = (LPSTR)driver;
    driverInfo.pEnvironment = environment;
    driverInfo.pDriverPath = (LPSTR)"UNIDRV.DLL";
    driverInfo.pDataFile = (LPSTR)"KV_R52x.GPD";
    driverInfo.pConfigFile = (LPSTR)"UNIDRVUI.DLL";
    driverInfo.pDependentFiles = (LPSTR)dependentFiles;
    return AddPrinterDriverA(NULL, 3, (LPBYTE)&driverInfo) != 0;
}

int StageOwnEnvironmentDriver(const char *driver)
{
    return OwnEnvironmentIsX86() || AddFixtureDriver(driver, NULL, NULL);
}

void RemoveOwnEnvironmentDriver(const char *driver)
{
    if (!OwnEnvironmentIsX86())
        DeletePrinterDriverA(NULL, NULL, (LPSTR)driver);
}

int ReadX86DriverDirectory(char *directory, DWORD size)
{
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(NULL, Environment, 1, (LPBYTE)directory, size, &needed)) {
        directory[0] = '\0';
        return 0;
    }
    return 1;
}

int AddFixturePrinter(const char *printer, const char *driver, const char *port, const char *dependentFiles)
{
    if (!AddFixtureDriver(driver, Environment, dependentFiles))
        return 0;
    if (!printer)
        return 1;
    if (!StageOwnEnvironmentDriver(driver))
        return 0;
    PRINTER_INFO_2A printerInfo;
    ZeroMemory(&printerInfo, sizeof printerInfo);
    printerInfo.pPrinterName = (LPSTR)printer;
    printerInfo.pPortName = (LPSTR)port;
    printerInfo.pDriverName = (LPSTR)driver;
    printerInfo.pPrintProcessor = (LPSTR)"WinPrint";
    printerInfo.pDatatype = (LPSTR)"RAW";
    HANDLE handle = AddPrinterA(NULL, 2, (LPBYTE)&printerInfo);
    if (handle)
        ClosePrinter(handle);
    return handle != NULL;
}

void RemoveFixturePrinter(const char *printer, const char *driver)
{
    HANDLE handle = NULL;
    PRINTER_DEFAULTSA defaults = { NULL, NULL, PRINTER_ALL_ACCESS };
    if (printer && OpenPrinterA((LPSTR)printer, &handle, &defaults)) {
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
    DeletePrinterDriverA(NULL, Environment, (LPSTR)driver);
    RemoveOwnEnvironmentDriver(driver);
}

/* A block that grows as needed and is kept for the caller. */
static BYTE *Grow(BYTE **block, DWORD size)
{
    LocalFree(*block);
    return *block = (BYTE *)LocalAlloc(LPTR, size + 1);
}

const PRINTER_INFO_2W *ReadPrinterRecord(const wchar_t *name)
{
    static BYTE *block;
    HANDLE printer = NULL;
    if (!OpenPrinterW((LPWSTR)name, &printer, NULL))
        return NULL;
    DWORD needed = 0;
    GetPrinterW(printer, 2, NULL, 0, &needed);
    BOOL ok = needed && Grow(&block, needed) && GetPrinterW(printer, 2, block, needed, &needed);
    ClosePrinter(printer);
    return ok ? (const PRINTER_INFO_2W *)block : NULL;
}

const void *ReadDriverRecord(const wchar_t *name, DWORD level)
{
    static BYTE *block;
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(NULL, WideEnvironment, level, NULL, 0, &needed, &count);
    if (!needed || !Grow(&block, needed) ||
        !EnumPrinterDriversW(NULL, WideEnvironment, level, block, needed, &needed, &count))
        return NULL;
    size_t recordSize = level == 1 ? sizeof(DRIVER_INFO_1W) : level == 3 ? sizeof(DRIVER_INFO_3W)
                                                                          : sizeof(DRIVER_INFO_6W);
    for (DWORD i = 0; i < count; i++) {
        const BYTE *record = block + i * recordSize;
        /* pName follows cVersion in levels 3 and 6; it leads in level 1. */
        const wchar_t *recordName = level == 1 ? ((const DRIVER_INFO_1W *)record)->pName
                                               : ((const DRIVER_INFO_3W *)record)->pName;
        if (recordName && wcscmp(recordName, name) == 0)
            return record;
    }
    return NULL;
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
    wchar_t wide[1024];
    if (!MultiByteToWideChar(CP_ACP, 0, name, -1, wide, sizeof wide / sizeof wide[0]))
        return 0;
    return ReadDriverRecord(wide, 1) != NULL;
}
