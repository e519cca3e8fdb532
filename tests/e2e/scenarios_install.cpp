/*
 * Whole installations of the sample package under every supported Windows
 * version, each checked in the spooler and the driver directory afterwards;
 * and the walk through the wizard that they, run.sh and the benchmarks share.
 */
#include <stdio.h>
#include <string.h>
#include "e2e.h"
#include "e2e_install.h"
#include "spooler_fixtures.h"
#include "ui/resources/resource.h"
#include <lzexpand.h>
#include <winspool.h>
#define PSAPI_VERSION 1
#include <psapi.h>

#define SUCCESS_TEXT "The Installation has done successfully."

/* Waits for a dialog of setup.exe that has the control `controlId`: the
   pages share one caption, their controls tell them apart. */
static HWND WaitForPage(int controlId, DWORD timeoutMs)
{
    return WaitForEnabledDialog(E2e.Setup.dwProcessId, controlId, NULL, timeoutMs);
}

/* Selects the item of a list box whose text is `wanted` (NULL: keeps the
   selection, or takes the first item when none is selected). Writes the
   chosen item's text into `chosen`. 1 when an item is selected. */
static int ChooseListItem(HWND page, int listId, const char *wanted, char *chosen, int size)
{
    int count = ListCount(page, listId);
    int index = wanted ? -1 : ListSelection(page, listId);
    if (!wanted && index < 0 && count > 0)
        index = 0;
    for (int i = 0; wanted && i < count; i++) {
        char text[256];
        ListText(page, listId, i, text, sizeof text);
        if (strcmp(text, wanted) == 0)
            index = i;
    }
    if (index < 0)
        return 0;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(page, listId), LB_SETCURSEL, (WPARAM)index, 0, SMTO_BLOCK, 5000, &result);
    ListText(page, listId, index, chosen, size);
    return ListSelection(page, listId) == index;
}

int RunWholeInstall(const InstallPlan *plan, InstallRecord *record)
{
    ZeroMemory(record, sizeof *record);
    E2E_REQUIRE(SetWineVersion(plan->WineVersion), "Wine version %s not set", plan->WineVersion);
    E2E_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
    DWORD start = GetTickCount();

    if (WaitForPage(IDC_STATUS_TEXT, 3000))
        Shot("01-reading");
    HWND welcome = WaitForPage(IDC_WELCOME_TEXT, E2E_WINDOW_TIMEOUT);
    E2E_REQUIRE(welcome, "no welcome page");
    record->WelcomeShown = GetTickCount() - start;
    Shot("02-welcome");
    record->WelcomeNextClicked = GetTickCount() - start;
    E2E_REQUIRE(ClickButton(welcome, ID_NEXT), "no Next on the welcome page");

    HWND model = WaitForPage(IDC_MODEL_LIST, E2E_WINDOW_TIMEOUT);
    E2E_REQUIRE(model, "no model page");
    record->ModelShown = GetTickCount() - start;
    E2E_REQUIRE(ChooseListItem(model, IDC_MODEL_LIST, plan->Model, record->Model, sizeof record->Model),
                "model %s not in the list", plan->Model ? plan->Model : "(first)");
    E2E_REQUIRE(StageOwnEnvironmentDriver(record->Model), "no %s driver for this process's environment",
                record->Model);
    Shot("03-model");
    record->ModelNextClicked = GetTickCount() - start;
    E2E_REQUIRE(ClickButton(model, ID_NEXT), "no Next on the model page");

    DWORD slowTimeout = plan->SlowStepTimeout ? plan->SlowStepTimeout : 60000;
    HWND port = WaitForPage(IDC_PORT_LIST, slowTimeout);
    E2E_REQUIRE(port, "no port page after choosing %s", record->Model);
    record->PortShown = GetTickCount() - start;
    if (plan->StopOnPortPage)
        return 1;
    E2E_REQUIRE(ChooseListItem(port, IDC_PORT_LIST, plan->Port, record->Port, sizeof record->Port),
                "port %s not in the list", plan->Port ? plan->Port : "(initial)");
    Shot("04-port");
    record->PortNextClicked = GetTickCount() - start;
    E2E_REQUIRE(ClickButton(port, ID_NEXT), "no Next on the port page");

    HWND copy = WaitForPage(IDC_COPY_BAR, slowTimeout);
    E2E_REQUIRE(copy, "no copy dialog");
    record->CopyShown = GetTickCount() - start;
    Shot("05-copy");
    E2E_REQUIRE(WaitForWindowGone(copy, slowTimeout), "the copy dialog stays open");
    record->CopyGone = GetTickCount() - start;
    if (WaitForPage(IDC_STATUS_TEXT, 2000))
        Shot("06-writing");

    HWND exitPage = WaitForPage(IDC_EXIT_TEXT, slowTimeout);
    E2E_REQUIRE(exitPage, "no exit page");
    record->ExitShown = GetTickCount() - start;
    char text[256];
    ReadControlText(exitPage, IDC_EXIT_TEXT, text, sizeof text);
    E2E_REQUIRE(strcmp(text, SUCCESS_TEXT) == 0, "the exit page says \"%s\"", text);
    PROCESS_MEMORY_COUNTERS memory;
    ZeroMemory(&memory, sizeof memory);
    if (GetProcessMemoryInfo(E2e.Setup.hProcess, &memory, sizeof memory)) {
        record->PeakWorkingSet = memory.PeakWorkingSetSize;
        record->PeakPagefile = memory.PeakPagefileUsage;
    }
    int wantChecked = plan->SetDefault ? BST_CHECKED : BST_UNCHECKED;
    if (CheckState(exitPage, IDC_SET_DEFAULT) != wantChecked) {
        E2E_REQUIRE(ClickButton(exitPage, IDC_SET_DEFAULT), "no default printer box");
        for (int i = 0; i < 200 && CheckState(exitPage, IDC_SET_DEFAULT) != wantChecked; i++)
            PumpFor(10);
    }
    Shot("07-exit");
    E2E_REQUIRE(ClickButton(exitPage, IDOK), "no Ok on the exit page");
    DWORD exitCode = 1;
    E2E_REQUIRE(WaitForSetupExit(E2E_EXIT_TIMEOUT, &exitCode), "setup.exe still runs after Ok");
    E2E_REQUIRE(exitCode == 0, "exit code %lu", exitCode);
    return 1;
}

/* Reads a file through the LZ library, expanded when it is compressed, into
   `out` (size bytes). The number of bytes, or -1. */
static LONG ReadExpanded(const char *path, char *out, LONG size)
{
    OFSTRUCT openInfo;
    INT handle = LZOpenFileA((LPSTR)path, &openInfo, OF_READ);
    if (handle < 0)
        return -1;
    LONG total = 0;
    for (;;) {
        INT got = LZRead(handle, out + total, (INT)(size - total));
        if (got <= 0 || total + got >= size) {
            total = got < 0 ? -1 : total + (got > 0 ? got : 0);
            break;
        }
        total += got;
    }
    LZClose(handle);
    return total;
}

/* 1 when the file at `installed` holds exactly the expanded package file. */
static int SameContent(const char *packageFile, const char *installed)
{
    static char expected[1 << 20], actual[1 << 20];
    LONG expectedSize = ReadExpanded(packageFile, expected, sizeof expected);
    HANDLE file = CreateFileA(installed, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD got = 0;
    ReadFile(file, actual, sizeof actual, &got, NULL);
    CloseHandle(file);
    return expectedSize >= 0 && (DWORD)expectedSize == got && memcmp(expected, actual, got) == 0;
}

int CheckInstalled(const char *model, const char *port, const char *files, int isDefault)
{
    const PRINTER_INFO_2A *printer = ReadPrinterRecord(model);
    E2E_REQUIRE(printer, "no printer %s", model);
    E2E_REQUIRE(printer->pPortName && strcmp(printer->pPortName, port) == 0, "printer on port \"%s\", not %s",
                printer->pPortName ? printer->pPortName : "", port);
    E2E_REQUIRE(printer->pDriverName && strcmp(printer->pDriverName, model) == 0, "printer uses driver \"%s\"",
                printer->pDriverName ? printer->pDriverName : "");

    const DRIVER_INFO_3A *driver = (const DRIVER_INFO_3A *)ReadDriverRecord(model, 3);
    E2E_REQUIRE(driver, "no Windows NT x86 driver record for %s", model);
    E2E_REQUIRE(driver->cVersion == 3, "driver version %lu", driver->cVersion);
    E2E_REQUIRE(driver->pDataFile && strstr(driver->pDataFile, "KV_R52x.GPD"), "data file %s",
                driver->pDataFile ? driver->pDataFile : "(none)");
    E2E_REQUIRE(driver->pDriverPath && strstr(driver->pDriverPath, "UNIDRV.DLL"), "driver path %s",
                driver->pDriverPath ? driver->pDriverPath : "(none)");

    char directory[MAX_PATH];
    E2E_REQUIRE(ReadX86DriverDirectory(directory, sizeof directory), "no driver directory");
    char list[1024];
    lstrcpynA(list, files, sizeof list);
    for (char *name = strtok(list, ","); name; name = strtok(NULL, ",")) {
        char source[MAX_PATH], first[MAX_PATH], second[MAX_PATH];
        snprintf(source, sizeof source, "%s%s", E2e.PackageDir, name);
        snprintf(first, sizeof first, "%s\\%s", directory, name);
        snprintf(second, sizeof second, "%s\\3\\%s", directory, name);
        E2E_REQUIRE(SameContent(source, first), "%s is not the expanded %s", first, name);
        E2E_REQUIRE(SameContent(source, second), "%s is not the expanded %s", second, name);
    }

    char device[512];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    size_t length = strlen(model);
    int named = strncmp(device, model, length) == 0 && device[length] == ',';
    E2E_REQUIRE(named == isDefault, "default printer entry \"%s\"", device);
    return 1;
}

void RemoveInstalled(const char *model)
{
    RemoveFixturePrinter(model, model);
    char device[512];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    size_t length = strlen(model);
    if (strncmp(device, model, length) == 0 && device[length] == ',')
        WriteProfileStringA("windows", "device", NULL);
}

/* The sample package's models and their files. */
#define R521 "Kest KV-R521"
#define R521_FILES "KV_R52x.GPD,KV_R52x.DLL,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP"
#define R524 "Kest KV-R524 Duplex"
#define R524_FILES "KV_R52x.GPD,KV_R52x.DLL,KV_DUPLX.GPD,KV_R52x.INI,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP"
#define R528 "Kest KV-R528 Color"
#define R528_FILES "KV_R52x.GPD,KV_R52x.DLL,KV_COLOR.ICM,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP"

/* One whole installation of the sample package, checked and then undone so
   that the next scenario starts from a clean spooler. A NULL `choose` or
   `choosePort` leaves the choice to the page (its first model, its initial
   port), which must then be `model` and `port`. */
static int InstallSample(const char *version, const char *choose, const char *model, const char *choosePort,
                         const char *port, const char *files, int setDefault)
{
    E2E_REQUIRE(PreparePackage(E2e.SampleDir), "package folder not prepared");
    RemoveInstalled(model);
    InstallPlan plan = { version, choose, choosePort, setDefault, 0, 0 };
    InstallRecord record;
    int passed = RunWholeInstall(&plan, &record);
    if (passed && (strcmp(record.Model, model) != 0 || strcmp(record.Port, port) != 0))
        passed = E2eFail(__FILE__, __LINE__, "chose %s on %s, expected %s on %s", record.Model, record.Port,
                         model, port);
    passed = passed && CheckInstalled(model, port, files, setDefault);
    if (passed)
        printf("installed %s on %s under %s\n", model, port, version);
    RemoveInstalled(model);
    return passed;
}

E2E_SCENARIO(install_win2k) { return InstallSample("win2k", R521, R521, "LPT1:", "LPT1:", R521_FILES, 0); }
E2E_SCENARIO(install_winxp) { return InstallSample("winxp", R524, R524, "COM2:", "COM2:", R524_FILES, 1); }
E2E_SCENARIO(install_vista) { return InstallSample("vista", R528, R528, "FILE:", "FILE:", R528_FILES, 0); }
/* The page's own choices: the first model, and COM1: in a prefix without
   infrared ports. */
E2E_SCENARIO(install_win7) { return InstallSample("win7", NULL, R521, NULL, "COM1:", R521_FILES, 1); }

/* Run by tests.cmake in a 64-bit prefix only, hence registered by hand: the
   32-bit program installs the x86 driver there too. */
static int InstallWin7In64BitPrefix(void)
{
    return InstallSample("win7", R528, R528, "LPT1:", "LPT1:", R528_FILES, 1);
}
[[maybe_unused]] static int install_win7_64bit_registered =
    RegisterScenario("install_win7_64bit", InstallWin7In64BitPrefix);
