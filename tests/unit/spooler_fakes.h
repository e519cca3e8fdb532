/*
 * Printers and drivers made in Wine's real spooler by the tests, and the
 * questions the tests ask it. Wine takes a driver whose bare file names are
 * missing from the driver directory, so no files are needed.
 */
#ifndef SPOOLER_FIXTURES_H
#define SPOOLER_FIXTURES_H

#include <windows.h>
#include <winspool.h>
#include <string.h>
#include "shell/setup_state.h"

/* Adds a driver named `driver` and a printer named `printer` on it. */
inline int AddFixturePrinter(const char *printer, const char *driver, const char *port)
{
    DRIVER_INFO_3A driverInfo;
    ZeroMemory(&driverInfo, sizeof driverInfo);
    driverInfo.cVersion = 3;
    driverInfo.pName = (LPSTR)driver;
    driverInfo.pEnvironment = (LPSTR)SetupEnvironment;
    driverInfo.pDriverPath = (LPSTR)"UNIDRV.DLL";
    driverInfo.pDataFile = (LPSTR)"KV_R52x.GPD";
    driverInfo.pConfigFile = (LPSTR)"UNIDRVUI.DLL";
    if (!AddPrinterDriverA(NULL, 3, (LPBYTE)&driverInfo))
        return 0;
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

/* Deletes the printer, when there is one, then the driver. */
inline void RemoveFixturePrinter(const char *printer, const char *driver)
{
    HANDLE handle = NULL;
    PRINTER_DEFAULTSA defaults = { NULL, NULL, PRINTER_ALL_ACCESS };
    if (OpenPrinterA((LPSTR)printer, &handle, &defaults)) {
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
    DeletePrinterDriverA(NULL, (LPSTR)SetupEnvironment, (LPSTR)driver);
}

inline int PrinterExists(const char *name)
{
    HANDLE printer = NULL;
    if (!OpenPrinterA((LPSTR)name, &printer, NULL))
        return 0;
    ClosePrinter(printer);
    return 1;
}

/* 1 when a driver of exactly that name is registered for the environment. */
inline int DriverRegistered(const char *name)
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

#endif
