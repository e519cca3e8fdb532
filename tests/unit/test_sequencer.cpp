/*
 * The sequencer driven in-process: an owner window with MainWndProc on this
 * thread, its one-shot timers taken one by one from the queue and timed,
 * the registration's message boxes answered by dialog_watch. The two
 * registration runs go to Wine's spooler through the seam, which refuses
 * where Wine never would.
 */
#include <doctest/doctest.h>
#include "shell/sequencer.h"
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"
#include "ui/resources/resource.h"
#include "spooler_fakes.h"
#include "dialog_watch.h"
#include "window_driver.h"

static const char TestModel[] = "Sequencer Test Model";

/* A hidden owner window of MainWndProc covering the screen, as setup.exe
   makes it; `quiet` takes its start-up timer away. */
static HWND CreateOwner(int quiet)
{
    static const WNDCLASSA ownerClass = { 0, MainWndProc, 0, 0, SetupState.Instance, NULL, NULL, NULL, NULL,
                                          "SequencerTestOwner" };
    static const ATOM registered = RegisterClassA(&ownerClass);
    (void)registered;
    HWND owner = CreateWindowExA(0, "SequencerTestOwner", SetupWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                                 SetupState.Instance, NULL);
    if (quiet)
        KillTimer(owner, TIMER_READ_INFO);
    return owner;
}

/* Destroys the owner and drops the quit message that WM_DESTROY posts. */
static void DestroyOwner(HWND owner)
{
    DestroyWindow(owner);
    MSG message;
    while (PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

/* Waits for the owner's timer `id` and dispatches it, so its step runs;
   other messages stay queued. The wait in ms, or -1 on time-out or when
   another owner timer comes first. */
static long RunNextTimer(HWND owner, UINT_PTR id, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    MSG message;
    while (!PeekMessageA(&message, owner, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        if (GetTickCount() - start >= timeoutMs)
            return -1;
        Sleep(10);
    }
    if (message.wParam != id)
        return -1;
    long waited = (long)(GetTickCount() - start);
    DispatchMessageA(&message);
    return waited;
}

static std::string StatusText(void)
{
    char text[256];
    ReadControlText(SetupState.StatusWindow, IDC_STATUS_TEXT, text, sizeof text);
    return text;
}

TEST_CASE("reading step: after 100 ms the status window, busy, for a second; then the welcome command")
{
    HWND owner = CreateOwner(0);
    REQUIRE(owner);
    CHECK(RunNextTimer(owner, TIMER_READ_INFO, 5000) >= 50);
    CHECK(GetCapture() == owner);
    CHECK(GetCursor() == LoadCursorA(NULL, IDC_WAIT));
    CHECK(IsWindowVisible(SetupState.StatusWindow));
    CHECK(StatusText() == "Reading setup information...");

    CHECK(RunNextTimer(owner, TIMER_READ_DONE, 10000) >= 900);
    CHECK(SetupState.StatusWindow == NULL);
    CHECK(GetCapture() == NULL);
    CHECK(GetCursor() == LoadCursorA(NULL, IDC_ARROW));
    MSG posted;
    REQUIRE(PeekMessageA(&posted, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    CHECK(posted.wParam == CMD_WELCOME);
    DestroyOwner(owner);
}

TEST_CASE("registration: two runs 2 s apart around a removal, busy meanwhile; the second run decides the close")
{
    static const char DriverRefused[] = "Cannot add a printer driver!\r\n(System Error Code : 1797)";
    static const char PrinterRefused[] = "Cannot add a printer!\r\n(System Error Code : 1801)";
    static const struct {
        const char *what;
        DWORD refuseOpen, refusePrinterDelete, refuseDriver, refusePrinter;
        int firstRunOnly, messages;
        const char *text;  /* of each "Add a printer error " box */
        WPARAM close;
    } cases[] = {
        { "both runs register", 0, 0, 0, 0, 0, 0, "", 1 },
        /* The first run's printer stays; the second finds it there, silently. */
        { "the removal cannot open the printer", ERROR_ACCESS_DENIED, 0, 0, 0, 0, 0, "", 1 },
        { "the removal cannot delete the printer", 0, ERROR_ACCESS_DENIED, 0, 0, 0, 0, "", 1 },
        { "the driver is refused", 0, 0, ERROR_UNKNOWN_PRINTER_DRIVER, 0, 0, 2, DriverRefused, 2 },
        { "the printer is refused", 0, 0, 0, ERROR_INVALID_PRINTER_NAME, 0, 2, PrinterRefused, 2 },
        { "the printer is refused in the first run only", 0, 0, 0, ERROR_INVALID_PRINTER_NAME, 1, 1, PrinterRefused, 1 },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.what));
        RemoveFixturePrinter(TestModel, TestModel);
        REQUIRE(StageOwnEnvironmentDriver(TestModel));
        lstrcpyA(SetupState.ModelName, TestModel);
        lstrcpyA(SetupState.PortName, "LPT1:");
        lstrcpyA(SetupState.DefaultDataType, "RAW");
        ZeroMemory(SetupState.FileList, sizeof SetupState.FileList);
        SetupState.FileCount = 0;
        RecordSpoolerCalls();
        Calls.refuseOpen = c.refuseOpen;
        Calls.refusePrinterDelete = c.refusePrinterDelete;
        Calls.refuseDriverAdd = c.refuseDriver;
        Calls.refusePrinterAdd = c.refusePrinter;
        /* A refusal of the first run only is lifted when its box is answered. */
        INT_PTR (*liftRefusal)(const SeenMessage *) = [](const SeenMessage *) -> INT_PTR {
            Calls.refusePrinterAdd = 0;
            return IDOK;
        };
        StartWatch(c.firstRunOnly ? liftRefusal : NULL, NULL);
        HWND owner = CreateOwner(1);
        REQUIRE(owner);

        SendMessageA(owner, WM_COMMAND, CMD_REGISTER, 0);
        CHECK(GetCapture() == owner);
        CHECK(GetCursor() == LoadCursorA(NULL, IDC_WAIT));
        CHECK(RunNextTimer(owner, TIMER_WRITE_INFO, 5000) >= 50);
        CHECK(StatusText() == "Writing system information...");
        CHECK(RunNextTimer(owner, TIMER_REINSTALL, 10000) >= 1900);
        CHECK((c.messages || GetCapture() == owner));  /* a message box takes the capture */
        CHECK(Calls.driverAdds == 2);
        CHECK(RunNextTimer(owner, TIMER_FINISH, 10000) >= 1900);
        StopWatch();
        ResetSpoolerApi();
        CHECK(SetupState.StatusWindow == NULL);
        CHECK(GetCapture() == NULL);
        CHECK(GetCursor() == LoadCursorA(NULL, IDC_ARROW));
        MSG posted;
        REQUIRE(PeekMessageA(&posted, owner, WM_CLOSE, WM_CLOSE, PM_REMOVE));
        CHECK(posted.wParam == c.close);
        CHECK(SeenCount == c.messages);
        for (int i = 0; i < SeenCount; i++) {
            CHECK(std::string(Seen[i].caption) + ": " + Seen[i].text == std::string("Add a printer error : ") + c.text);
            CHECK(Seen[i].icon == LoadIconA(NULL, IDI_HAND));
        }
        CHECK(Calls.printerAdds == (c.refuseDriver ? 0 : 2));
        CHECK(PrinterExists(TestModel) == (c.close == 1));
        DestroyOwner(owner);
    }
    RemoveFixturePrinter(TestModel, TestModel);
}
