/*
 * Removal of an earlier installation against Wine's spooler, with the
 * refusals Wine never gives (a printer that will not go, a driver in use)
 * made through the spooler seam.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "spooler/spooler_api.h"

static const char Model[] = "Catalogue Removal KV-R5 Test";

static void AddDriver(const char *name)
{
    DRIVER_INFO_3A driver;
    ZeroMemory(&driver, sizeof driver);
    driver.cVersion = 3;
    driver.pName = (LPSTR)name;
    driver.pEnvironment = (LPSTR)SetupState.Environment;
    driver.pDriverPath = (LPSTR)"UNIDRV.DLL";
    driver.pDataFile = (LPSTR)"KV_R52x.GPD";
    driver.pConfigFile = (LPSTR)"UNIDRVUI.DLL";
    REQUIRE(AddPrinterDriverA(NULL, 3, (LPBYTE)&driver));
}

static void AddPrinterOf(const char *name)
{
    PRINTER_INFO_2A printer;
    ZeroMemory(&printer, sizeof printer);
    printer.pPrinterName = (LPSTR)name;
    printer.pPortName = (LPSTR)"LPT1:";
    printer.pDriverName = (LPSTR)name;
    printer.pPrintProcessor = (LPSTR)"WinPrint";
    printer.pDatatype = (LPSTR)"RAW";
    HANDLE handle = AddPrinterA(NULL, 2, (LPBYTE)&printer);
    REQUIRE(handle);
    ClosePrinter(handle);
}

static int PrinterExists(const char *name)
{
    HANDLE printer = NULL;
    if (!OpenPrinterA((LPSTR)name, &printer, NULL))
        return 0;
    ClosePrinter(printer);
    return 1;
}

static int DriverRegistered(const char *name)
{
    DWORD needed = 0, count = 0;
    EnumPrinterDriversA(NULL, (LPSTR)SetupState.Environment, 1, NULL, 0, &needed, &count);
    std::string block(needed + 1, '\0');
    if (!EnumPrinterDriversA(NULL, (LPSTR)SetupState.Environment, 1, (LPBYTE)&block[0], needed,
                             &needed, &count))
        return 0;
    const DRIVER_INFO_1A *drivers = (const DRIVER_INFO_1A *)block.data();
    for (DWORD i = 0; i < count; i++)
        if (strcmp(drivers[i].pName, name) == 0)
            return 1;
    return 0;
}

static void Clean(void)
{
    HANDLE printer = NULL;
    if (OpenPrinterA((LPSTR)Model, &printer, NULL)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    DeletePrinterDriverA(NULL, (LPSTR)SetupState.Environment, (LPSTR)Model);
}

/* Calls seen through the seam; the real functions run unless told. */
static struct {
    int opens, closes, printerDeletes, driverDeletes, enumerations;
    int refusePrinterDelete, refuseDriverDelete, refuseEnumeration;
    ACCESS_MASK access;
    int hadDefaults;
} Calls;

static BOOL WINAPI CountOpen(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)
{
    Calls.opens++;
    Calls.hadDefaults = defaults != NULL;
    if (defaults) {
        Calls.access = defaults->DesiredAccess;
        CHECK(defaults->pDatatype == NULL);
        CHECK(defaults->pDevMode == NULL);
    }
    return OpenPrinterA(name, printer, defaults);
}

static BOOL WINAPI CountClose(HANDLE printer)
{
    Calls.closes++;
    return ClosePrinter(printer);
}

static BOOL WINAPI CountPrinterDelete(HANDLE printer)
{
    Calls.printerDeletes++;
    if (Calls.refusePrinterDelete) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return DeletePrinter(printer);
}

static BOOL WINAPI CountDriverDelete(LPSTR server, LPSTR environment, LPSTR driver)
{
    Calls.driverDeletes++;
    CHECK(server == NULL);
    CHECK(std::string(environment) == "Windows NT x86");
    if (Calls.refuseDriverDelete) {
        SetLastError(ERROR_PRINTER_DRIVER_IN_USE);
        return FALSE;
    }
    return DeletePrinterDriverA(server, environment, driver);
}

static BOOL WINAPI CountEnumeration(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer,
                                    DWORD size, LPDWORD needed, LPDWORD count)
{
    Calls.enumerations++;
    CHECK(level == 1);
    if (Calls.refuseEnumeration && buffer) {
        SetLastError(ERROR_OUTOFMEMORY);
        return FALSE;
    }
    return EnumPrinterDriversA(server, environment, level, buffer, size, needed, count);
}

static void Watch(void)
{
    ZeroMemory(&Calls, sizeof Calls);
    Spooler.OpenPrinterA = CountOpen;
    Spooler.ClosePrinter = CountClose;
    Spooler.DeletePrinter = CountPrinterDelete;
    Spooler.DeletePrinterDriverA = CountDriverDelete;
    Spooler.EnumPrinterDriversA = CountEnumeration;
}

TEST_CASE("with no model selected nothing is looked up or deleted")
{
    Clean();
    AddDriver(Model);
    AddPrinterOf(Model);
    const char *items[] = { Model, NULL };
    HWND page = MakeModelPage(items, -1);
    lstrcpyA(SetupState.ModelName, "kept");
    Watch();
    CHECK(DriverExists(page) == 0);
    DeleteStalePrinter(page);
    ResetSpoolerApi();
    CHECK(Calls.opens + Calls.enumerations + Calls.printerDeletes == 0);
    CHECK(std::string(SetupState.ModelName) == "kept");
    CHECK(PrinterExists(Model));
    DestroyWindow(page);
    Clean();
}

TEST_CASE("DriverExists matches the driver name exactly, letter case included")
{
    Clean();
    AddDriver(Model);
    char otherCase[sizeof Model];
    lstrcpyA(otherCase, Model);
    CharUpperA(otherCase);
    static const struct { const char *item; int found; } cases[] = {
        { Model, 1 }, { otherCase, 0 }, { "Catalogue Removal", 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.item);
        const char *items[] = { c.item, NULL };
        HWND page = MakeModelPage(items, 0);
        CHECK(DriverExists(page) == c.found);
        CHECK(std::string(SetupState.ModelName) == c.item);
        DestroyWindow(page);
    }
    /* A driver list that cannot be read finds nothing. */
    const char *items[] = { Model, NULL };
    HWND page = MakeModelPage(items, 0);
    Watch();
    Calls.refuseEnumeration = 1;
    CHECK(DriverExists(page) == 0);
    ResetSpoolerApi();
    DestroyWindow(page);
    Clean();
}

TEST_CASE("DeleteStalePrinter deletes the printer of the selected model with default access")
{
    Clean();
    AddDriver(Model);
    AddPrinterOf(Model);
    const char *items[] = { "Another model", Model, NULL };
    HWND page = MakeModelPage(items, 1);
    Watch();
    DeleteStalePrinter(page);
    ResetSpoolerApi();
    CHECK(Calls.opens == 1);
    CHECK_FALSE(Calls.hadDefaults);
    CHECK(Calls.printerDeletes == 1);
    CHECK(Calls.closes == 1);
    CHECK_FALSE(PrinterExists(Model));
    CHECK(DriverRegistered(Model));

    /* No printer left: nothing to delete, nothing to close. */
    Watch();
    DeleteStalePrinter(page);
    ResetSpoolerApi();
    CHECK(Calls.printerDeletes + Calls.closes == 0);
    DestroyWindow(page);
    Clean();
}

TEST_CASE("RemovePreviousInstall: outcomes of the printer and driver deletions")
{
    static const struct {
        const char *what;
        int printer, refusePrinter, refuseDriver;
        int result, printerLeft, driverLeft, driverDeletes;
    } cases[] = {
        { "both deleted", 1, 0, 0, 1, 0, 0, 1 },
        { "a driver without a printer is left alone", 0, 0, 0, 1, 0, 1, 0 },
        { "the printer stays, the driver is still deleted", 1, 1, 0, 0, 1, 0, 1 },
        { "the driver is still in use", 1, 0, 1, 0, 0, 1, 1 },
        { "neither goes", 1, 1, 1, 0, 1, 1, 1 },
    };
    lstrcpyA(SetupState.ModelName, Model);
    for (const auto &c : cases) {
        CAPTURE(c.what);
        Clean();
        AddDriver(Model);
        if (c.printer)
            AddPrinterOf(Model);
        Watch();
        Calls.refusePrinterDelete = c.refusePrinter;
        Calls.refuseDriverDelete = c.refuseDriver;
        CHECK(RemovePreviousInstall() == c.result);
        ResetSpoolerApi();
        CHECK(Calls.opens == 1);
        CHECK(Calls.hadDefaults);
        CHECK(Calls.access == PRINTER_ALL_ACCESS);
        CHECK(Calls.closes == c.printer);
        CHECK(Calls.driverDeletes == c.driverDeletes);
        CHECK(PrinterExists(Model) == c.printerLeft);
        CHECK(DriverRegistered(Model) == c.driverLeft);
    }
    Clean();
}
