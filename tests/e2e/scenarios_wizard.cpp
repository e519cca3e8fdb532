/*
 * The whole wizard, driven from outside as a user would drive it: every
 * page, the copy, the registration and the exit page, on every road. The
 * checks afterwards ask Wine's spooler, the driver directories and the
 * profile what the installation left behind.
 *
 * Each scenario runs inside WithCleanSpooler, which takes away the sample
 * models' printers and drivers before and after and puts the default
 * printer and the port list back as they were.
 */
#include <stdio.h>
#include <string.h>
#include "session.h"
#include "spooler_readback.h"
#include "ui/resources/resource.h"

#define OWNER_CLASS "KV_R52X_Driver_Setup"
#define WIZARD_CAPTION "Kest Printer Driver Install Wizard"
#define EXIT_CAPTION "Printer Driver Setup"
#define COPY_CAPTION "Copying Files..."
#define ENVIRONMENT "Windows NT x86"
#define PORTS_KEY "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports"

#define MODEL_521 "Kest KV-R521"
#define MODEL_524 "Kest KV-R524 Duplex"
#define MODEL_528 "Kest KV-R528 Color"

static const char *const SampleModels[] = { MODEL_521, MODEL_524, MODEL_528 };

/* The sample INF's file lists, as FileList holds them. */
static const char Files521[] = "KV_R52x.GPD\0KV_R52x.DLL\0UNIDRV.DLL\0UNIDRVUI.DLL\0UNIDRV.HLP\0";
static const char Files528[] = "KV_R52x.GPD\0KV_R52x.DLL\0KV_COLOR.ICM\0UNIDRV.DLL\0UNIDRVUI.DLL\0UNIDRV.HLP\0";

static const char QuestionText[] = "Are you sure you want to cancel Kest Printer driver installation?";

/* ------------------------------------------------------------------ */
/* Finding the wizard's windows                                        */

/* An enabled, visible dialog of setup.exe holding the control. */
static HWND WaitForDialog(int controlId, const char *caption = NULL, DWORD timeoutMs = WINDOW_TIMEOUT)
{
    return WaitForEnabledDialog(Session.Setup.dwProcessId, controlId, caption, timeoutMs);
}

static HWND WaitForWelcome(DWORD timeoutMs = WINDOW_TIMEOUT) { return WaitForDialog(IDC_WELCOME_TEXT, WIZARD_CAPTION, timeoutMs); }
static HWND WaitForModelPage(DWORD timeoutMs = WINDOW_TIMEOUT) { return WaitForDialog(IDC_MODEL_LIST, WIZARD_CAPTION, timeoutMs); }
static HWND WaitForPortPage(DWORD timeoutMs = WINDOW_TIMEOUT) { return WaitForDialog(IDC_PORT_LIST, WIZARD_CAPTION, timeoutMs); }
static HWND WaitForExitPage(DWORD timeoutMs = WINDOW_TIMEOUT) { return WaitForDialog(IDC_EXIT_TEXT, EXIT_CAPTION, timeoutMs); }
static HWND WaitForCopyDialog(DWORD timeoutMs = WINDOW_TIMEOUT) { return WaitForDialog(IDC_COPY_BAR, COPY_CAPTION, timeoutMs); }

/* The status window showing `text`. */
static HWND WaitForStatus(const char *text, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND status = WaitForDialog(IDC_STATUS_TEXT, NULL, 0);
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

/* The wizard's own message dialog of that caption, its text read. */
static HWND WaitForMessageDialog(const char *caption, char *text, int size)
{
    HWND box = WaitForDialog(IDC_MSG_TEXT, caption);
    text[0] = '\0';
    if (box)
        ReadControlText(box, IDC_MSG_TEXT, text, size);
    return box;
}

/* Selects the list item with that text; 1 when there is one. */
static int SelectItem(HWND page, int listId, const char *text)
{
    int count = ListCount(page, listId);
    for (int i = 0; i < count; i++) {
        char item[256];
        ListText(page, listId, i, item, sizeof item);
        if (strcmp(item, text) == 0)
            return SendDlgItemMessageW(page, listId, LB_SETCURSEL, i, 0) == i;
    }
    return 0;
}

static void SelectedText(HWND page, int listId, char *out, int size)
{
    out[0] = '\0';
    int selection = ListSelection(page, listId);
    if (selection >= 0)
        ListText(page, listId, selection, out, size);
}

/* Double-clicks the first item of a list, as the mouse would. */
static void DoubleClickFirstItem(HWND page, int listId)
{
    HWND list = GetDlgItem(page, listId);
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 0, (LPARAM)&item);
    LPARAM where = MAKELPARAM(item.left + 40, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
}

/* ------------------------------------------------------------------ */
/* The spooler, the files and the profile                              */

/* Appends the names of a multi-string to `out`, bare, with commas between. */
static void JoinBareNames(char *out, size_t size, const char *list)
{
    for (; list && *list; list += strlen(list) + 1) {
        const char *name = strrchr(list, '\\') ? strrchr(list, '\\') + 1 : list;
        size_t used = strlen(out);
        snprintf(out + used, size - used, "%s%s", used ? "," : "", name);
    }
}

static int ReadWholeFile(const char *path, char *out, DWORD size, DWORD *length)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int ok = ReadFile(file, out, size, length, NULL);
    CloseHandle(file);
    return ok;
}

/* Every file of the list lies in the driver directory and in its "3"
   subdirectory: an LZ-compressed source ("SZDD" header) expanded to the
   size its header names, any other source copied byte for byte. Returns
   0 with the file's name in `bad`. */
static int FilesInstalled(const char *files, char *bad, int badSize)
{
    char directory[MAX_PATH];
    if (!ReadX86DriverDirectory(directory, sizeof directory))
        return snprintf(bad, badSize, "(no driver directory)"), 0;
    static char source[65536], target[65536];
    for (const char *name = files; *name; name += strlen(name) + 1) {
        char path[MAX_PATH];
        DWORD sourceLength = 0;
        snprintf(path, sizeof path, "%s%s", Session.PackageDir, name);
        if (!ReadWholeFile(path, source, sizeof source, &sourceLength))
            return snprintf(bad, badSize, "%s (source)", name), 0;
        int compressed = sourceLength >= 14 && memcmp(source, "SZDD", 4) == 0;
        DWORD expandedLength = compressed ? *(DWORD *)(source + 10) : sourceLength;
        static const char *const subdirectories[] = { "", "3\\" };
        for (const char *subdirectory : subdirectories) {
            DWORD targetLength = 0;
            snprintf(path, sizeof path, "%s\\%s%s", directory, subdirectory, name);
            if (!ReadWholeFile(path, target, sizeof target, &targetLength))
                return snprintf(bad, badSize, "%s missing", path), 0;
            if (targetLength != expandedLength || (compressed && memcmp(target, "SZDD", 4) == 0) ||
                (!compressed && memcmp(source, target, sourceLength) != 0))
                return snprintf(bad, badSize, "%s: %lu bytes, expected %lu", path, targetLength, expandedLength), 0;
        }
    }
    return 1;
}

static void ReadDefaultPrinter(char *out, DWORD size)
{
    GetProfileStringA("windows", "device", "", out, size);
}

/* The profile's default printer entry is `expected`. */
static int DefaultPrinterIs(const char *expected)
{
    char device[1024];
    ReadDefaultPrinter(device, sizeof device);
    WALK_REQUIRE(strcmp(device, expected) == 0, "default printer \"%s\", expected \"%s\"", device, expected);
    return 1;
}

/* ------------------------------------------------------------------ */
/* A clean spooler around each scenario                                */

static char SavedDefault[1024];

/* Ports a scenario added (1) or took away (0), put back as they were
   afterwards. */
static struct { const char *name; int added; } ChangedPorts[4];
static int ChangedPortCount;

static int ChangePort(const char *name, int add)
{
    HKEY key;
    if (ChangedPortCount == 4 || RegOpenKeyExA(HKEY_LOCAL_MACHINE, PORTS_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    LONG status = add ? RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)"", 1) : RegDeleteValueA(key, name);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS)
        ChangedPorts[ChangedPortCount++] = { name, add };
    return status == ERROR_SUCCESS;
}

static void RestorePorts(void)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PORTS_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < ChangedPortCount; i++) {
        if (ChangedPorts[i].added)
            RegDeleteValueA(key, ChangedPorts[i].name);
        else
            RegSetValueExA(key, ChangedPorts[i].name, 0, REG_SZ, (const BYTE *)"", 1);
    }
    RegCloseKey(key);
    ChangedPortCount = 0;
}

/* A driver of another name that a scenario puts the model's printer on. */
#define OTHER_DRIVER "E2E Other Driver"

static void RemoveSampleModels(void)
{
    for (const char *model : SampleModels)
        RemoveFixturePrinter(model, model);
    DeletePrinterDriverA(NULL, (LPSTR)ENVIRONMENT, (LPSTR)OTHER_DRIVER);
}

/* Runs `body` between two clean-ups; the default printer and the ports are
   put back whatever the body did. A 64-bit run gets the sample models'
   drivers for its own environment, which its spooler needs for a printer. */
static int WithCleanSpooler(int (*body)(void))
{
    RemoveSampleModels();
    for (const char *model : SampleModels)
        WALK_REQUIRE(StageOwnEnvironmentDriver(model), "no %s driver for this process's environment", model);
    ReadDefaultPrinter(SavedDefault, sizeof SavedDefault);
    int passed = body();
    EndSetup();
    RestorePorts();
    RemoveSampleModels();
    WriteProfileStringA("windows", "device", SavedDefault[0] ? SavedDefault : NULL);
    return passed;
}

/* ------------------------------------------------------------------ */
/* Steps of the road                                                   */

/* Starts setup.exe in the prepared package folder and waits for the welcome
   page. With `timing`, checks the start: the hidden owner window, then the
   reading status for about a second, then the page. */
static int StartToWelcome(HWND *welcome, int timing)
{
    WALK_REQUIRE(SetWineVersion("win7"), "Wine version not set");
    WALK_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
    HWND owner = WaitForAnyWindow(Session.Setup.dwProcessId, OWNER_CLASS, NULL, WINDOW_TIMEOUT);
    WALK_REQUIRE(owner, "no owner window");
    DWORD ownerSeen = GetTickCount();
    if (timing) {
        HWND status = WaitForStatus("Reading setup information...", WINDOW_TIMEOUT);
        DWORD statusSeen = GetTickCount();
        WALK_REQUIRE(status, "no \"Reading setup information...\" status window");
        Shot("reading");
        WALK_REQUIRE(!WaitForWelcome(0), "the welcome page came with the status window");
        *welcome = WaitForWelcome();
        DWORD welcomeSeen = GetTickCount();
        WALK_REQUIRE(*welcome, "no welcome page after the status window");
        printf("owner to status %lu ms, status to welcome %lu ms\n", statusSeen - ownerSeen,
               welcomeSeen - statusSeen);
        /* Seen from another process, each moment may be noticed late on a
           busy machine: the bounds are loose. The unit test of the
           sequencer measures the waits themselves. */
        WALK_REQUIRE(statusSeen - ownerSeen <= 5000, "the status window came %lu ms after the owner window",
                    statusSeen - ownerSeen);
        WALK_REQUIRE(welcomeSeen - statusSeen >= 300 && welcomeSeen - statusSeen <= 8000,
                    "the status window stood %lu ms", welcomeSeen - statusSeen);
        WALK_REQUIRE(!IsWindow(status) || !IsWindowVisible(status), "the status window stays with the welcome page");
    } else {
        *welcome = WaitForWelcome();
        WALK_REQUIRE(*welcome, "no welcome page");
    }
    return 1;
}

static int NextToModelPage(HWND welcome, HWND *modelPage)
{
    WALK_REQUIRE(ClickButton(welcome, ID_NEXT), "no Next on the welcome page");
    *modelPage = WaitForModelPage();
    WALK_REQUIRE(*modelPage, "no model page after Next");
    return 1;
}

static int NextToPortPage(HWND modelPage, HWND *portPage)
{
    WALK_REQUIRE(ClickButton(modelPage, ID_NEXT), "no Next on the model page");
    *portPage = WaitForPortPage();
    WALK_REQUIRE(*portPage, "no port page after Next");
    return 1;
}

/* The sample package prepared (without the file `missing`, when named),
   setup.exe started, Next to the port page. */
static int ToPortPage(HWND *portPage, const char *missing = NULL)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s%s", Session.PackageDir, missing ? missing : "");
    WALK_REQUIRE(!missing || DeleteFileA(path), "%s not deleted", path);
    HWND welcome, modelPage;
    return StartToWelcome(&welcome, 0) && NextToModelPage(welcome, &modelPage) && NextToPortPage(modelPage, portPage);
}

/* From the port page's Next to the exit page: the copy dialog, the
   "Writing system information..." status through both registrations and
   their 2-second waits, then the success page. */
static int CopyAndRegister(HWND portPage, HWND *exitPage)
{
    WALK_REQUIRE(ClickButton(portPage, ID_NEXT), "no Next on the port page");
    HWND copy = WaitForCopyDialog();
    WALK_REQUIRE(copy, "no copy dialog");
    /* Once the copy is under way or done: the names and the bar. The
       dialog stays one second after the last file. */
    char destination[MAX_PATH] = "";
    for (DWORD start = GetTickCount(); !destination[0] && GetTickCount() - start < 5000; PumpFor(20))
        ReadControlText(copy, IDC_COPY_DEST, destination, sizeof destination);
    Shot("copy");
    HWND status = WaitForStatus("Writing system information...", WINDOW_TIMEOUT);
    DWORD statusSeen = GetTickCount();
    WALK_REQUIRE(status, "no \"Writing system information...\" status window");
    WALK_REQUIRE(!IsWindow(copy) || !IsWindowVisible(copy), "the copy dialog stays with the status window");
    Shot("writing");
    *exitPage = WaitForExitPage(30000);
    DWORD exitSeen = GetTickCount();
    WALK_REQUIRE(*exitPage, "no exit page after the registration");
    printf("writing status to exit page %lu ms\n", exitSeen - statusSeen);
    /* Two registrations with a 2-second wait after each. */
    WALK_REQUIRE(exitSeen - statusSeen >= 3000, "the registration took only %lu ms", exitSeen - statusSeen);
    WALK_REQUIRE(!IsWindow(status) || !IsWindowVisible(status), "the status window stays with the exit page");
    return 1;
}

/* What the exit page shows, checked against success or failure. */
static int CheckExitPage(HWND exitPage, int success)
{
    char text[256], notice[256];
    ReadControlText(exitPage, IDC_EXIT_TEXT, text, sizeof text);
    ReadControlText(exitPage, IDC_EXIT_NOTICE, notice, sizeof notice);
    const char *expected = success ? "The Installation has done successfully." : "The Installation has failed.";
    WALK_REQUIRE(strcmp(text, expected) == 0, "exit page says \"%s\"", text);
    WALK_REQUIRE(notice[0] && !strchr(notice, '\n'), "notice line \"%s\"", notice);
    HWND box = GetDlgItem(exitPage, IDC_SET_DEFAULT);
    WALK_REQUIRE(!!IsWindowVisible(box) == success, "default-printer box %s", success ? "hidden" : "shown");
    if (success)
        WALK_REQUIRE(CheckState(exitPage, IDC_SET_DEFAULT) == BST_CHECKED, "default-printer box not checked");
    WALK_REQUIRE(FocusedControl(exitPage) == GetDlgItem(exitPage, IDOK), "Ok has not the focus");
    return 1;
}

enum ExitWay { OK_BOX_CHECKED, OK_BOX_CLEARED, ESCAPE_KEY };

/* Ends the exit page and waits for setup.exe to end with exit code 0. */
static int FinishExitPage(HWND exitPage, ExitWay way)
{
    if (way == OK_BOX_CLEARED) {
        WALK_REQUIRE(ClickButton(exitPage, IDC_SET_DEFAULT), "no default-printer box");
        PumpFor(100);
        WALK_REQUIRE(CheckState(exitPage, IDC_SET_DEFAULT) == BST_UNCHECKED, "the box stays checked");
    }
    if (way == ESCAPE_KEY)
        PostEscape(exitPage);
    else
        WALK_REQUIRE(ClickButton(exitPage, IDOK), "no Ok on the exit page");
    DWORD exitCode = 1;
    WALK_REQUIRE(WaitForSetupExit(EXIT_TIMEOUT, &exitCode), "setup.exe still runs after the exit page");
    WALK_REQUIRE(exitCode == 0, "exit code %lu", exitCode);
    return 1;
}

/* The model installed as the wizard leaves it: driver with exactly these
   files, printer of the model's name on the port, files in both
   directories. */
static int CheckInstalled(const char *model, const char *port, const char *files, const char *dataType)
{
    const DRIVER_INFO_6A *driver = (const DRIVER_INFO_6A *)ReadDriverRecord(model, 6);
    WALK_REQUIRE(driver, "driver %s not registered", model);
    char expected[2048] = "", got[2048] = "", previous[512] = "";
    JoinBareNames(expected, sizeof expected, files);
    JoinBareNames(got, sizeof got, driver->pDependentFiles);
    JoinBareNames(previous, sizeof previous, driver->pszzPreviousNames);
    printf("driver %s: files %s; previous names %s\n", model, got, previous);
    WALK_REQUIRE(strcmp(got, expected) == 0, "driver %s has the files %s", model, got);
    WALK_REQUIRE(strcmp(driver->pDefaultDataType, dataType) == 0, "driver %s has the data type \"%s\"", model,
                driver->pDefaultDataType);
    /* The previous names: the model's own name alone, even after another
       model with a longer name was chosen first. */
    WALK_REQUIRE(strcmp(previous, model) == 0, "driver %s has the previous names %s", model, previous);
    const PRINTER_INFO_2A *printer = ReadPrinterRecord(model);
    WALK_REQUIRE(printer, "no printer %s", model);
    WALK_REQUIRE(strcmp(printer->pDriverName, model) == 0, "printer %s uses the driver %s", model, printer->pDriverName);
    WALK_REQUIRE(strcmp(printer->pPortName, port) == 0, "printer %s is on the port %s", model, printer->pPortName);
    char bad[512];
    WALK_REQUIRE(FilesInstalled(files, bad, sizeof bad), "driver file not installed: %s", bad);
    return 1;
}

static int NothingInstalled(void)
{
    for (const char *model : SampleModels) {
        WALK_REQUIRE(!DriverRegistered(model), "driver %s registered", model);
        WALK_REQUIRE(!PrinterExists(model), "printer %s exists", model);
    }
    return 1;
}

/* Asks to cancel on a page (Cancel button, Escape or the close box) and
   answers the question. On No the page must stay as it was: same page,
   same selection. */
enum CancelWay { CANCEL_BUTTON, CANCEL_ESCAPE, CANCEL_CLOSE_BOX };

static int AskCancel(HWND page, CancelWay way, int answer, const char *shot)
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
    if (shot)
        Shot(shot);
    WALK_REQUIRE(ClickButton(question, answer), "no button %d in the question", answer);
    WALK_REQUIRE(WaitForWindowGone(question, WINDOW_TIMEOUT), "the question stays");
    return 1;
}

/* After a confirmed cancel: the failure page, then exit code 0 and nothing
   registered. */
static int EndsAsFailure(const char *shot)
{
    HWND exitPage = WaitForExitPage();
    WALK_REQUIRE(exitPage, "no exit page after the cancel");
    if (shot)
        Shot(shot);
    if (!CheckExitPage(exitPage, 0) || !FinishExitPage(exitPage, OK_BOX_CHECKED))
        return 0;
    return NothingInstalled();
}

/* ------------------------------------------------------------------ */
/* Scenarios                                                           */

/* The whole road with the sample package: first model, first port rule,
   box left checked. */
static int WholeInstallation(void)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    HWND welcome, modelPage, portPage, exitPage;
    if (!StartToWelcome(&welcome, 1))
        return 0;
    Shot("welcome");
    char text[512];
    ReadControlText(welcome, IDC_WELCOME_TEXT, text, sizeof text);
    WALK_REQUIRE(strstr(text, "Supported operating system:\r\n\tWindows 7 Home x86") == text, "welcome text \"%s\"", text);
    WALK_REQUIRE(FocusedControl(welcome) == GetDlgItem(welcome, ID_NEXT), "Next has not the focus");

    if (!NextToModelPage(welcome, &modelPage))
        return 0;
    Shot("model");
    WALK_REQUIRE(ListCount(modelPage, IDC_MODEL_LIST) == 3, "%d models listed", ListCount(modelPage, IDC_MODEL_LIST));
    SelectedText(modelPage, IDC_MODEL_LIST, text, sizeof text);
    WALK_REQUIRE(strcmp(text, MODEL_521) == 0, "model selected: \"%s\"", text);
    WALK_REQUIRE(FocusedControl(modelPage) == GetDlgItem(modelPage, IDC_MODEL_LIST), "the model list has not the focus");

    if (!NextToPortPage(modelPage, &portPage))
        return 0;
    Shot("port");
    SelectedText(portPage, IDC_PORT_LIST, text, sizeof text);
    WALK_REQUIRE(strcmp(text, "COM1:") == 0, "port selected: \"%s\"", text);
    WALK_REQUIRE(FocusedControl(portPage) == GetDlgItem(portPage, IDC_PORT_LIST), "the port list has not the focus");

    if (!CopyAndRegister(portPage, &exitPage))
        return 0;
    Shot("success");
    if (!CheckExitPage(exitPage, 1) || !FinishExitPage(exitPage, OK_BOX_CHECKED))
        return 0;

    return CheckInstalled(MODEL_521, "COM1:", Files521, "RAW") && DefaultPrinterIs(MODEL_521 "," MODEL_521 ",COM1:");
}
DEFINE_SCENARIO(wizard_whole_installation) { return WithCleanSpooler(WholeInstallation); }

/* Over an earlier installation of the same model, whose printer stands on
   another port and whose driver has other files: both are replaced. Cancel
   answered No in the copy dialog lets the copy go on. */
static int InstallOverEarlier(void)
{
    WALK_REQUIRE(AddFixturePrinter(MODEL_521, MODEL_521, "LPT3:", "OLD_R521.DLL\0"), "earlier installation not made");
    HWND portPage, exitPage;
    if (!ToPortPage(&portPage))
        return 0;
    /* The model page's Next deleted the stale printer already. */
    WALK_REQUIRE(!PrinterExists(MODEL_521), "the stale printer stays after the model page");
    WALK_REQUIRE(ClickButton(portPage, ID_NEXT), "no Next on the port page");
    HWND copy = WaitForCopyDialog();
    WALK_REQUIRE(copy, "no copy dialog");
    if (!AskCancel(copy, CANCEL_BUTTON, IDNO, "copy-question"))
        return 0;
    HWND status = WaitForStatus("Writing system information...", WINDOW_TIMEOUT);
    WALK_REQUIRE(status, "no registration after the copy went on");
    exitPage = WaitForExitPage(30000);
    WALK_REQUIRE(exitPage, "no exit page");
    if (!CheckExitPage(exitPage, 1) || !FinishExitPage(exitPage, OK_BOX_CLEARED))
        return 0;
    /* The box was cleared: the default printer stays. */
    return CheckInstalled(MODEL_521, "COM1:", Files521, "RAW") && DefaultPrinterIs(SavedDefault);
}
DEFINE_SCENARIO(wizard_install_over_earlier) { return WithCleanSpooler(InstallOverEarlier); }

/* Back and Next through the pages: the welcome page again, the first model
   selected again after Back from the port page although another was
   chosen, a double-click that does not advance on either list; the third
   model is installed and the exit page left with Escape: the default
   printer stays. */
static int BackAndNext(void)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    HWND welcome, modelPage, portPage, exitPage;
    char text[256];
    if (!StartToWelcome(&welcome, 0) || !NextToModelPage(welcome, &modelPage))
        return 0;
    WALK_REQUIRE(ClickButton(modelPage, ID_BACK), "no Back on the model page");
    welcome = WaitForWelcome();
    WALK_REQUIRE(welcome, "no welcome page after Back");
    if (!NextToModelPage(welcome, &modelPage))
        return 0;

    /* The longer model first, then Back from the port page. */
    WALK_REQUIRE(SelectItem(modelPage, IDC_MODEL_LIST, MODEL_524), "no model " MODEL_524);
    if (!NextToPortPage(modelPage, &portPage))
        return 0;
    DoubleClickFirstItem(portPage, IDC_PORT_LIST);
    PumpFor(600);
    WALK_REQUIRE(WaitForPortPage(0) == portPage, "a double-click on a port left the page");
    WALK_REQUIRE(ClickButton(portPage, ID_BACK), "no Back on the port page");
    modelPage = WaitForModelPage();
    WALK_REQUIRE(modelPage, "no model page after Back");
    SelectedText(modelPage, IDC_MODEL_LIST, text, sizeof text);
    WALK_REQUIRE(strcmp(text, MODEL_521) == 0, "model selected after Back: \"%s\"", text);

    DoubleClickFirstItem(modelPage, IDC_MODEL_LIST);
    PumpFor(600);
    WALK_REQUIRE(WaitForModelPage(0) == modelPage, "a double-click on a model left the page");
    WALK_REQUIRE(SelectItem(modelPage, IDC_MODEL_LIST, MODEL_528), "no model " MODEL_528);
    if (!NextToPortPage(modelPage, &portPage) || !CopyAndRegister(portPage, &exitPage))
        return 0;
    if (!CheckExitPage(exitPage, 1) || !FinishExitPage(exitPage, ESCAPE_KEY))
        return 0;

    /* Only the last choice was registered, with its own files and data type. */
    if (!CheckInstalled(MODEL_528, "COM1:", Files528, "NT EMF 1.008"))
        return 0;
    static const char *const others[] = { MODEL_521, MODEL_524 };
    for (const char *other : others) {
        WALK_REQUIRE(!DriverRegistered(other), "driver %s registered", other);
    }
    return DefaultPrinterIs(SavedDefault);  /* Escape leaves it */
}
DEFINE_SCENARIO(wizard_back_and_next) { return WithCleanSpooler(BackAndNext); }

/* Choosing a model with fewer files and a shorter name after another:
   FileList and the previous names are the new model's alone. */
static int OtherModelAfterBack(void)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    HWND welcome, modelPage, portPage, exitPage;
    if (!StartToWelcome(&welcome, 0) || !NextToModelPage(welcome, &modelPage))
        return 0;
    WALK_REQUIRE(SelectItem(modelPage, IDC_MODEL_LIST, MODEL_524), "no model " MODEL_524);
    if (!NextToPortPage(modelPage, &portPage))
        return 0;
    WALK_REQUIRE(ClickButton(portPage, ID_BACK), "no Back on the port page");
    modelPage = WaitForModelPage();
    WALK_REQUIRE(modelPage, "no model page after Back");
    WALK_REQUIRE(SelectItem(modelPage, IDC_MODEL_LIST, MODEL_521), "no model " MODEL_521);
    if (!NextToPortPage(modelPage, &portPage))
        return 0;
    WALK_REQUIRE(SelectItem(portPage, IDC_PORT_LIST, "LPT2:"), "no port LPT2:");
    if (!CopyAndRegister(portPage, &exitPage) || !FinishExitPage(exitPage, OK_BOX_CHECKED))
        return 0;
    return CheckInstalled(MODEL_521, "LPT2:", Files521, "RAW") && DefaultPrinterIs(MODEL_521 "," MODEL_521 ",LPT2:");
}
DEFINE_SCENARIO(wizard_other_model_after_back) { return WithCleanSpooler(OtherModelAfterBack); }

/* The port page's first selection, with ports added to or taken from the
   prefix's port list. */
static int PortSelectedAfter(const char *added, const char *removed, const char *expected, const char *shot)
{
    if (added)
        WALK_REQUIRE(ChangePort(added, 1), "port %s not added", added);
    if (removed)
        WALK_REQUIRE(ChangePort(removed, 0), "port %s not removed", removed);
    HWND portPage;
    if (!ToPortPage(&portPage))
        return 0;
    if (shot)
        Shot(shot);
    char text[256];
    SelectedText(portPage, IDC_PORT_LIST, text, sizeof text);
    WALK_REQUIRE(strcmp(text, expected) == 0, "port selected: \"%s\", expected \"%s\"", text, expected);
    if (!expected[0]) {
        /* Nothing selected: Next warns and the page stays. */
        WALK_REQUIRE(ClickButton(portPage, ID_NEXT), "no Next");
        HWND warning = WaitForMessageDialog("Warinig", text, sizeof text);
        WALK_REQUIRE(warning, "no warning");
        WALK_REQUIRE(strcmp(text, "Select printer port to connect.") == 0, "warning \"%s\"", text);
        Shot("port-warning");
        WALK_REQUIRE(ClickButton(warning, IDOK), "no Ok in the warning");
        WALK_REQUIRE(WaitForPortPage() == portPage, "the port page did not stay");
    }
    if (!AskCancel(portPage, CANCEL_BUTTON, IDYES, NULL))
        return 0;
    return EndsAsFailure(NULL);
}
static int IrPortFirst(void) { return PortSelectedAfter("IR:", NULL, "IR:", "port-ir"); }
static int NoPortSelected(void) { return PortSelectedAfter(NULL, "COM1:", "", "port-none"); }
DEFINE_SCENARIO(wizard_port_ir_selected) { return WithCleanSpooler(IrPortFirst); }
DEFINE_SCENARIO(wizard_port_none_selected) { return WithCleanSpooler(NoPortSelected); }

/* An INF without models: an empty list, and Next warns. */
static int NoModels(void)
{
    WALK_REQUIRE(PreparePackage(NULL), "package folder not prepared");
    WALK_REQUIRE(WritePackageFile("KV_R52x.INF", "[Version]\r\nSignature=\"$Windows NT$\"\r\n"), "INF not written");
    HWND welcome, modelPage;
    if (!StartToWelcome(&welcome, 0) || !NextToModelPage(welcome, &modelPage))
        return 0;
    WALK_REQUIRE(ListCount(modelPage, IDC_MODEL_LIST) == 0, "models listed");
    WALK_REQUIRE(ClickButton(modelPage, ID_NEXT), "no Next");
    char text[256];
    HWND warning = WaitForMessageDialog("Warinig", text, sizeof text);
    WALK_REQUIRE(warning, "no warning");
    WALK_REQUIRE(strcmp(text, "Select printer model to install.") == 0, "warning \"%s\"", text);
    Shot("model-warning");
    WALK_REQUIRE(ClickButton(warning, IDOK), "no Ok in the warning");
    WALK_REQUIRE(WaitForModelPage() == modelPage, "the model page did not stay");
    if (!AskCancel(modelPage, CANCEL_ESCAPE, IDYES, NULL))
        return 0;
    return EndsAsFailure(NULL);
}
DEFINE_SCENARIO(wizard_no_models_warning) { return WithCleanSpooler(NoModels); }

/* Cancel on each page: No keeps the page as it was; then a cancel asked in
   another way and answered Yes ends with the failure page. */
static int CancelOn(int pageControl, CancelWay yesWay, const char *shotPrefix)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    HWND page;
    if (!StartToWelcome(&page, 0))
        return 0;
    if (pageControl != IDC_WELCOME_TEXT && !NextToModelPage(page, &page))
        return 0;
    if (pageControl == IDC_PORT_LIST) {
        WALK_REQUIRE(SelectItem(page, IDC_MODEL_LIST, MODEL_528), "no model " MODEL_528);
        if (!NextToPortPage(page, &page))
            return 0;
        WALK_REQUIRE(SelectItem(page, IDC_PORT_LIST, "LPT1:"), "no port LPT1:");
    }
    char before[256] = "", after[256] = "";
    if (pageControl != IDC_WELCOME_TEXT)
        SelectedText(page, pageControl, before, sizeof before);
    char shot[64];
    snprintf(shot, sizeof shot, "%s-question", shotPrefix);
    if (!AskCancel(page, CANCEL_BUTTON, IDNO, shot))
        return 0;
    WALK_REQUIRE(WaitForDialog(pageControl, WIZARD_CAPTION) == page, "the page did not stay after No");
    if (pageControl != IDC_WELCOME_TEXT)
        SelectedText(page, pageControl, after, sizeof after);
    WALK_REQUIRE(strcmp(before, after) == 0, "selection \"%s\" became \"%s\"", before, after);
    if (!AskCancel(page, yesWay, IDYES, NULL))
        return 0;
    snprintf(shot, sizeof shot, "%s-failure", shotPrefix);
    return EndsAsFailure(shot);
}
static int CancelWelcome(void) { return CancelOn(IDC_WELCOME_TEXT, CANCEL_ESCAPE, "welcome"); }
static int CancelModel(void) { return CancelOn(IDC_MODEL_LIST, CANCEL_BUTTON, "model"); }
static int CancelPort(void) { return CancelOn(IDC_PORT_LIST, CANCEL_CLOSE_BOX, "port"); }
DEFINE_SCENARIO(wizard_cancel_welcome) { return WithCleanSpooler(CancelWelcome); }
DEFINE_SCENARIO(wizard_cancel_model) { return WithCleanSpooler(CancelModel); }
DEFINE_SCENARIO(wizard_cancel_port) { return WithCleanSpooler(CancelPort); }

/* Cancel in the copy dialog, answered Yes: the failure page, no driver. */
static int CancelCopy(void)
{
    HWND portPage;
    if (!ToPortPage(&portPage))
        return 0;
    WALK_REQUIRE(ClickButton(portPage, ID_NEXT), "no Next on the port page");
    HWND copy = WaitForCopyDialog();
    WALK_REQUIRE(copy, "no copy dialog");
    if (!AskCancel(copy, CANCEL_ESCAPE, IDYES, NULL))
        return 0;
    return EndsAsFailure("copy-failure");
}
DEFINE_SCENARIO(wizard_cancel_copy) { return WithCleanSpooler(CancelCopy); }

/* A printer of the model's name on a driver of another name: the printer
   goes on the port page's Next, but no driver of the model's name can be
   deleted, so the removal fails, "Setup error" is shown and the
   installation ends as failed. */
static int RemovalFails(void)
{
    WALK_REQUIRE(AddFixturePrinter(MODEL_521, OTHER_DRIVER, "LPT3:", NULL), "earlier printer not made");
    HWND portPage;
    if (!ToPortPage(&portPage))
        return 0;
    WALK_REQUIRE(ClickButton(portPage, ID_NEXT), "no Next on the port page");
    char text[512];
    HWND box = WaitForMessageBox(Session.Setup.dwProcessId, "Setup error", text, sizeof text, WINDOW_TIMEOUT);
    WALK_REQUIRE(box, "no \"Setup error\" message");
    Shot("setup-error");
    WALK_REQUIRE(strcmp(text, "Previous verion driver is currently used by an application.\nTerminate all "
                             "applications. And then delete previous version driver from printer folderand retry.") == 0,
                "message \"%s\"", text);
    WALK_REQUIRE(ClickButton(box, IDOK), "no Ok in the message");
    return EndsAsFailure("setup-error-failure");
}
DEFINE_SCENARIO(wizard_removal_fails) { return WithCleanSpooler(RemovalFails); }

/* A package without one of the model's files: the copy stops with "File
   open error." and the installation ends with the failure page. */
static int CopyFails(void)
{
    HWND portPage;
    if (!ToPortPage(&portPage, "KV_R52x.DLL"))
        return 0;
    WALK_REQUIRE(ClickButton(portPage, ID_NEXT), "no Next on the port page");
    char text[256];
    HWND error = WaitForMessageDialog("Error", text, sizeof text);
    WALK_REQUIRE(error, "no copy error");
    WALK_REQUIRE(strcmp(text, "File open error.") == 0, "copy error \"%s\"", text);
    Shot("copy-error");
    WALK_REQUIRE(ClickButton(error, IDOK), "no Ok in the copy error");
    return EndsAsFailure("copy-error-failure");
}
DEFINE_SCENARIO(wizard_copy_fails) { return WithCleanSpooler(CopyFails); }
