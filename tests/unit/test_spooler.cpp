/*
 * The spooler side of an installation against Wine's spooler and profile,
 * through the seam: the removal (access, environment, outcomes), the driver
 * and printer records field by field, the default printer's entry and its
 * broadcast, and refusals Wine never gives (refused registrations are the
 * sequencer's cases).
 */
#include <doctest/doctest.h>
#include "catalogue_support.h"
#include "spooler/spooler.h"
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"

/* Callers that include winspool.h after spooler.h must still reach the
   program's SetDefaultPrinter, not the platform's SetDefaultPrinterA. */
#ifdef SetDefaultPrinter
#error "SetDefaultPrinter is mapped to the platform's function"
#endif

static const char Model[] = "Spooler Test KV-R5 With A Long Name";

/* The model's driver and, when asked, its printer on `port`. */
static void AddModel(int withPrinter, const char *port = "LPT1:")
{
    RemoveFixturePrinter(Model, Model);
    REQUIRE(AddFixturePrinter(withPrinter ? Model : NULL, Model, port));
}

TEST_CASE("RemovePreviousInstall: full access, the Windows NT x86 driver, the outcome of each deletion")
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
        CAPTURE(std::string(c.what));
        AddModel(c.printer);
        RecordSpoolerCalls();
        Calls.refusePrinterDelete = c.refusePrinter ? ERROR_ACCESS_DENIED : 0;
        Calls.refuseDriverDelete = c.refuseDriver ? ERROR_PRINTER_DRIVER_IN_USE : 0;
        CHECK(RemovePreviousInstall() == c.result);
        ResetSpoolerApi();
        CHECK(Calls.opens == 1);
        CHECK(Calls.access == PRINTER_ALL_ACCESS);
        CHECK(Calls.closes == c.printer);
        CHECK(Calls.driverDeletes == c.driverDeletes);
        CHECK(Calls.deleteEnvironment == std::string(c.driverDeletes ? "Windows NT x86" : ""));
        CHECK(PrinterExists(Model) == c.printerLeft);
        CHECK(DriverRegistered(Model) == c.driverLeft);
    }
    RemoveFixturePrinter(Model, Model);
}

TEST_CASE("DriverExists looks for exactly the selected name among the Windows NT x86 drivers")
{
    AddModel(0);
    std::string upper = Model;
    CharUpperA(&upper[0]);
    const struct { const char *item; int selected; DWORD refuse; int found, enumerations; } cases[] = {
        { Model, 0, 0, 1, 2 },
        { upper.c_str(), 0, 0, 0, 2 },  /* letter case counts */
        { "Spooler Test", 0, 0, 0, 2 },
        { Model, 0, ERROR_OUTOFMEMORY, 0, 2 },  /* a list that cannot be read */
        { Model, -1, 0, 0, 0 },  /* no selection: nothing looked up */
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.item) + ", refusal " + std::to_string(c.refuse));
        const char *items[] = { c.item, NULL };
        HWND page = MakeModelPage(items, c.selected);
        lstrcpyA(SetupState.ModelName, "kept");
        RecordSpoolerCalls();
        Calls.refuseEnumeration = c.refuse;
        CHECK(DriverExists(page) == c.found);
        ResetSpoolerApi();
        DestroyWindow(page);
        CHECK(Calls.enumerations == c.enumerations);
        CHECK(Calls.enumEnvironment == std::string(c.enumerations ? "Windows NT x86" : ""));
        CHECK(std::string(SetupState.ModelName) == std::string(c.selected < 0 ? "kept" : c.item));
    }
    RemoveFixturePrinter(Model, Model);
}

/* Leaves other bytes than NULs where the next call's buffers will lie, as
   the calls before it would on a real road. */
static void __attribute__((noinline)) PoisonStack(void)
{
    volatile char junk[8192];
    for (size_t i = 0; i < sizeof junk; i++)
        junk[i] = 'X';
}

TEST_CASE("the driver and printer records field by field, a short name after a long one")
{
    /* KV_R52x.DLL in the current directory, written and read at two dates. */
    std::string directory = std::string(TestProgramDirectory()) + "spooler_test";
    CreateDirectoryA(directory.c_str(), NULL);
    REQUIRE(SetCurrentDirectoryA(directory.c_str()));
    REQUIRE(WriteTextFile("KV_R52x.DLL", "driver date stand-in"));
    static const FILETIME written = { 0x89ABCDEFu, 0x01C8A5B3u }, read = { 0x12345678u, 0x01D00000u };
    HANDLE file = CreateFileA("KV_R52x.DLL", GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    REQUIRE(SetFileTime(file, NULL, &read, &written));
    CloseHandle(file);
    REQUIRE(UseInf("spooler_test.inf", std::string("[KestVelotic]\n\"") + Model + "\" = RegInst, CATREG-HW-01\n"
                   "\"Reg S\" = BareInst\n[RegInst]\nDataSection=RegData\n"
                   "CopyFiles=@KV_R52x.GPD,@KV_R52x.DLL,@UNIDRV.DLL,@UNIDRVUI.DLL,@UNIDRV.HLP,@CATREG.INI\n"
                   "[RegData]\nDefaultDataType=NT EMF 1.008\n"));
    const struct { std::string model; const char *port, *files, *type, *id; } cases[] = {
        { Model, "COM2:", "KV_R52x.GPD|KV_R52x.DLL|UNIDRV.DLL|UNIDRVUI.DLL|UNIDRV.HLP|CATREG.INI|",
          "NT EMF 1.008", " CATREG-HW-01" },
        { "Reg S", "LPT3:", "", "RAW", NULL },  /* no files, no data section, no hardware id */
    };
    for (const auto &c : cases) {
        CAPTURE(c.model);
        RemoveFixturePrinter(c.model.c_str(), c.model.c_str());
        REQUIRE(LoadModel(c.model.c_str()) == 1);
        lstrcpynA(SetupState.PortName, c.port, TEXT_SIZE);
        REQUIRE(StageOwnEnvironmentDriver(c.model.c_str()));
        RecordSpoolerCalls();
        PoisonStack();
        CHECK(RegisterDriverAndPrinter() == 1);
        ResetSpoolerApi();
        CHECK(Calls.driverRecord == "server NULL level 6 cVersion 3 date 01C8A5B3:89ABCDEF version 0\nname " +
                                        c.model + "\nenvironment Windows NT x86\ndriver UNIDRV.DLL\n"
                                        "data KV_R52x.GPD\nconfig UNIDRVUI.DLL\nhelp UNIDRV.HLP\ndependent " +
                                        c.files + "\nmonitor (null)\ndata type " + c.type + "\nprevious " + c.model +
                                        "|\nmanufacturer (null)\nurl \nhardware id " + Text(c.id) +
                                        "\nprovider Kest Velotic, Co. Ltd.\n");
        CHECK(Calls.printerRecord == "server NULL level 2\nname " + c.model + "\nport " + c.port + "\ndriver " +
                                         c.model + "\nprocessor WinPrint\ndata type " + c.type + "\nattributes " +
                                         std::to_string(PRINTER_ATTRIBUTE_DO_COMPLETE_FIRST) + "\n");
        CHECK(PrinterExists(c.model.c_str()));
        RemoveFixturePrinter(c.model.c_str(), c.model.c_str());
    }
}

/* The WM_WININICHANGE broadcasts (wParam 0, lParam 0) that reach a
   top-level window of this test. */
static int Broadcasts;

static LRESULT CALLBACK CountBroadcasts(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Broadcasts += message == WM_WININICHANGE && wParam == 0 && lParam == 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_CASE("the default printer entry: printer, driver and the port the spooler reports, then a broadcast; a failure changes nothing")
{
    HWND listener = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    REQUIRE(SetWindowLongPtrA(listener, GWLP_WNDPROC, (LONG_PTR)CountBroadcasts));
    lstrcpyA(SetupState.PortName, "COM3:");  /* not the entry's port */
    static const char Sentinel[] = "Sentinel Printer,Sentinel Driver,LPT9:";
    static const struct {
        const char *what, *name, *port;
        DWORD refuseOpen;
        int noHandle;
        RecordFault fault;
        int result, opens, closes;
    } cases[] = {
        { "on COM1:", Model, "COM1:", 0, 0, RECORD_WHOLE, 1, 1, 1 },
        { "on FILE:", Model, "FILE:", 0, 0, RECORD_WHOLE, 1, 1, 1 },
        { "the printer cannot be opened", Model, "COM1:", ERROR_ACCESS_DENIED, 0, RECORD_WHOLE, 0, 1, 0 },
        { "the open gives no handle", Model, "COM1:", 0, 1, RECORD_WHOLE, 0, 1, 0 },
        { "the record's size is 0", Model, "COM1:", 0, 0, RECORD_SIZE_ZERO, 0, 1, 1 },
        { "the record cannot be read", Model, "COM1:", 0, 0, RECORD_REFUSED, 0, 1, 1 },
        { "the record has no driver name", Model, "COM1:", 0, 0, RECORD_NO_DRIVER, 0, 1, 1 },
        { "the record has no port name", Model, "COM1:", 0, 0, RECORD_NO_PORT, 0, 1, 1 },
        { "no printer of that name", "No Such Printer", "COM1:", 0, 0, RECORD_WHOLE, 0, 1, 0 },
        { "a null name", NULL, "COM1:", 0, 0, RECORD_WHOLE, 0, 0, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.what));
        AddModel(1, c.port);
        REQUIRE(WriteProfileStringA("windows", "device", Sentinel));
        RecordSpoolerCalls();
        Calls.refuseOpen = c.refuseOpen;
        Calls.openGivesNoHandle = c.noHandle;
        Calls.recordFault = c.fault;
        Broadcasts = 0;
        CHECK(SetDefaultPrinter(c.name) == c.result);
        ResetSpoolerApi();
        CHECK(Calls.opens == c.opens);
        CHECK_FALSE(Calls.hadDefaults);
        CHECK(Calls.closes == c.closes);
        char entry[TEXT_SIZE];
        GetProfileStringA("windows", "device", "", entry, sizeof entry);
        CHECK(std::string(entry) == (c.result ? std::string(Model) + "," + Model + "," + c.port : Sentinel));
        CHECK(Broadcasts == c.result);
        DWORD size = sizeof entry;
        CHECK((!c.result || (GetDefaultPrinterA(entry, &size) && std::string(entry) == Model)));
    }
    WriteProfileStringA("windows", "device", NULL);
    RemoveFixturePrinter(Model, Model);
    DestroyWindow(listener);
}
