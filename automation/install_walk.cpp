#include <stdio.h>
#include <string.h>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "wide_text.h"
#include "ui/resources/resource.h"
#include <lzexpand.h>
#include <winspool.h>
#define PSAPI_VERSION 1
#include <psapi.h>

static const char QuestionText[] = "Are you sure you want to cancel Kest Printer driver installation?";

HWND WaitForPage(int controlId, DWORD timeoutMs)
{
    return WaitForEnabledDialog(Session.Setup.dwProcessId, controlId, NULL, timeoutMs);
}

/* The wizard's own message dialog with that caption, its text read. */
static HWND WaitForMessageDialog(const char *caption, char *text, int size)
{
    HWND box = WaitForEnabledDialog(Session.Setup.dwProcessId, IDC_MSG_TEXT, caption, WINDOW_TIMEOUT);
    text[0] = '\0';
    if (box)
        ReadControlText(box, IDC_MSG_TEXT, text, size);
    return box;
}

int AcknowledgeMessage(const char *caption, const char *expected)
{
    char text[512];
    HWND box = WaitForMessageDialog(caption, text, sizeof text);
    WALK_REQUIRE(box, "no message \"%s\"", caption);
    WALK_REQUIRE(strcmp(text, expected) == 0, "message \"%s\" says \"%s\"", caption, text);
    Shot(caption);
    WALK_REQUIRE(ClickButton(box, IDOK) && WaitForWindowGone(box, WINDOW_TIMEOUT), "message \"%s\" stays", caption);
    return 1;
}

/* The status window while it shows `text`. */
static HWND WaitForStatus(const char *text, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND status = WaitForPage(IDC_STATUS_TEXT, 0);
        char shown[128] = "";
        if (status)
            ReadControlText(status, IDC_STATUS_TEXT, shown, sizeof shown);
        if (status && strcmp(shown, text) == 0)
            return status;
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        PumpFor(10);
    }
}

int ChooseListItem(HWND page, int listId, const char *wanted, char *chosen, int size)
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

void SelectedText(HWND page, int listId, char *out, int size)
{
    out[0] = '\0';
    int selection = ListSelection(page, listId);
    if (selection >= 0)
        ListText(page, listId, selection, out, size);
}

/* 1 when the control `id` of the dialog has the keyboard focus. */
static int HasFocus(HWND dialog, int id)
{
    return FocusedControl(dialog) == GetDlgItem(dialog, id);
}

HWND StartToWelcome(const char *wineVersion, const char *arguments)
{
    if (!SetWineVersion(wineVersion))
        return WalkFail(__FILE__, __LINE__, "Wine version %s not set", wineVersion), (HWND)NULL;
    if (!LaunchSetup(arguments))
        return WalkFail(__FILE__, __LINE__, "setup.exe not started"), (HWND)NULL;
    /* The owner window that covers the desktop stays hidden throughout. */
    HWND owner = WaitForAnyWindow(Session.Setup.dwProcessId, "KV_R52X_Driver_Setup", "Printer Driver Setup",
                                  WINDOW_TIMEOUT);
    if (!owner || IsWindowVisible(owner))
        return WalkFail(__FILE__, __LINE__, "no hidden owner window \"Printer Driver Setup\""), (HWND)NULL;
    HWND status = WaitForStatus("Reading setup information...", WINDOW_TIMEOUT);
    if (!status)
        return WalkFail(__FILE__, __LINE__, "no \"Reading setup information...\" status window"), (HWND)NULL;
    Shot("01-reading");
    if (WaitForPage(IDC_WELCOME_TEXT, 0))
        return WalkFail(__FILE__, __LINE__, "the welcome page came with the status window"), (HWND)NULL;
    HWND welcome = WaitForPage(IDC_WELCOME_TEXT, WINDOW_TIMEOUT);
    if (!welcome)
        return WalkFail(__FILE__, __LINE__, "no welcome page after the status window"), (HWND)NULL;
    if (IsWindow(status) && IsWindowVisible(status))
        return WalkFail(__FILE__, __LINE__, "the status window stays with the welcome page"), (HWND)NULL;
    if (!HasFocus(welcome, ID_NEXT))
        return WalkFail(__FILE__, __LINE__, "Next has not the focus"), (HWND)NULL;
    return welcome;
}

HWND ClickTo(HWND page, int buttonId, int controlId)
{
    if (!ClickButton(page, buttonId))
        return WalkFail(__FILE__, __LINE__, "no button %d", buttonId), (HWND)NULL;
    /* The port page's Next may remove an earlier installation first. */
    HWND next = WaitForPage(controlId, 60000);
    if (!next)
        return WalkFail(__FILE__, __LINE__, "no window with control %d after button %d", controlId, buttonId),
               (HWND)NULL;
    return next;
}

int AnswerCancel(HWND page, CancelWay way, int answer)
{
    if (way == CANCEL_BUTTON)
        WALK_REQUIRE(ClickButton(page, IDCANCEL), "no Cancel");
    else if (way == CANCEL_ESCAPE)
        PostEscape(page);
    else
        PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
    char text[256];
    HWND question = WaitForMessageDialog("Question", text, sizeof text);
    WALK_REQUIRE(question, "no cancel question");
    WALK_REQUIRE(strcmp(text, QuestionText) == 0, "question \"%s\"", text);
    Shot("question");
    WALK_REQUIRE(ClickButton(question, answer), "no button %d in the question", answer);
    WALK_REQUIRE(WaitForWindowGone(question, WINDOW_TIMEOUT), "the question stays");
    return 1;
}

/* Checks the exit page for success or failure. */
static int CheckExitPage(HWND exitPage, int success)
{
    char text[256];
    ReadControlText(exitPage, IDC_EXIT_TEXT, text, sizeof text);
    WALK_REQUIRE(strcmp(text, success ? SUCCESS_TEXT : FAILURE_TEXT) == 0, "the exit page says \"%s\"", text);
    HWND box = GetDlgItem(exitPage, IDC_SET_DEFAULT);
    WALK_REQUIRE(!!IsWindowVisible(box) == success, "default-printer box %s", success ? "hidden" : "shown");
    WALK_REQUIRE(!success || CheckState(exitPage, IDC_SET_DEFAULT) == BST_CHECKED, "default-printer box not checked");
    WALK_REQUIRE(HasFocus(exitPage, IDOK), "Ok has not the focus");
    return 1;
}

/* Ends a checked exit page and waits for setup.exe to end with 0. */
static int EndExitPage(HWND exitPage, ExitWay way)
{
    if (way == EXIT_OK_BOX_CLEARED) {
        WALK_REQUIRE(ClickButton(exitPage, IDC_SET_DEFAULT), "no default-printer box");
        for (int i = 0; i < 200 && CheckState(exitPage, IDC_SET_DEFAULT) != BST_UNCHECKED; i++)
            PumpFor(10);
        WALK_REQUIRE(CheckState(exitPage, IDC_SET_DEFAULT) == BST_UNCHECKED, "the box stays checked");
    }
    Shot("07-exit");
    if (way == EXIT_ESCAPE)
        PostEscape(exitPage);
    else
        WALK_REQUIRE(ClickButton(exitPage, IDOK), "no Ok on the exit page");
    DWORD exitCode = 1;
    WALK_REQUIRE(WaitForSetupExit(EXIT_TIMEOUT, &exitCode), "setup.exe still runs after the exit page");
    WALK_REQUIRE(exitCode == 0, "exit code %lu", exitCode);
    return 1;
}

int FinishExitPage(int success, ExitWay way)
{
    HWND exitPage = WaitForPage(IDC_EXIT_TEXT, WINDOW_TIMEOUT);
    WALK_REQUIRE(exitPage, "no exit page");
    return CheckExitPage(exitPage, success) && EndExitPage(exitPage, way);
}

/* The icon group the port list shows beside a port: the setup icon for
   FILE: in any case, the port icon for names beginning with LPT or COM in
   upper case, the network icon for the rest. */
static const char *PortIconGroup(const char *port)
{
    if (lstrcmpiA(port, "FILE:") == 0)
        return "IDI_SETUP";
    return strncmp(port, "LPT", 3) == 0 || strncmp(port, "COM", 3) == 0 ? "IDI_PORT" : "IDI_NETWORK";
}

/* Answers the "Add a printer error " box of each of the two registration
   runs. */
static int AnswerRefusals(InstallRecord *record, DWORD timeoutMs)
{
    for (int run = 0; run < 2; run++) {
        char text[256];
        HWND box = WaitForMessageBox(Session.Setup.dwProcessId, "Add a printer error ", text, sizeof text, timeoutMs);
        WALK_REQUIRE(box, "no \"Add a printer error \" box in registration run %d", run + 1);
        if (run == 0) {
            lstrcpynA(record->RefusalText, text, sizeof record->RefusalText);
            Shot("06-refused");
        }
        record->Refusals++;
        WALK_REQUIRE(ClickButton(box, IDOK) && WaitForWindowGone(box, WINDOW_TIMEOUT), "the box stays");
    }
    return 1;
}

InstallPlan PlanInstall(const char *wineVersion, const char *model, const char *port)
{
    InstallPlan plan;
    ZeroMemory(&plan, sizeof plan);
    plan.WineVersion = wineVersion;
    plan.Model = model;
    plan.Port = port;
    return plan;
}

/* Milliseconds since setup.exe was started. */
static DWORD SinceLaunch(void)
{
    return GetTickCount() - Session.LaunchedAt;
}

/* The welcome page: its text read, its layout checked. */
static int WalkWelcomePage(HWND welcome, InstallRecord *record)
{
    record->WelcomeShown = SinceLaunch();
    ReadControlText(welcome, IDC_WELCOME_TEXT, record->WelcomeText, sizeof record->WelcomeText);
    if (!CheckPageLayout(welcome, 0, NULL))
        return 0;
    Shot("02-welcome");
    record->WelcomeNextClicked = SinceLaunch();
    return 1;
}

/* The model page: the list focused, the plan's model chosen, the layout
   checked, Next clicked. A printer the spooler is not to refuse gets a
   driver for this process's own environment first. */
static int WalkModelPage(HWND model, const InstallPlan *plan, InstallRecord *record)
{
    record->ModelShown = SinceLaunch();
    record->ModelCount = ListCount(model, IDC_MODEL_LIST);
    WALK_REQUIRE(HasFocus(model, IDC_MODEL_LIST), "the model list has not the focus");
    WALK_REQUIRE(ChooseListItem(model, IDC_MODEL_LIST, plan->Model, record->Model, sizeof record->Model),
                 "model %s not in the list", plan->Model ? plan->Model : "(first)");
    if (!CheckPageLayout(model, IDC_MODEL_LIST, "IDI_PRINTER"))
        return 0;
    if (!plan->PrinterRefused)
        WALK_REQUIRE(StageOwnEnvironmentDriver(record->Model), "no %s driver for this process's environment",
                     record->Model);
    Shot("03-model");
    record->ModelNextClicked = SinceLaunch();
    WALK_REQUIRE(ClickButton(model, ID_NEXT), "no Next on the model page");
    return 1;
}

/* The port page: the list focused, the plan's port chosen, the layout
   checked, Next clicked. */
static int WalkPortPage(HWND port, const InstallPlan *plan, InstallRecord *record)
{
    WALK_REQUIRE(HasFocus(port, IDC_PORT_LIST), "the port list has not the focus");
    WALK_REQUIRE(ChooseListItem(port, IDC_PORT_LIST, plan->Port, record->Port, sizeof record->Port),
                 "port %s not in the list", plan->Port ? plan->Port : "(initial)");
    if (!CheckPageLayout(port, IDC_PORT_LIST, PortIconGroup(record->Port)))
        return 0;
    Shot("04-port");
    record->PortNextClicked = SinceLaunch();
    WALK_REQUIRE(ClickButton(port, ID_NEXT), "no Next on the port page");
    return 1;
}

/* The copy dialog, then the writing status window through both
   registration runs and their waits, a refused printer's boxes answered,
   up to the exit page, which goes to *exitPage. */
static int WalkCopyAndRegistration(const InstallPlan *plan, InstallRecord *record, DWORD timeoutMs, HWND *exitPage)
{
    HWND copy = WaitForPage(IDC_COPY_BAR, timeoutMs);
    WALK_REQUIRE(copy, "no copy dialog");
    record->CopyShown = SinceLaunch();
    Shot("05-copy");
    HWND status = WaitForStatus("Writing system information...", timeoutMs);
    WALK_REQUIRE(status, "no \"Writing system information...\" status window after the copy");
    DWORD statusSeen = GetTickCount();
    record->CopyGone = SinceLaunch();
    WALK_REQUIRE(!IsWindow(copy) || !IsWindowVisible(copy), "the copy dialog stays with the status window");
    Shot("06-writing");
    if (plan->PrinterRefused && !AnswerRefusals(record, timeoutMs))
        return 0;

    *exitPage = WaitForPage(IDC_EXIT_TEXT, timeoutMs);
    WALK_REQUIRE(*exitPage, "no exit page");
    record->ExitShown = SinceLaunch();
    /* Two registration runs, each followed by a wait of two seconds. */
    WALK_REQUIRE(GetTickCount() - statusSeen >= 3000, "the registration took only %lu ms",
                 GetTickCount() - statusSeen);
    WALK_REQUIRE(!IsWindow(status) || !IsWindowVisible(status), "the status window stays with the exit page");
    return 1;
}

/* The exit page: setup.exe's peak memory read, the page and its layout
   checked, ended with the plan's choice of default printer. */
static int WalkExitPage(HWND exitPage, const InstallPlan *plan, InstallRecord *record)
{
    PROCESS_MEMORY_COUNTERS memory;
    ZeroMemory(&memory, sizeof memory);
    if (GetProcessMemoryInfo(Session.Setup.hProcess, &memory, sizeof memory)) {
        record->PeakWorkingSet = memory.PeakWorkingSetSize;
        record->PeakPagefile = memory.PeakPagefileUsage;
    }
    int success = !plan->PrinterRefused;
    if (!CheckExitPage(exitPage, success) || !CheckPageLayout(exitPage, 0, NULL))
        return 0;
    return EndExitPage(exitPage, success && !plan->SetDefault ? EXIT_OK_BOX_CLEARED : EXIT_OK);
}

int RunWholeInstall(const InstallPlan *plan, InstallRecord *record)
{
    ZeroMemory(record, sizeof *record);
    DWORD slowTimeout = plan->SlowStepTimeout ? plan->SlowStepTimeout : 60000;
    HWND welcome = StartToWelcome(plan->WineVersion, plan->Arguments);
    if (!welcome || !WalkWelcomePage(welcome, record))
        return 0;
    HWND model = ClickTo(welcome, ID_NEXT, IDC_MODEL_LIST);
    if (!model || !WalkModelPage(model, plan, record))
        return 0;
    HWND port = WaitForPage(IDC_PORT_LIST, slowTimeout);
    WALK_REQUIRE(port, "no port page after choosing %s", record->Model);
    record->PortShown = SinceLaunch();
    if (plan->StopOnPortPage)
        return 1;
    HWND exitPage = NULL;
    return WalkPortPage(port, plan, record) && WalkCopyAndRegistration(plan, record, slowTimeout, &exitPage)
           && WalkExitPage(exitPage, plan, record);
}

/* Reads a file through the LZ library, expanded when it is compressed, into
   `out` (size bytes). The number of bytes, or -1. */
static LONG ReadExpanded(const char *path, char *out, LONG size)
{
    OFSTRUCT openInfo;
    INT handle = LZOpenFileA((LPSTR)path, &openInfo, OF_READ);
    if (handle < 0) {
        /* The library opens paths of at most 127 bytes; LZInit expands any
           file handle. */
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        handle = file == INVALID_HANDLE_VALUE ? -1 : LZInit(HandleToLong(file));
        if (handle < 0) {
            CloseHandle(file);
            return -1;
        }
    }
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

/* The names of a multi-string, bare, joined by commas. */
static std::wstring JoinBareNames(const wchar_t *list)
{
    std::wstring names;
    for (; list && *list; list += wcslen(list) + 1) {
        const wchar_t *slash = wcsrchr(list, L'\\');
        names += (names.empty() ? L"" : L",") + std::wstring(slash ? slash + 1 : list);
    }
    return names;
}

int CheckInstalled(const char *model, const char *port, const char *files, int isDefault)
{
    const std::wstring wideModel = Utf16(model), widePort = Utf16(port);
    const PRINTER_INFO_2W *printer = ReadPrinterRecord(wideModel.c_str());
    WALK_REQUIRE(printer, "no printer %s", model);
    WALK_REQUIRE(printer->pPortName && widePort == printer->pPortName, "printer on port \"%s\", not %s",
                 Utf8(printer->pPortName).c_str(), port);
    WALK_REQUIRE(printer->pDriverName && wideModel == printer->pDriverName, "printer uses driver \"%s\"",
                 Utf8(printer->pDriverName).c_str());

    const DRIVER_INFO_6W *driver = (const DRIVER_INFO_6W *)ReadDriverRecord(wideModel.c_str(), 6);
    WALK_REQUIRE(driver, "no Windows NT x86 driver record for %s", model);
    WALK_REQUIRE(driver->cVersion == 3, "driver version %lu", driver->cVersion);
    WALK_REQUIRE(driver->pDataFile && wcsstr(driver->pDataFile, L"KV_R52x.GPD"), "data file %s",
                 Utf8(driver->pDataFile).c_str());
    WALK_REQUIRE(driver->pDriverPath && wcsstr(driver->pDriverPath, L"UNIDRV.DLL"), "driver path %s",
                 Utf8(driver->pDriverPath).c_str());
    std::wstring names = JoinBareNames(driver->pDependentFiles);
    WALK_REQUIRE(names == Utf16(files), "driver %s has the files %s", model, Utf8(names.c_str()).c_str());
    /* The model's own name alone, whatever model was chosen before it. */
    names = JoinBareNames(driver->pszzPreviousNames);
    WALK_REQUIRE(names == wideModel, "driver %s has the previous names %s", model, Utf8(names.c_str()).c_str());

    char directory[MAX_PATH];
    WALK_REQUIRE(ReadX86DriverDirectory(directory, sizeof directory), "no driver directory");
    /* The file names as the wizard, a program of this code page, names them. */
    char list[1024];
    lstrcpynA(list, InCodePage(files, CP_ACP).c_str(), sizeof list);
    for (char *name = strtok(list, ","); name; name = strtok(NULL, ",")) {
        char source[MAX_PATH], first[MAX_PATH], second[MAX_PATH];
        snprintf(source, sizeof source, "%s%s", Session.PackageDir, name);
        snprintf(first, sizeof first, "%s\\%s", directory, name);
        snprintf(second, sizeof second, "%s\\3\\%s", directory, name);
        WALK_REQUIRE(SameAsPackageFile(source, first), "%s is not the expanded %s", first, name);
        WALK_REQUIRE(SameAsPackageFile(source, second), "%s is not the expanded %s", second, name);
    }

    wchar_t device[512];
    GetProfileStringW(L"windows", L"device", L"", device, sizeof device / sizeof device[0]);
    const std::wstring expected = wideModel + L"," + wideModel + L"," + widePort;
    WALK_REQUIRE((expected == device) == !!isDefault, "default printer entry \"%s\"", Utf8(device).c_str());
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
