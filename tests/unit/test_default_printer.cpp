/*
 * SetDefaultPrinter against Wine's spooler and profile, and each of its
 * failures, which must leave the "device" entry as it was.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "spooler/spooler_api.h"

/* Callers that include winspool.h after spooler.h must still reach the
   program's SetDefaultPrinter, not the platform's SetDefaultPrinterA. */
#ifdef SetDefaultPrinter
#error "SetDefaultPrinter is mapped to the platform's function"
#endif

static const char Printer[] = "Catalogue Default KV-R5 Test";
static const char Sentinel[] = "Catalogue Sentinel,Sentinel Driver,LPT9:";

static void AddPrinterOnPort(const char *port)
{
    DRIVER_INFO_3A driver;
    ZeroMemory(&driver, sizeof driver);
    driver.cVersion = 3;
    driver.pName = (LPSTR)Printer;
    driver.pEnvironment = (LPSTR)SetupState.Environment;
    driver.pDriverPath = (LPSTR)"UNIDRV.DLL";
    driver.pDataFile = (LPSTR)"KV_R52x.GPD";
    driver.pConfigFile = (LPSTR)"UNIDRVUI.DLL";
    REQUIRE(AddPrinterDriverA(NULL, 3, (LPBYTE)&driver));
    PRINTER_INFO_2A printer;
    ZeroMemory(&printer, sizeof printer);
    printer.pPrinterName = (LPSTR)Printer;
    printer.pPortName = (LPSTR)port;
    printer.pDriverName = (LPSTR)Printer;
    printer.pPrintProcessor = (LPSTR)"WinPrint";
    printer.pDatatype = (LPSTR)"RAW";
    HANDLE handle = AddPrinterA(NULL, 2, (LPBYTE)&printer);
    REQUIRE(handle);
    ClosePrinter(handle);
}

static void RemovePrinter(void)
{
    HANDLE printer = NULL;
    if (OpenPrinterA((LPSTR)Printer, &printer, NULL)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    DeletePrinterDriverA(NULL, (LPSTR)SetupState.Environment, (LPSTR)Printer);
}

static std::string DeviceEntry(void)
{
    char device[TEXT_SIZE];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    return device;
}

/* Seam: counts opens and closes; each fault makes one call misbehave. */
enum Fault { NoFault, OpenFails, OpenGivesNoHandle, SizeZero, ReadFails, NoDriverName, NoPortName };
static struct {
    Fault fault;
    int opens, closes, reads;
} Calls;

static BOOL WINAPI FaultyOpen(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)
{
    Calls.opens++;
    CHECK(defaults == NULL);
    if (Calls.fault == OpenFails)
        return FALSE;
    if (Calls.fault == OpenGivesNoHandle) {
        *printer = NULL;
        return TRUE;
    }
    return OpenPrinterA(name, printer, defaults);
}

static BOOL WINAPI CountedClose(HANDLE printer)
{
    Calls.closes++;
    return ClosePrinter(printer);
}

static BOOL WINAPI FaultyGetPrinter(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                                    LPDWORD needed)
{
    Calls.reads++;
    CHECK(level == 2);
    if (!buffer) {
        BOOL result = GetPrinterA(printer, level, buffer, size, needed);
        if (Calls.fault == SizeZero)
            *needed = 0;
        return result;
    }
    if (Calls.fault == ReadFails)
        return FALSE;
    BOOL result = GetPrinterA(printer, level, buffer, size, needed);
    PRINTER_INFO_2A *info = (PRINTER_INFO_2A *)buffer;
    if (Calls.fault == NoDriverName)
        info->pDriverName = NULL;
    if (Calls.fault == NoPortName)
        info->pPortName = NULL;
    return result;
}

static void Inject(Fault fault)
{
    ZeroMemory(&Calls, sizeof Calls);
    Calls.fault = fault;
    Spooler.OpenPrinterA = FaultyOpen;
    Spooler.ClosePrinter = CountedClose;
    Spooler.GetPrinterA = FaultyGetPrinter;
}

TEST_CASE("the default printer entry names the printer, its driver and its port")
{
    RemovePrinter();
    AddPrinterOnPort("COM1:");
    Inject(NoFault);
    CHECK(SetDefaultPrinter(Printer) == 1);
    ResetSpoolerApi();
    CHECK(Calls.opens == 1);
    CHECK(Calls.closes == 1);
    CHECK(DeviceEntry() == std::string(Printer) + "," + Printer + ",COM1:");
    char name[TEXT_SIZE];
    DWORD size = sizeof name;
    REQUIRE(GetDefaultPrinterA(name, &size));
    CHECK(std::string(name) == Printer);

    /* The port is the one the spooler reports now. */
    RemovePrinter();
    AddPrinterOnPort("FILE:");
    CHECK(SetDefaultPrinter(Printer) == 1);
    CHECK(DeviceEntry() == std::string(Printer) + "," + Printer + ",FILE:");
    RemovePrinter();
}

TEST_CASE("every failure returns 0, closes what it opened and leaves the entry alone")
{
    RemovePrinter();
    AddPrinterOnPort("COM1:");
    static const struct { Fault fault; const char *what; int closes; } cases[] = {
        { OpenFails, "the printer cannot be opened", 0 },
        { OpenGivesNoHandle, "the open gives no handle", 0 },
        { SizeZero, "the record's size is 0", 1 },
        { ReadFails, "the record cannot be read", 1 },
        { NoDriverName, "the record has no driver name", 1 },
        { NoPortName, "the record has no port name", 1 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.what);
        REQUIRE(WriteProfileStringA("windows", "device", Sentinel));
        Inject(c.fault);
        CHECK(SetDefaultPrinter(Printer) == 0);
        ResetSpoolerApi();
        CHECK(Calls.closes == c.closes);
        CHECK(DeviceEntry() == Sentinel);
    }

    /* A name under which no printer exists, and a null name. */
    REQUIRE(WriteProfileStringA("windows", "device", Sentinel));
    CHECK(SetDefaultPrinter("Catalogue Default No Such Printer") == 0);
    Inject(NoFault);
    CHECK(SetDefaultPrinter(NULL) == 0);
    ResetSpoolerApi();
    CHECK(Calls.opens == 0);
    CHECK(DeviceEntry() == Sentinel);

    WriteProfileStringA("windows", "device", NULL);
    RemovePrinter();
}
