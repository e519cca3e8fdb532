/*
 * Registration of driver and printer against Wine's spooler, the records
 * handed to the spooler seam, and the refusals Wine does not produce.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"
#include "dialog_watch.h"

static const char RegModel[] = "Catalogue Reg KV-R5 Test";

/* A working directory of this test with KV_R52x.DLL dated `date` (none when
   `date` is NULL), and an INF that lists the test's models. */
static void PrepareModel(const FILETIME *date)
{
    std::string directory = BesideProgram("catalogue_reg");
    CreateDirectoryA(directory.c_str(), NULL);
    REQUIRE(SetCurrentDirectoryA(directory.c_str()));
    DeleteFileA("KV_R52x.DLL");
    if (date) {
        REQUIRE(WriteTextFile("KV_R52x.DLL", "driver date stand-in"));
        HANDLE file = CreateFileA("KV_R52x.DLL", GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        REQUIRE(file != INVALID_HANDLE_VALUE);
        SetFileTime(file, NULL, NULL, date);
        CloseHandle(file);
    }
    std::string inf = directory + "\\catalogue_reg.inf";
    REQUIRE(WriteTextFile(inf.c_str(),
        "[KestVelotic]\r\n"
        "\"Catalogue Reg KV-R5 Test\" = RegInst, CATREG-HW-01\r\n"
        "\"Catalogue Reg No Id\" = BareInst\r\n"
        "\"Catalogue Reg No Files\" = EmptyInst,CATREG-HW-03\r\n"
        "[RegInst]\r\n"
        "CopyFiles=@KV_R52x.GPD,@KV_R52x.DLL,@UNIDRV.DLL,@UNIDRVUI.DLL,@UNIDRV.HLP,@CATREG.INI\r\n"
        "DataSection=RegData\r\n"
        "[RegData]\r\nDefaultDataType=NT EMF 1.008\r\n"
        "[BareInst]\r\nCopyFiles=@KV_R52x.GPD\r\n"
        "[EmptyInst]\r\nDataSection=RegData\r\n"));
    lstrcpynA(SetupState.InfPath, inf.c_str(), TEXT_SIZE);
}

static void SelectModel(const char *model, const char *port)
{
    const char *items[] = { model, NULL };
    HWND page = MakeModelPage(items, 0);
    REQUIRE(LoadModelData(page) == 1);
    DestroyWindow(page);
    lstrcpynA(SetupState.PortName, port, TEXT_SIZE);
    REQUIRE(StageOwnEnvironmentDriver(model));
}

static void CheckRegistered(const char *model, const char *port)
{
    const DRIVER_INFO_3A *driver = (const DRIVER_INFO_3A *)ReadDriverRecord(model, 3);
    REQUIRE(driver);
    CHECK(driver->cVersion == 3);
    CHECK(std::string(driver->pName) == model);
    CHECK(std::string(driver->pEnvironment) == "Windows NT x86");
    CHECK(std::string(BaseName(driver->pDriverPath)) == "UNIDRV.DLL");
    CHECK(std::string(BaseName(driver->pDataFile)) == "KV_R52x.GPD");
    CHECK(std::string(BaseName(driver->pConfigFile)) == "UNIDRVUI.DLL");
    CHECK(std::string(BaseName(driver->pHelpFile)) == "UNIDRV.HLP");
    CHECK(BareNames(driver->pDependentFiles) == BareNames(SetupState.FileList));
    CHECK(std::string(driver->pDefaultDataType) == SetupState.DefaultDataType);

    const PRINTER_INFO_2A *printer = ReadPrinterRecord(model);
    REQUIRE(printer);
    CHECK(std::string(printer->pPrinterName) == model);
    CHECK(std::string(printer->pPortName) == port);
    CHECK(std::string(printer->pDriverName) == model);
    CHECK(std::string(printer->pPrintProcessor) == "WinPrint");
    CHECK(std::string(printer->pDatatype) == SetupState.DefaultDataType);
    CHECK((printer->Attributes & PRINTER_ATTRIBUTE_DO_COMPLETE_FIRST) != 0);
}

TEST_CASE("a model registers, is removed, registers again and becomes the default printer")
{
    PrepareModel(NULL);
    SelectModel(RegModel, "LPT2:");
    RemovePreviousInstall();

    REQUIRE(RegisterDriverAndPrinter() == 1);
    CheckRegistered(RegModel, "LPT2:");
    const DRIVER_INFO_6A *driver6 = (const DRIVER_INFO_6A *)ReadDriverRecord(RegModel, 6);
    REQUIRE(driver6);
    {
        const DRIVER_INFO_6A *driver = driver6;
        const char *names[] = { RegModel, NULL };
        CHECK(ReadMultiString(driver->pszzPreviousNames) == MultiString(names));
    }

    CHECK(RemovePreviousInstall() == 1);
    HANDLE printer = NULL;
    CHECK_FALSE(OpenPrinterA((LPSTR)RegModel, &printer, NULL));
    CHECK_FALSE(DriverRegistered(RegModel));

    REQUIRE(RegisterDriverAndPrinter() == 1);
    CheckRegistered(RegModel, "LPT2:");

    /* The entry names the port the spooler reports, not PortName. */
    lstrcpyA(SetupState.PortName, "COM3:");
    REQUIRE(SetDefaultPrinter(RegModel) == 1);
    char device[TEXT_SIZE];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    CHECK(std::string(device) == std::string(RegModel) + "," + RegModel + ",LPT2:");
    char defaultName[TEXT_SIZE];
    DWORD size = sizeof defaultName;
    REQUIRE(GetDefaultPrinterA(defaultName, &size));
    CHECK(std::string(defaultName) == RegModel);

    CHECK(RemovePreviousInstall() == 1);
}

/* The records handed to the seam, kept before the real call is made. */
static struct {
    int driverCalls, printerCalls;
    DRIVER_INFO_6A driver;
    std::string previousNames, dependentFiles, hardwareId, oemUrl, provider;
    int hasHardwareId, hasOemUrl;
    PRINTER_INFO_2A printer;
} Handed;

static BOOL WINAPI KeepDriverRecord(LPSTR server, DWORD level, LPBYTE info)
{
    Handed.driverCalls++;
    CHECK(server == NULL);
    CHECK(level == 6);
    Handed.driver = *(const DRIVER_INFO_6A *)info;
    Handed.previousNames = ReadMultiString(Handed.driver.pszzPreviousNames);
    Handed.dependentFiles = ReadMultiString(Handed.driver.pDependentFiles);
    Handed.hasHardwareId = Handed.driver.pszHardwareID != NULL;
    Handed.hardwareId = Handed.hasHardwareId ? Handed.driver.pszHardwareID : "";
    Handed.hasOemUrl = Handed.driver.pszOEMUrl != NULL;
    Handed.oemUrl = Handed.hasOemUrl ? Handed.driver.pszOEMUrl : "";
    Handed.provider = Handed.driver.pszProvider ? Handed.driver.pszProvider : "";
    return AddPrinterDriverA(server, level, info);
}

static HANDLE WINAPI KeepPrinterRecord(LPSTR server, DWORD level, LPBYTE info)
{
    Handed.printerCalls++;
    CHECK(server == NULL);
    CHECK(level == 2);
    Handed.printer = *(const PRINTER_INFO_2A *)info;
    return AddPrinterA(server, level, info);
}

static void Watch(void)
{
    Handed.driverCalls = Handed.printerCalls = 0;
    Spooler.AddPrinterDriverA = KeepDriverRecord;
    Spooler.AddPrinterA = KeepPrinterRecord;
}

TEST_CASE("the level-6 driver record and the level-2 printer record, field by field")
{
    FILETIME date = { 0x89ABCDEFu, 0x01C8A5B3u };
    PrepareModel(&date);
    SelectModel(RegModel, "COM2:");
    RemovePreviousInstall();
    Watch();
    CHECK(RegisterDriverAndPrinter() == 1);
    ResetSpoolerApi();

    REQUIRE(Handed.driverCalls == 1);
    const DRIVER_INFO_6A &d = Handed.driver;
    CHECK(d.cVersion == 3);
    CHECK(std::string(d.pName) == RegModel);
    CHECK(std::string(d.pEnvironment) == "Windows NT x86");
    CHECK(std::string(d.pDriverPath) == "UNIDRV.DLL");
    CHECK(std::string(d.pDataFile) == "KV_R52x.GPD");
    CHECK(std::string(d.pConfigFile) == "UNIDRVUI.DLL");
    CHECK(std::string(d.pHelpFile) == "UNIDRV.HLP");
    const char *files[] = { "KV_R52x.GPD", "KV_R52x.DLL", "UNIDRV.DLL", "UNIDRVUI.DLL",
                            "UNIDRV.HLP", "CATREG.INI", NULL };
    CHECK(Handed.dependentFiles == MultiString(files));
    CHECK(d.pMonitorName == NULL);
    CHECK(std::string(d.pDefaultDataType) == "NT EMF 1.008");
    const char *previous[] = { RegModel, NULL };
    CHECK(Handed.previousNames == MultiString(previous));
    CHECK(d.ftDriverDate.dwLowDateTime == date.dwLowDateTime);
    CHECK(d.ftDriverDate.dwHighDateTime == date.dwHighDateTime);
    CHECK(d.dwlDriverVersion == 0);
    CHECK(d.pszMfgName == NULL);
    CHECK(Handed.hasOemUrl);
    CHECK(Handed.oemUrl.empty());
    CHECK(Handed.hasHardwareId);
    CHECK(Handed.hardwareId == " CATREG-HW-01");
    CHECK(Handed.provider == "Kest Velotic, Co. Ltd.");

    REQUIRE(Handed.printerCalls == 1);
    const PRINTER_INFO_2A &p = Handed.printer;
    CHECK(std::string(p.pPrinterName) == RegModel);
    CHECK(std::string(p.pPortName) == "COM2:");
    CHECK(std::string(p.pDriverName) == RegModel);
    CHECK(std::string(p.pPrintProcessor) == "WinPrint");
    CHECK(std::string(p.pDatatype) == "NT EMF 1.008");
    CHECK(p.Attributes == PRINTER_ATTRIBUTE_DO_COMPLETE_FIRST);
    /* Nothing else set: no share, no separator page, no device mode. */
    PRINTER_INFO_2A rest = p;
    rest.pPrinterName = rest.pPortName = rest.pDriverName = rest.pPrintProcessor = rest.pDatatype = NULL;
    rest.Attributes = 0;
    PRINTER_INFO_2A zero;
    ZeroMemory(&zero, sizeof zero);
    CHECK(memcmp(&rest, &zero, sizeof zero) == 0);
    CHECK(RemovePreviousInstall() == 1);
}

TEST_CASE("without KV_R52x.DLL, a hardware id or files the driver still registers")
{
    PrepareModel(NULL);
    SelectModel("Catalogue Reg No Id", "LPT3:");
    RemovePreviousInstall();
    Watch();
    CHECK(RegisterDriverAndPrinter() == 1);
    ResetSpoolerApi();
    CHECK(Handed.driver.ftDriverDate.dwLowDateTime == 0);
    CHECK(Handed.driver.ftDriverDate.dwHighDateTime == 0);
    CHECK_FALSE(Handed.hasHardwareId);
    CHECK(RemovePreviousInstall() == 1);

    /* A short name after a long one: the previous-names list holds it alone. */
    SelectModel("Catalogue Reg No Files", "LPT3:");
    RemovePreviousInstall();
    Watch();
    CHECK(RegisterDriverAndPrinter() == 1);
    ResetSpoolerApi();
    CHECK(Handed.dependentFiles == std::string(1, '\0'));
    const char *previous[] = { "Catalogue Reg No Files", NULL };
    CHECK(Handed.previousNames == MultiString(previous));
    CHECK(Handed.hardwareId == "CATREG-HW-03");
    CheckRegistered("Catalogue Reg No Files", "LPT3:");
    CHECK(RemovePreviousInstall() == 1);
}

TEST_CASE("a refused driver or printer shows its system error code; a printer already there does not")
{
    PrepareModel(NULL);
    SelectModel(RegModel, "LPT2:");
    static const struct {
        DWORD refuseDriver, refusePrinter;
        const char *text;   /* NULL: no message */
        int printerAdds, result;
    } cases[] = {
        /* ERROR_UNKNOWN_PRINTER_DRIVER: the printer is not attempted. */
        { ERROR_UNKNOWN_PRINTER_DRIVER, 0, "Cannot add a printer driver!\r\n(System Error Code : 1797)", 0, 0 },
        /* ERROR_INVALID_PRINTER_NAME, after the driver was added. */
        { 0, ERROR_INVALID_PRINTER_NAME, "Cannot add a printer!\r\n(System Error Code : 1801)", 1, 0 },
        /* The second run, when the removal could not delete the first run's
           printer: Windows refuses a printer of a name that exists. */
        { 0, ERROR_PRINTER_ALREADY_EXISTS, NULL, 1, 1 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.refusePrinter);
        RemovePreviousInstall();
        RecordSpoolerCalls();
        Calls.refuseDriverAdd = c.refuseDriver;
        Calls.refusePrinterAdd = c.refusePrinter;
        StartWatch(NULL, NULL);
        CHECK(RegisterDriverAndPrinter() == c.result);
        StopWatch();
        ResetSpoolerApi();
        REQUIRE(SeenCount == (c.text ? 1 : 0));
        if (c.text) {
            CHECK(std::string(Seen[0].caption) == "Add a printer error ");
            CHECK(std::string(Seen[0].text) == c.text);
            CHECK(Seen[0].icon == LoadIconA(NULL, IDI_HAND));
        }
        CHECK(Calls.driverAdds == 1);
        CHECK(Calls.printerAdds == c.printerAdds);
        CHECK(DriverRegistered(RegModel) == !c.refuseDriver);
        CHECK_FALSE(PrinterExists(RegModel));
    }
    DeletePrinterDriverA(NULL, (LPSTR)SetupState.Environment, (LPSTR)RegModel);
}
