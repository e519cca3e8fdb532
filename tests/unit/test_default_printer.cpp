/*
 * SetDefaultPrinter against Wine's spooler and profile, and each of its
 * failures, which must leave the "device" entry as it was.
 */
#include <doctest/doctest.h>
#include <string>
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"

/* Callers that include winspool.h after spooler.h must still reach the
   program's SetDefaultPrinter, not the platform's SetDefaultPrinterA. */
#ifdef SetDefaultPrinter
#error "SetDefaultPrinter is mapped to the platform's function"
#endif

static const char Printer[] = "Catalogue Default KV-R5 Test";
static const char Sentinel[] = "Catalogue Sentinel,Sentinel Driver,LPT9:";

static void AddPrinterOnPort(const char *port)
{
    RemoveFixturePrinter(Printer, Printer);
    REQUIRE(AddFixturePrinter(Printer, Printer, port));
}

static std::string DeviceEntry(void)
{
    char device[TEXT_SIZE];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    return device;
}

/* Seam: the recorder counts opens and closes; each fault makes one call
   misbehave. */
enum Fault { NoFault, OpenFails, OpenGivesNoHandle, SizeZero, ReadFails, NoDriverName, NoPortName };
static Fault Injected;

static BOOL WINAPI OpenGivingNoHandle(LPSTR, LPHANDLE printer, LPPRINTER_DEFAULTSA)
{
    *printer = NULL;
    return TRUE;
}

static BOOL WINAPI FaultyGetPrinter(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed)
{
    if (buffer && Injected == ReadFails)
        return FALSE;
    BOOL result = GetPrinterA(printer, level, buffer, size, needed);
    PRINTER_INFO_2A *info = (PRINTER_INFO_2A *)buffer;
    if (!buffer && Injected == SizeZero)
        *needed = 0;
    if (buffer && Injected == NoDriverName)
        info->pDriverName = NULL;
    if (buffer && Injected == NoPortName)
        info->pPortName = NULL;
    return result;
}

static void Inject(Fault fault)
{
    RecordSpoolerCalls();
    Injected = fault;
    Calls.refuseOpen = fault == OpenFails ? ERROR_ACCESS_DENIED : 0;
    if (fault == OpenGivesNoHandle)
        Spooler.OpenPrinterA = OpenGivingNoHandle;
    Spooler.GetPrinterA = FaultyGetPrinter;
}

TEST_CASE("the default printer entry names the printer, its driver and its port")
{
    AddPrinterOnPort("COM1:");
    Inject(NoFault);
    CHECK(SetDefaultPrinter(Printer) == 1);
    ResetSpoolerApi();
    CHECK(Calls.opens == 1);
    CHECK_FALSE(Calls.hadDefaults);
    CHECK(Calls.closes == 1);
    CHECK(DeviceEntry() == std::string(Printer) + "," + Printer + ",COM1:");
    char name[TEXT_SIZE];
    DWORD size = sizeof name;
    REQUIRE(GetDefaultPrinterA(name, &size));
    CHECK(std::string(name) == Printer);

    /* The port is the one the spooler reports now. */
    AddPrinterOnPort("FILE:");
    CHECK(SetDefaultPrinter(Printer) == 1);
    CHECK(DeviceEntry() == std::string(Printer) + "," + Printer + ",FILE:");
    RemoveFixturePrinter(Printer, Printer);
}

TEST_CASE("every failure returns 0, closes what it opened and leaves the entry alone")
{
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
    RemoveFixturePrinter(Printer, Printer);
}
