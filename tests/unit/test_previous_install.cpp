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
#include "spooler_fakes.h"

static const char Model[] = "Catalogue Removal KV-R5 Test";

/* The model's driver and, when asked, its printer. */
static void AddModel(int withPrinter)
{
    RemoveFixturePrinter(Model, Model);
    REQUIRE(AddFixturePrinter(withPrinter ? Model : NULL, Model, "LPT1:"));
}

TEST_CASE("with no model selected nothing is looked up or deleted")
{
    AddModel(1);
    const char *items[] = { Model, NULL };
    HWND page = MakeModelPage(items, -1);
    lstrcpyA(SetupState.ModelName, "kept");
    RecordSpoolerCalls();
    CHECK(DriverExists(page) == 0);
    DeleteStalePrinter(page);
    ResetSpoolerApi();
    CHECK(Calls.opens + Calls.enumerations + Calls.printerDeletes == 0);
    CHECK(std::string(SetupState.ModelName) == "kept");
    CHECK(PrinterExists(Model));
    DestroyWindow(page);
    RemoveFixturePrinter(Model, Model);
}

TEST_CASE("DriverExists matches the driver name exactly, letter case included")
{
    AddModel(0);
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
    RecordSpoolerCalls();
    Calls.refuseEnumeration = ERROR_OUTOFMEMORY;
    CHECK(DriverExists(page) == 0);
    ResetSpoolerApi();
    DestroyWindow(page);
    RemoveFixturePrinter(Model, Model);
}

TEST_CASE("DeleteStalePrinter deletes the printer of the selected model with default access")
{
    AddModel(1);
    const char *items[] = { "Another model", Model, NULL };
    HWND page = MakeModelPage(items, 1);
    RecordSpoolerCalls();
    DeleteStalePrinter(page);
    ResetSpoolerApi();
    CHECK(Calls.opens == 1);
    CHECK_FALSE(Calls.hadDefaults);
    CHECK(Calls.printerDeletes == 1);
    CHECK(Calls.closes == 1);
    CHECK_FALSE(PrinterExists(Model));
    CHECK(DriverRegistered(Model));

    /* No printer left: nothing to delete, nothing to close. */
    RecordSpoolerCalls();
    DeleteStalePrinter(page);
    ResetSpoolerApi();
    CHECK(Calls.printerDeletes + Calls.closes == 0);
    DestroyWindow(page);
    RemoveFixturePrinter(Model, Model);
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
        AddModel(c.printer);
        RecordSpoolerCalls();
        Calls.refusePrinterDelete = c.refusePrinter ? ERROR_ACCESS_DENIED : 0;
        Calls.refuseDriverDelete = c.refuseDriver ? ERROR_PRINTER_DRIVER_IN_USE : 0;
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
    RemoveFixturePrinter(Model, Model);
}
