/*
 * The wizard's other roads, driven from outside: Back and Next with a
 * shorter model chosen after a longer one, an earlier installation
 * replaced, every way to cancel, no port to select, a removal that fails
 * and copies that fail. Each runs inside WithCleanSpooler, which takes
 * away the sample models' printers and drivers before and after and puts
 * the default printer and the port list back as they were.
 */
#include <stdio.h>
#include <string.h>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "file_write.h"
#include "ui/resources/resource.h"
#include <winspool.h>
#include <initializer_list>

#define MODEL_521 "Kest KV-R521"
#define MODEL_524 "Kest KV-R524 Duplex"
#define MODEL_528 "Kest KV-R528 Color"
#define FILES_521 "KV_R52x.GPD,KV_R52x.DLL,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP"
#define OTHER_DRIVER "Roads Other Driver"
#define PORTS_KEY "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports"

static const char *const SampleModels[] = { MODEL_521, MODEL_524, MODEL_528 };
static char SavedDefault[1024];
static const char *RemovedPort;  /* a port taken from the prefix's list, put back afterwards */

static int ReadDefaultIs(const char *expected)
{
    char device[1024];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    WALK_REQUIRE(strcmp(device, expected) == 0, "default printer \"%s\", expected \"%s\"", device, expected);
    return 1;
}

static void RemoveSampleModels(void)
{
    for (const char *model : SampleModels)
        RemoveFixturePrinter(model, model);
    RemoveFixturePrinter(NULL, OTHER_DRIVER);
}

/* Runs `body` between two clean-ups. A 64-bit run gets the sample models'
   drivers for its own environment, which its spooler needs for a printer. */
static int WithCleanSpooler(int (*body)(void))
{
    RemoveSampleModels();
    for (const char *model : SampleModels)
        WALK_REQUIRE(StageOwnEnvironmentDriver(model), "no %s driver for this process's environment", model);
    GetProfileStringA("windows", "device", "", SavedDefault, sizeof SavedDefault);
    int passed = body();
    EndSetup();
    HKEY key;
    if (RemovedPort && RegOpenKeyExA(HKEY_LOCAL_MACHINE, PORTS_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, RemovedPort, 0, REG_SZ, (const BYTE *)"", 1);
        RegCloseKey(key);
    }
    RemovedPort = NULL;
    RemoveSampleModels();
    WriteProfileStringA("windows", "device", SavedDefault[0] ? SavedDefault : NULL);
    return passed;
}

/* The sample package, its file `changed` (when named) deleted or, given
   `replacement`, replaced by that file, and setup.exe started, through to
   the page holding `controlId`. */
static HWND StartTo(int controlId, const char *changed = NULL, const char *replacement = NULL)
{
    if (!PreparePackage(Session.SampleDir))
        return WalkFail(__FILE__, __LINE__, "package folder not prepared"), (HWND)NULL;
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s%s", Session.PackageDir, changed ? changed : "");
    if (changed && !(replacement ? CopyFileA(replacement, path, FALSE) : DeleteFileA(path)))
        return WalkFail(__FILE__, __LINE__, "%s not changed", path), (HWND)NULL;
    HWND page = StartToWelcome("win7", NULL);
    if (page && controlId != IDC_WELCOME_TEXT)
        page = ClickTo(page, ID_NEXT, IDC_MODEL_LIST);
    if (page && controlId == IDC_PORT_LIST)
        page = ClickTo(page, ID_NEXT, IDC_PORT_LIST);
    return page;
}

/* After a confirmed cancel or a fatal error: the failure page, exit code 0
   and nothing registered. */
static int EndsAsFailure(void)
{
    if (!FinishExitPage(0, EXIT_OK))
        return 0;
    for (const char *model : SampleModels) {
        WALK_REQUIRE(!DriverRegistered(model), "driver %s registered", model);
        WALK_REQUIRE(!PrinterExists(model), "printer %s exists", model);
    }
    return 1;
}

/* A double-click on the first item of a list, as the mouse gives it. */
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
    PumpFor(600);
}

/* Back and Next through the pages: Back on the model page shows the welcome
   page, Back on the port page the model page with the first model selected
   again; a double-click advances on neither list. The longer-named model is
   chosen first, then the shorter one is installed: its files and its
   previous names are its own. Escape on the exit page leaves the default
   printer alone. */
static int BackAndNext(void)
{
    HWND model = StartTo(IDC_MODEL_LIST);
    HWND welcome = model ? ClickTo(model, ID_BACK, IDC_WELCOME_TEXT) : NULL;
    model = welcome ? ClickTo(welcome, ID_NEXT, IDC_MODEL_LIST) : NULL;
    char chosen[256];
    WALK_REQUIRE(model && ChooseListItem(model, IDC_MODEL_LIST, MODEL_524, chosen, sizeof chosen), "no %s", MODEL_524);
    HWND port = ClickTo(model, ID_NEXT, IDC_PORT_LIST);
    WALK_REQUIRE(port, "no port page");
    DoubleClickFirstItem(port, IDC_PORT_LIST);
    WALK_REQUIRE(WaitForPage(IDC_PORT_LIST, 0) == port, "a double-click on a port left the page");
    model = ClickTo(port, ID_BACK, IDC_MODEL_LIST);
    WALK_REQUIRE(model, "no model page after Back");
    SelectedText(model, IDC_MODEL_LIST, chosen, sizeof chosen);
    WALK_REQUIRE(strcmp(chosen, MODEL_521) == 0, "model selected after Back: \"%s\"", chosen);
    DoubleClickFirstItem(model, IDC_MODEL_LIST);
    WALK_REQUIRE(WaitForPage(IDC_MODEL_LIST, 0) == model, "a double-click on a model left the page");
    port = ClickTo(model, ID_NEXT, IDC_PORT_LIST);
    WALK_REQUIRE(port && ChooseListItem(port, IDC_PORT_LIST, "LPT2:", chosen, sizeof chosen), "no port LPT2:");
    WALK_REQUIRE(ClickButton(port, ID_NEXT), "no Next on the port page");
    if (!FinishExitPage(1, EXIT_ESCAPE) || !CheckInstalled(MODEL_521, "LPT2:", FILES_521, 0))
        return 0;
    WALK_REQUIRE(!DriverRegistered(MODEL_524), "driver %s registered", MODEL_524);
    return ReadDefaultIs(SavedDefault);
}
DEFINE_SCENARIO(roads_back_and_next) { return WithCleanSpooler(BackAndNext); }

/* Over an earlier installation of the same model, whose printer stands on
   another port and whose driver has other files: the model page's Next
   deletes the stale printer, and both are replaced. Cancel answered No in
   the copy dialog lets the copy go on; the box cleared on the exit page
   leaves the default printer alone. */
static int InstallOverEarlier(void)
{
    WALK_REQUIRE(AddFixturePrinter(MODEL_521, MODEL_521, "LPT3:", "OLD_R521.DLL\0"), "earlier installation not made");
    HWND port = StartTo(IDC_PORT_LIST);
    WALK_REQUIRE(port, "no port page");
    WALK_REQUIRE(!PrinterExists(MODEL_521), "the stale printer stays after the model page");
    HWND copy = ClickTo(port, ID_NEXT, IDC_COPY_BAR);
    if (!copy || !AnswerCancel(copy, CANCEL_BUTTON, IDNO) || !FinishExitPage(1, EXIT_OK_BOX_CLEARED))
        return 0;
    return CheckInstalled(MODEL_521, "COM1:", FILES_521, 0) && ReadDefaultIs(SavedDefault);
}
DEFINE_SCENARIO(roads_install_over_earlier) { return WithCleanSpooler(InstallOverEarlier); }

/* On each page and in the copy dialog: a cancel answered No keeps the page
   and its selection; one asked in another way and answered Yes ends with
   the failure page. */
static int CancelEverywhere(void)
{
    static const struct { int control; CancelWay yes; } pages[] = {
        { IDC_WELCOME_TEXT, CANCEL_ESCAPE }, { IDC_MODEL_LIST, CANCEL_BUTTON },
        { IDC_PORT_LIST, CANCEL_CLOSE_BOX }, { IDC_COPY_BAR, CANCEL_ESCAPE },
    };
    for (const auto &p : pages) {
        int copy = p.control == IDC_COPY_BAR;
        HWND page = StartTo(copy ? IDC_PORT_LIST : p.control);
        if (page && copy)
            page = ClickTo(page, ID_NEXT, IDC_COPY_BAR);
        WALK_REQUIRE(page, "no window with control %d", p.control);
        char before[256] = "", after[256] = "";
        if (!copy) {
            if (p.control != IDC_WELCOME_TEXT)
                SelectedText(page, p.control, before, sizeof before);
            if (!AnswerCancel(page, CANCEL_BUTTON, IDNO))
                return 0;
            WALK_REQUIRE(WaitForPage(p.control, WINDOW_TIMEOUT) == page, "the page did not stay after No");
            if (p.control != IDC_WELCOME_TEXT)
                SelectedText(page, p.control, after, sizeof after);
            WALK_REQUIRE(strcmp(before, after) == 0, "selection \"%s\" became \"%s\"", before, after);
        }
        if (!AnswerCancel(page, p.yes, IDYES) || !EndsAsFailure())
            return 0;
        EndSetup();
    }
    return 1;
}
DEFINE_SCENARIO(roads_cancel_everywhere) { return WithCleanSpooler(CancelEverywhere); }

/* Without COM1: in the prefix's port list no port is selected at first; Next
   warns and the page stays. */
static int NoPortSelected(void)
{
    HKEY key;
    WALK_REQUIRE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, PORTS_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS, "no port list");
    LONG status = RegDeleteValueA(key, "COM1:");
    RegCloseKey(key);
    WALK_REQUIRE(status == ERROR_SUCCESS, "COM1: not removed");
    RemovedPort = "COM1:";
    HWND port = StartTo(IDC_PORT_LIST);
    WALK_REQUIRE(port, "no port page");
    WALK_REQUIRE(ListSelection(port, IDC_PORT_LIST) < 0, "a port is selected");
    WALK_REQUIRE(ClickButton(port, ID_NEXT), "no Next");
    if (!AcknowledgeMessage("Warinig", "Select printer port to connect."))
        return 0;
    WALK_REQUIRE(WaitForPage(IDC_PORT_LIST, WINDOW_TIMEOUT) == port, "the port page did not stay");
    return AnswerCancel(port, CANCEL_BUTTON, IDYES) && EndsAsFailure();
}
DEFINE_SCENARIO(roads_no_port_selected) { return WithCleanSpooler(NoPortSelected); }

/* A printer of the model's name on a driver of another name: the port
   page's Next deletes the printer, but no driver of the model's name can
   be deleted, so "Setup error" is shown and the installation ends as
   failed. */
static int RemovalFails(void)
{
    WALK_REQUIRE(AddFixturePrinter(MODEL_521, OTHER_DRIVER, "LPT3:", NULL), "earlier printer not made");
    HWND port = StartTo(IDC_PORT_LIST);
    WALK_REQUIRE(port && ClickButton(port, ID_NEXT), "no Next on the port page");
    char text[512];
    HWND box = WaitForMessageBox(Session.Setup.dwProcessId, "Setup error", text, sizeof text, WINDOW_TIMEOUT);
    WALK_REQUIRE(box, "no \"Setup error\" message");
    Shot("setup-error");
    WALK_REQUIRE(strcmp(text, "Previous verion driver is currently used by an application.\nTerminate all "
                              "applications. And then delete previous version driver from printer folderand retry.") == 0,
                 "message \"%s\"", text);
    WALK_REQUIRE(ClickButton(box, IDOK), "no Ok in the message");
    return EndsAsFailure();
}
DEFINE_SCENARIO(roads_removal_fails) { return WithCleanSpooler(RemovalFails); }

/* The package's file `name` deleted or replaced (StartTo): the copy stops
   with `message`, the installation ends with the failure page, and no file
   of that name, whole, partial or temporary, lies in the driver directory
   or its 3\. */
static int CopyFailsOn(const char *name, const char *replacement, const char *message)
{
    char directory[MAX_PATH];
    WALK_REQUIRE(ReadX86DriverDirectory(directory, sizeof directory), "no driver directory");
    for (const char *sub : { "\\", "\\3\\" })
        DeleteFileA((directory + std::string(sub) + name).c_str());
    HWND port = StartTo(IDC_PORT_LIST, name, replacement);
    WALK_REQUIRE(port && ClickButton(port, ID_NEXT), "no Next on the port page");
    if (!AcknowledgeMessage("Error", message) || !EndsAsFailure())
        return 0;
    std::string left;
    for (const char *sub : { "\\", "\\3\\" })
        ForEachFound(directory + std::string(sub) + name + "*", [&left](const std::string &path, const WIN32_FIND_DATAA &) {
            left = path;
        });
    WALK_REQUIRE(left.empty(), "%s is left", left.c_str());
    return 1;
}

/* A package without one of the model's files. */
static int CopyFails(void) { return CopyFailsOn("KV_R52x.DLL", NULL, "File open error."); }
DEFINE_SCENARIO(roads_copy_fails) { return WithCleanSpooler(CopyFails); }

/* A package whose UNIDRVUI.DLL is stored compressed and cut short, as a
   broken download leaves it: the copy tests' short.bin, beside e2e.exe. */
static int CopyDamaged(void)
{
    char fixture[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, fixture, sizeof fixture);
    char *slash = strrchr(fixture, '\\');
    WALK_REQUIRE(length > 0 && length < sizeof fixture && slash, "no path of this program");
    snprintf(slash + 1, sizeof fixture - (size_t)(slash + 1 - fixture), "kvcopy_fixtures\\short.bin");
    return CopyFailsOn("UNIDRVUI.DLL", fixture, "File has damaged.");
}
DEFINE_SCENARIO(roads_copy_damaged) { return WithCleanSpooler(CopyDamaged); }
