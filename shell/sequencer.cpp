/*
 * The wizard sequencer. It keeps no state of its own: the command or timer
 * that arrives says which step runs. Each step ends by posting the next
 * command or setting the next one-shot timer, so every step starts from the
 * message loop after the previous handler has returned.
 */
#include "setup_state.h"
#include "sequencer.h"
#include "install/install.h"
#include "spooler/spooler.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

#define EXIT_SUCCESS_RESULT 1
#define EXIT_FAILURE_RESULT 2

static void PostCommand(HWND owner, WPARAM command)
{
    PostMessageA(owner, WM_COMMAND, command, 0);
}

/* Asks the owner window to close; WM_CLOSE shows the exit page first. */
static void CloseWith(HWND owner, WPARAM result)
{
    PostMessageA(owner, WM_CLOSE, result, 0);
}

/* Mouse captured and the wait cursor while the wizard works on its own. */
static void BeginBusy(HWND owner)
{
    SetCapture(owner);
    SetCursor(LoadCursorA(NULL, IDC_WAIT));
}

static void EndBusy(void)
{
    ReleaseCapture();
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
}

/* Opens the status window with a string of the table and shows it. */
static void OpenStatus(HWND owner, UINT stringId)
{
    SetupState.StatusWindow = ShowStatus(owner, stringId);
    ShowWindow(SetupState.StatusWindow, SW_SHOW);
}

/* Destroys the open status window; nothing happens when none is open. */
static void CloseStatus(void)
{
    DestroyWindow(SetupState.StatusWindow);
    SetupState.StatusWindow = NULL;
}

/* TIMER_READ_INFO: the opening status window for one second. No work is
   done meanwhile; the INF is first read when the model page opens. */
static void OnReadInfo(HWND owner)
{
    BeginBusy(owner);
    OpenStatus(owner, IDS_READING_INFO);
    SetTimer(owner, TIMER_READ_DONE, 1000, NULL);
}

static void OnReadDone(HWND owner)
{
    CloseStatus();
    EndBusy();
    InvalidateRect(owner, NULL, TRUE);
    PostCommand(owner, CMD_WELCOME);
}

/* TIMER_WRITE_INFO: the closing status window, painted before the first
   registration blocks the thread. The first run's result is not used: a
   refusal is reported by the registration itself, and the run after the
   removal decides how the installation ends. */
static void OnWriteInfo(HWND owner)
{
    OpenStatus(owner, IDS_WRITING_INFO);
    UpdateWindow(SetupState.StatusWindow);
    RegisterDriverAndPrinter();
    SetTimer(owner, TIMER_REINSTALL, 2000, NULL);
}

/* TIMER_REINSTALL: removes the printer and driver just registered and
   registers them once more. A failed removal is ignored; this run's result
   is what the installation left, and decides the exit page. */
static void OnReinstall(HWND owner)
{
    RemovePreviousInstall();
    SetupState.Registered = RegisterDriverAndPrinter();
    SetTimer(owner, TIMER_FINISH, 2000, NULL);
}

/* TIMER_FINISH: the success page only when the driver and the printer are
   registered; otherwise the failure page, which offers no default printer. */
static void OnFinish(HWND owner)
{
    CloseStatus();
    CloseWith(owner, SetupState.Registered ? EXIT_SUCCESS_RESULT : EXIT_FAILURE_RESULT);
    EndBusy();
}

void OnSetupTimer(UINT_PTR timerId, HWND owner)
{
    switch (timerId) {
    case TIMER_READ_INFO:  OnReadInfo(owner);  break;
    case TIMER_READ_DONE:  OnReadDone(owner);  break;
    case TIMER_WRITE_INFO: OnWriteInfo(owner); break;
    case TIMER_REINSTALL:  OnReinstall(owner); break;
    case TIMER_FINISH:     OnFinish(owner);    break;
    }
}

/* A page result that leads on posts the next command; every other result
   (a confirmed cancel, a failed page, a dialog that could not be created)
   ends the wizard with the failure page. */
static void OnCommand(HWND owner, WPARAM command)
{
    INT_PTR result;
    switch (command) {
    case CMD_WELCOME:
        if (ShowWelcomePage(owner) == ID_NEXT)
            PostCommand(owner, CMD_SELECT_MODEL);
        else
            CloseWith(owner, EXIT_FAILURE_RESULT);
        break;
    case CMD_SELECT_MODEL:
        result = ShowModelPage(owner);
        if (result == ID_BACK)
            PostCommand(owner, CMD_WELCOME);
        else if (result == ID_NEXT)
            PostCommand(owner, CMD_SELECT_PORT);
        else
            CloseWith(owner, EXIT_FAILURE_RESULT);
        break;
    case CMD_SELECT_PORT:
        result = ShowPortPage(owner);
        if (result == ID_BACK)
            PostCommand(owner, CMD_SELECT_MODEL);
        else if (result == ID_NEXT)
            PostCommand(owner, CMD_COPY_FILES);
        else
            CloseWith(owner, EXIT_FAILURE_RESULT);
        break;
    case CMD_COPY_FILES:
        if (ShowCopyDialog(owner) == 1)
            PostCommand(owner, CMD_REGISTER);
        else
            CloseWith(owner, EXIT_FAILURE_RESULT);
        break;
    case CMD_REGISTER:
        SetTimer(owner, TIMER_WRITE_INFO, 100, NULL);
        BeginBusy(owner);
        break;
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetTimer(window, TIMER_READ_INFO, 100, NULL);
        return 0;
    case WM_TIMER:
        /* Every owner timer fires once: kill it before its step runs. */
        KillTimer(window, wParam);
        OnSetupTimer(wParam, window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return 0;
    case WM_CLOSE:
        /* The exit page first; default processing then destroys the window. */
        ShowExitPage(window, LOWORD(wParam));
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
