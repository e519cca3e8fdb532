/*
 * The one walk through the wizard, driven from outside as a user would click
 * through it, and the one check of what an installation left behind. Used by
 * run.sh's headless run (walk.exe), by the benchmarks and by the end-to-end
 * scenarios. Every wait is bounded.
 */
#include <stdio.h>
#include <string.h>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "ui/resources/resource.h"
#include <lzexpand.h>
#include <winspool.h>
#define PSAPI_VERSION 1
#include <psapi.h>

#define SUCCESS_TEXT "The Installation has done successfully."
#define FAILURE_TEXT "The Installation has failed."

/* Waits for a dialog of setup.exe that has the control `controlId`: the
   pages share one caption, their controls tell them apart. */
static HWND WaitForPage(int controlId, DWORD timeoutMs)
{
    return WaitForEnabledDialog(Session.Setup.dwProcessId, controlId, NULL, timeoutMs);
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
    WALK_REQUIRE(SetWineVersion(plan->WineVersion), "Wine version %s not set", plan->WineVersion);
    WALK_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
    DWORD start = GetTickCount();

    if (WaitForPage(IDC_STATUS_TEXT, 3000))
        Shot("01-reading");
    HWND welcome = WaitForPage(IDC_WELCOME_TEXT, WINDOW_TIMEOUT);
    WALK_REQUIRE(welcome, "no welcome page");
    record->WelcomeShown = GetTickCount() - start;
    Shot("02-welcome");
    WALK_REQUIRE(ClickButton(welcome, ID_NEXT), "no Next on the welcome page");

    HWND model = WaitForPage(IDC_MODEL_LIST, WINDOW_TIMEOUT);
    WALK_REQUIRE(model, "no model page");
    WALK_REQUIRE(ChooseListItem(model, IDC_MODEL_LIST, plan->Model, record->Model, sizeof record->Model),
                "model %s not in the list", plan->Model ? plan->Model : "(first)");
    if (!plan->PrinterRefused)
        WALK_REQUIRE(StageOwnEnvironmentDriver(record->Model), "no %s driver for this process's environment",
                    record->Model);
    Shot("03-model");
    record->ModelNextClicked = GetTickCount() - start;
    WALK_REQUIRE(ClickButton(model, ID_NEXT), "no Next on the model page");

    /* The port page reads the spooler's whole port list once per port. */
    DWORD slowTimeout = plan->SlowStepTimeout ? plan->SlowStepTimeout : 60000;
    HWND port = WaitForPage(IDC_PORT_LIST, slowTimeout);
    WALK_REQUIRE(port, "no port page after choosing %s", record->Model);
    record->PortShown = GetTickCount() - start;
    WALK_REQUIRE(ChooseListItem(port, IDC_PORT_LIST, plan->Port, record->Port, sizeof record->Port),
                "port %s not in the list", plan->Port ? plan->Port : "(initial)");
    Shot("04-port");
    record->PortNextClicked = GetTickCount() - start;
    WALK_REQUIRE(ClickButton(port, ID_NEXT), "no Next on the port page");

    HWND copy = WaitForPage(IDC_COPY_BAR, slowTimeout);
    WALK_REQUIRE(copy, "no copy dialog");
    record->CopyShown = GetTickCount() - start;
    Shot("05-copy");
    WALK_REQUIRE(WaitForWindowGone(copy, slowTimeout), "the copy dialog stays open");
    record->CopyGone = GetTickCount() - start;
    if (WaitForPage(IDC_STATUS_TEXT, 2000))
        Shot("06-writing");
    /* One box in each of the two registration runs. */
    for (int run = 0; plan->PrinterRefused && run < 2; run++) {
        char text[256];
        HWND box = WaitForMessageBox(Session.Setup.dwProcessId, "Add a printer error ", text, sizeof text, slowTimeout);
        WALK_REQUIRE(box, "no \"Add a printer error \" box in registration run %d", run + 1);
        if (run == 0) {
            lstrcpynA(record->RefusalText, text, sizeof record->RefusalText);
            Shot("06-refused");
        }
        record->Refusals++;
        WALK_REQUIRE(ClickButton(box, IDOK) && WaitForWindowGone(box, WINDOW_TIMEOUT), "the box stays");
    }

    HWND exitPage = WaitForPage(IDC_EXIT_TEXT, slowTimeout);
    WALK_REQUIRE(exitPage, "no exit page");
    record->ExitShown = GetTickCount() - start;
    char text[256];
    ReadControlText(exitPage, IDC_EXIT_TEXT, text, sizeof text);
    const char *expected = plan->PrinterRefused ? FAILURE_TEXT : SUCCESS_TEXT;
    WALK_REQUIRE(strcmp(text, expected) == 0, "the exit page says \"%s\"", text);
    PROCESS_MEMORY_COUNTERS memory;
    ZeroMemory(&memory, sizeof memory);
    if (GetProcessMemoryInfo(Session.Setup.hProcess, &memory, sizeof memory)) {
        record->PeakWorkingSet = memory.PeakWorkingSetSize;
        record->PeakPagefile = memory.PeakPagefileUsage;
    }
    int wantChecked = plan->SetDefault ? BST_CHECKED : BST_UNCHECKED;
    if (plan->PrinterRefused)
        WALK_REQUIRE(!IsWindowVisible(GetDlgItem(exitPage, IDC_SET_DEFAULT)), "the failure page offers a default printer");
    else if (CheckState(exitPage, IDC_SET_DEFAULT) != wantChecked) {
        WALK_REQUIRE(ClickButton(exitPage, IDC_SET_DEFAULT), "no default printer box");
        for (int i = 0; i < 200 && CheckState(exitPage, IDC_SET_DEFAULT) != wantChecked; i++)
            PumpFor(10);
    }
    Shot("07-exit");
    WALK_REQUIRE(ClickButton(exitPage, IDOK), "no Ok on the exit page");
    DWORD exitCode = 1;
    WALK_REQUIRE(WaitForSetupExit(EXIT_TIMEOUT, &exitCode), "setup.exe still runs after Ok");
    WALK_REQUIRE(exitCode == 0, "exit code %lu", exitCode);
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
int SameAsPackageFile(const char *packageFile, const char *installed)
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
    WALK_REQUIRE(printer, "no printer %s", model);
    WALK_REQUIRE(printer->pPortName && strcmp(printer->pPortName, port) == 0, "printer on port \"%s\", not %s",
                printer->pPortName ? printer->pPortName : "", port);
    WALK_REQUIRE(printer->pDriverName && strcmp(printer->pDriverName, model) == 0, "printer uses driver \"%s\"",
                printer->pDriverName ? printer->pDriverName : "");

    const DRIVER_INFO_3A *driver = (const DRIVER_INFO_3A *)ReadDriverRecord(model, 3);
    WALK_REQUIRE(driver, "no Windows NT x86 driver record for %s", model);
    WALK_REQUIRE(driver->cVersion == 3, "driver version %lu", driver->cVersion);
    WALK_REQUIRE(driver->pDataFile && strstr(driver->pDataFile, "KV_R52x.GPD"), "data file %s",
                driver->pDataFile ? driver->pDataFile : "(none)");
    WALK_REQUIRE(driver->pDriverPath && strstr(driver->pDriverPath, "UNIDRV.DLL"), "driver path %s",
                driver->pDriverPath ? driver->pDriverPath : "(none)");

    char directory[MAX_PATH];
    WALK_REQUIRE(ReadX86DriverDirectory(directory, sizeof directory), "no driver directory");
    char list[1024];
    lstrcpynA(list, files, sizeof list);
    for (char *name = strtok(list, ","); name; name = strtok(NULL, ",")) {
        char source[MAX_PATH], first[MAX_PATH], second[MAX_PATH];
        snprintf(source, sizeof source, "%s%s", Session.PackageDir, name);
        snprintf(first, sizeof first, "%s\\%s", directory, name);
        snprintf(second, sizeof second, "%s\\3\\%s", directory, name);
        WALK_REQUIRE(SameAsPackageFile(source, first), "%s is not the expanded %s", first, name);
        WALK_REQUIRE(SameAsPackageFile(source, second), "%s is not the expanded %s", second, name);
    }

    char device[512];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    size_t length = strlen(model);
    int named = strncmp(device, model, length) == 0 && device[length] == ',';
    WALK_REQUIRE(named == isDefault, "default printer entry \"%s\"", device);
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

