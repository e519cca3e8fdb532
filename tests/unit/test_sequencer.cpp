/*
 * The sequencer driven in-process: an owner window with MainWndProc on this
 * thread, its timers taken one by one from the queue, the pages and message
 * boxes answered by a script thread. The registration runs against Wine's
 * spooler; a seam refuses the driver where Wine never would.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "shell/sequencer.h"
#include "spooler/spooler_api.h"
#include "ui/resources/resource.h"
#include "spooler_fakes.h"
#include "test_support.h"
#include "wizard_script.h"

static const char TestOwnerClass[] = "SequencerTestOwner";
static const char TestModel[] = "Sequencer Test Model";

static HWND CreateTestOwner(void)
{
    static int registered;
    if (!registered) {
        WNDCLASSA windowClass;
        ZeroMemory(&windowClass, sizeof windowClass);
        windowClass.lpfnWndProc = MainWndProc;
        windowClass.hInstance = SetupState.Instance;
        windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
        windowClass.lpszClassName = TestOwnerClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    return CreateWindowExA(0, TestOwnerClass, SetupWindowTitle, WS_OVERLAPPEDWINDOW, desktop.left,
                           desktop.top, desktop.right, desktop.bottom, NULL, NULL, SetupState.Instance, NULL);
}

/* A test owner whose start-up timer is taken away, so that each test
   starts the step it wants. */
static HWND CreateQuietOwner(void)
{
    HWND owner = CreateTestOwner();
    KillTimer(owner, TIMER_READ_INFO);
    return owner;
}

/* Destroys the owner and drops the quit message that WM_DESTROY posts. */
static void DestroyTestOwner(HWND owner)
{
    if (IsWindow(owner))
        DestroyWindow(owner);
    MSG message;
    while (PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

/* Waits for the owner's timer `id` and dispatches it, so its step runs.
   Other messages stay queued. Returns the wait in ms, or -1 on time-out or
   when another owner timer arrives first. */
static long RunNextTimer(HWND owner, UINT_PTR id, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        if (PeekMessageA(&message, owner, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            if (message.wParam != id)
                return -1;
            long waited = (long)(GetTickCount() - start);
            DispatchMessageA(&message);
            return waited;
        }
        if (GetTickCount() - start >= timeoutMs)
            return -1;
        Sleep(10);
    }
}

/* Takes one posted message of the owner in the given range, if any. */
static int TakePosted(HWND owner, UINT message, MSG *out)
{
    return PeekMessageA(out, owner, message, message, PM_REMOVE) != 0;
}

/* The owner's own message loop, as setup.exe runs it, until the quit. */
static void RunOwnerLoop(void *)
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

static int StatusText(char *out, int size)
{
    return ReadControlText(SetupState.StatusWindow, IDC_STATUS_TEXT, out, size);
}

/* The model data a registration needs, as the model and port pages leave it,
   and the driver a 64-bit process needs for the printer to be added. */
static void ChooseTestModel(void)
{
    REQUIRE(StageOwnEnvironmentDriver(TestModel));
    ZeroMemory(SetupState.ModelName, sizeof SetupState.ModelName);
    strcpy(SetupState.ModelName, TestModel);
    strcpy(SetupState.PortName, "LPT1:");
    strcpy(SetupState.DefaultDataType, "RAW");
    ZeroMemory(SetupState.FileList, sizeof SetupState.FileList);
    SetupState.FileCount = 0;
}

TEST_CASE("reading step: wait cursor, captured mouse, status window for a second, then the welcome command")
{
    HWND owner = CreateTestOwner();
    REQUIRE(owner);

    /* Nothing for about 100 ms after creation. */
    CHECK(SetupState.StatusWindow == NULL);
    long waited = RunNextTimer(owner, TIMER_READ_INFO, 5000);
    CHECK(waited >= 50);
    CHECK(GetCapture() == owner);
    CHECK(GetCursor() == LoadCursorA(NULL, IDC_WAIT));
    REQUIRE(SetupState.StatusWindow != NULL);
    CHECK(IsWindowVisible(SetupState.StatusWindow));
    char text[256];
    StatusText(text, sizeof text);
    CHECK(strcmp(text, "Reading setup information...") == 0);

    waited = RunNextTimer(owner, TIMER_READ_DONE, 10000);
    CHECK(waited >= 900);
    CHECK(SetupState.StatusWindow == NULL);
    CHECK(GetCapture() == NULL);
    CHECK(GetCursor() == LoadCursorA(NULL, IDC_ARROW));

    MSG posted;
    REQUIRE(TakePosted(owner, WM_COMMAND, &posted));
    CHECK(posted.wParam == CMD_WELCOME);
    CHECK(posted.lParam == 0);
    CHECK_FALSE(TakePosted(owner, WM_TIMER, &posted));
    DestroyTestOwner(owner);
}

static BOOL CALLBACK CountVisible(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    *(int *)count += process == GetCurrentProcessId() && IsWindowVisible(window);
    return TRUE;
}

TEST_CASE("an unknown command or timer changes nothing")
{
    HWND owner = CreateQuietOwner();
    REQUIRE(owner);
    static const WPARAM commands[] = { 1004, 1005, 1006, 1007, CMD_RETRY_FILE, 999, 2001,
                                       MAKEWPARAM(CMD_WELCOME, 1), MAKEWPARAM(CMD_REGISTER, BN_DOUBLECLICKED) };
    for (WPARAM command : commands)
        CHECK(SendMessageA(owner, WM_COMMAND, command, 0) == 0);
    static const WPARAM timers[] = { TIMER_COPY_START, TIMER_COPY_DONE, 3000, 3008, 42 };
    for (WPARAM timer : timers)
        CHECK(SendMessageA(owner, WM_TIMER, timer, 0) == 0);

    int visible = 0;
    EnumWindows(CountVisible, (LPARAM)&visible);
    CHECK(visible == 0);
    CHECK(SetupState.StatusWindow == NULL);
    CHECK(GetCapture() == NULL);
    /* No command, close request or timer follows. */
    DWORD start = GetTickCount();
    MSG posted;
    int anything = 0;
    while (GetTickCount() - start < 2500 && !anything) {
        anything = TakePosted(owner, WM_COMMAND, &posted) || TakePosted(owner, WM_CLOSE, &posted) ||
                   TakePosted(owner, WM_TIMER, &posted);
        Sleep(20);
    }
    CHECK_FALSE(anything);
    DestroyTestOwner(owner);
}

TEST_CASE("a page or copy dialog that cannot be created ends the wizard with close 2")
{
    /* A module without the templates: every dialog fails to open (-1). */
    HINSTANCE own = SetupState.Instance;
    static const WPARAM commands[] = { CMD_WELCOME, CMD_SELECT_MODEL, CMD_SELECT_PORT, CMD_COPY_FILES };
    for (WPARAM command : commands) {
        CAPTURE(command);
        HWND owner = CreateQuietOwner();
        REQUIRE(owner);
        SetupState.Instance = GetModuleHandleA("kernel32.dll");
        SendMessageA(owner, WM_COMMAND, command, 0);
        SetupState.Instance = own;
        MSG posted;
        REQUIRE(TakePosted(owner, WM_CLOSE, &posted));
        CHECK(posted.wParam == 2);
        CHECK(posted.lParam == 0);
        CHECK_FALSE(TakePosted(owner, WM_COMMAND, &posted));
        DestroyTestOwner(owner);
    }
}

struct ExitSeen {
    char text[256];
    int boxVisible;
};

static int ReadExitPageAndOk(void *context)
{
    ExitSeen *seen = (ExitSeen *)context;
    HWND page = WaitForDialogWith(IDC_EXIT_TEXT);
    if (!page)
        return 0;
    ReadControlText(page, IDC_EXIT_TEXT, seen->text, sizeof seen->text);
    seen->boxVisible = IsWindowVisible(GetDlgItem(page, IDC_SET_DEFAULT));
    return ClickButton(page, IDOK);
}

TEST_CASE("a close request shows the exit page of its result, then the window goes and the loop ends")
{
    static const struct { WPARAM result; int success; } cases[] = {
        { 0, 0 }, { 2, 0 }, { 3, 0 }, { 0x10002, 0 }, { 1, 1 }, { 0x10001, 1 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.result);
        HWND owner = CreateQuietOwner();
        REQUIRE(owner);
        /* Ok on the success page would set a default printer: use a model
           name no printer has, so that nothing changes. */
        strcpy(SetupState.ModelName, "Sequencer No Such Printer");
        PostMessageA(owner, WM_CLOSE, c.result, 0);
        ExitSeen seen = {};
        REQUIRE(RunWithScript(RunOwnerLoop, NULL, ReadExitPageAndOk, &seen));
        CHECK(strcmp(seen.text, c.success ? "The Installation has done successfully." : "The Installation has failed.") == 0);
        CHECK(seen.boxVisible == c.success);
        CHECK_FALSE(IsWindow(owner));
    }
}

TEST_CASE("registration: status window, two runs 2 s apart with a removal between, then close with 1")
{
    /* When the printer cannot be opened it is not removed, and the second
       run still happens. */
    static const struct { DWORD refuseOpen; int deletes, closes; } cases[] = {
        { 0, 2, 2 },                     /* printer and driver; the removal's and the new printer's handle */
        { ERROR_ACCESS_DENIED, 0, 1 },   /* the new printer's handle only */
    };
    for (const auto &c : cases) {
        CAPTURE(c.refuseOpen);
        RemoveFixturePrinter(TestModel, TestModel);
        ChooseTestModel();
        RecordSpoolerCalls();
        Calls.refuseOpen = c.refuseOpen;
        HWND owner = CreateQuietOwner();
        REQUIRE(owner);

        SendMessageA(owner, WM_COMMAND, CMD_REGISTER, 0);
        CHECK(GetCapture() == owner);
        CHECK(GetCursor() == LoadCursorA(NULL, IDC_WAIT));
        CHECK(RunNextTimer(owner, TIMER_WRITE_INFO, 5000) >= 50);
        char text[256];
        StatusText(text, sizeof text);
        CHECK(strcmp(text, "Writing system information...") == 0);
        CHECK(DriverRegistered(TestModel) == 1);
        CHECK(PrinterExists(TestModel) == 1);
        int deletesBefore = Calls.printerDeletes + Calls.driverDeletes, closesBefore = Calls.closes;
        CHECK(RunNextTimer(owner, TIMER_REINSTALL, 10000) >= 1900);
        CHECK(Calls.printerDeletes + Calls.driverDeletes - deletesBefore == c.deletes);
        CHECK(Calls.closes - closesBefore == c.closes);
        CHECK(Calls.driverAdds == 2);
        CHECK(RunNextTimer(owner, TIMER_FINISH, 10000) >= 1900);

        CHECK(SetupState.StatusWindow == NULL);
        CHECK(GetCapture() == NULL);
        CHECK(GetCursor() == LoadCursorA(NULL, IDC_ARROW));
        MSG posted;
        REQUIRE(TakePosted(owner, WM_CLOSE, &posted));
        CHECK(posted.wParam == 1);
        CHECK(DriverRegistered(TestModel) == 1);
        CHECK(PrinterExists(TestModel) == 1);
        DestroyTestOwner(owner);
        ResetSpoolerApi();
    }
    RemoveFixturePrinter(TestModel, TestModel);
}

/* A refusal set on the seam for the registration runs: in both runs, or in
   the first only (the script lifts it when it answers the first box). */
struct RefusalCase {
    const char *name;
    DWORD refuseDriver, refusePrinter;
    int firstRunOnly;
    const char *text;       /* of each "Add a printer error " box */
    int success;            /* the exit page */
};

struct RefusalSeen {
    const RefusalCase *c;
    int messages;
    char texts[2][512];
    char exitText[256];
};

/* Answers the "Add a printer error " box of each refused run, then Ok on
   the exit page with the default-printer box cleared when it is shown. */
static int AnswerRefusalsThenExit(void *context)
{
    RefusalSeen *seen = (RefusalSeen *)context;
    int runs = seen->c->firstRunOnly ? 1 : 2;
    for (int run = 0; run < runs; run++) {
        HWND box = WaitForCaption("Add a printer error ");
        if (!box)
            return 0;
        ReadControlText(box, 0xFFFF, seen->texts[run], sizeof seen->texts[run]);
        seen->messages++;
        if (run == 0) {
            Sleep(400);  /* the box paints */
            SaveTestScreenshot(seen->c->name);
        }
        if (seen->c->firstRunOnly)
            Calls.refusePrinterAdd = 0;  /* the registration waits for this box */
        if (!ClickButton(box, IDOK) || !WaitForWindowGone(box, SCRIPT_WAIT_MS))
            return 0;
    }
    HWND page = WaitForDialogWith(IDC_EXIT_TEXT);
    if (!page)
        return 0;
    ReadControlText(page, IDC_EXIT_TEXT, seen->exitText, sizeof seen->exitText);
    if (IsWindowVisible(GetDlgItem(page, IDC_SET_DEFAULT)) && !ClickButton(page, IDC_SET_DEFAULT))
        return 0;
    return ClickButton(page, IDOK);
}

TEST_CASE("a refusal is reported in each run it happens; the last run decides the exit page")
{
    static const RefusalCase cases[] = {
        { "sequencer-driver-refused", ERROR_UNKNOWN_PRINTER_DRIVER, 0, 0,
          "Cannot add a printer driver!\r\n(System Error Code : 1797)", 0 },
        { "sequencer-printer-refused", 0, ERROR_INVALID_PRINTER_NAME, 0,
          "Cannot add a printer!\r\n(System Error Code : 1801)", 0 },
        { "sequencer-printer-refused-once", 0, ERROR_INVALID_PRINTER_NAME, 1,
          "Cannot add a printer!\r\n(System Error Code : 1801)", 1 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.name);
        RemoveFixturePrinter(TestModel, TestModel);
        ChooseTestModel();
        RecordSpoolerCalls();
        Calls.refuseDriverAdd = c.refuseDriver;
        Calls.refusePrinterAdd = c.refusePrinter;
        HWND owner = CreateQuietOwner();
        REQUIRE(owner);
        PostMessageA(owner, WM_COMMAND, CMD_REGISTER, 0);

        RefusalSeen seen = {};
        seen.c = &c;
        REQUIRE(RunWithScript(RunOwnerLoop, NULL, AnswerRefusalsThenExit, &seen));
        ResetSpoolerApi();
        CHECK(seen.messages == (c.firstRunOnly ? 1 : 2));
        CHECK(Calls.driverAdds == 2);
        CHECK(Calls.printerAdds == (c.refuseDriver ? 0 : 2));
        for (int run = 0; run < seen.messages; run++)
            CHECK(strcmp(seen.texts[run], c.text) == 0);
        CHECK(strcmp(seen.exitText, c.success ? "The Installation has done successfully."
                                              : "The Installation has failed.") == 0);
        CHECK(PrinterExists(TestModel) == c.success);
        CHECK_FALSE(IsWindow(owner));
    }
    RemoveFixturePrinter(TestModel, TestModel);
}
