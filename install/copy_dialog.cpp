/*
 * The copy progress dialog: copies every FileList entry on the program's one
 * thread, painting a two-tone percentage bar and draining the message queue
 * after every file, so that Cancel, repaints and the owner's messages are
 * served between two files. Runs can nest: a run started inside another's
 * pump (after a No answer, a retry command or a timer) shares only
 * NextFileIndex and CopyPaused with it.
 */
#include "install/install.h"
#include "install/bar_geometry_logic.h"
#include "install/lz_api.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "ui/ui.h"

#define BAR_FILL_COLOUR RGB(0, 0, 128)
#define BAR_TEXT_FORMAT (DT_CENTER | DT_VCENTER | DT_SINGLELINE)

INT_PTR ShowCopyDialog(HWND owner)
{
    return DialogBoxParamA(SetupState.Instance, IDD_COPY, owner, CopyDlgProc, 0);
}

/* One pass of the bar: fill `part` with `brush` and draw the text in
   `colour` over the whole bar, clipped so nothing outside `part` changes. */
static void PaintBarPart(HWND bar, const RECT *client, const RECT *part, const RECT *other,
                         HBRUSH brush, COLORREF colour, const char *text)
{
    HDC dc = GetDC(bar);
    if (!dc)
        return;
    ExcludeClipRect(dc, other->left, other->top, other->right, other->bottom);
    FillRect(dc, part, brush);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    RECT whole = *client;
    DrawTextA(dc, text, -1, &whole, BAR_TEXT_FORMAT);
    ReleaseDC(bar, dc);
}

/* Navy left of the boundary with white text, white right of it with black
   text, the percentage centred over both. With FileCount 0 there is no
   percentage, and the bar is left as it is. */
static void PaintBar(HWND bar, HBRUSH navy, const RECT *client)
{
    int percent = CopyPercent(SetupState.NextFileIndex, SetupState.FileCount);
    if (percent < 0)
        return;
    int x = BarBoundary(percent, client->left, client->right);
    RECT filled = { client->left, client->top, x, client->bottom };
    RECT rest = { x, client->top, client->right, client->bottom };
    char text[16];
    wsprintfA(text, "%d %%", percent);
    PaintBarPart(bar, client, &filled, &rest, navy, RGB(255, 255, 255), text);
    PaintBarPart(bar, client, &rest, &filled, (HBRUSH)GetStockObject(WHITE_BRUSH), RGB(0, 0, 0), text);
}

/* Dispatches every waiting message of the thread, the dialog manager's
   keyboard handling left out. */
static void DrainQueue(void)
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

/* Copies from NextFileIndex on until the list ends, a file fails, or the
   pump finds the copy paused. Each file is whole: Cancel is seen after it. */
static void CopyFiles(HWND dialog, HWND bar, HBRUSH navy, const RECT *client)
{
    Lz.LZStart();
    while (!SetupState.CopyPaused && SetupState.NextFileIndex < SetupState.FileCount) {
        int result = CopyOneFile(dialog, SetupState.NextFileIndex);
        if (result == 0) {
            /* Abandoned: the pause flag also stops a run that this one
               interrupted (after a No answer), which would otherwise try
               the failed file again and show its message a second time
               while the dialog ends. */
            SetupState.CopyPaused = 1;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 1);
            Lz.LZDone();
            return;
        }
        if (result == CMD_RETRY_FILE) {
            /* The run that the command starts begins with the same file. */
            PostMessageA(dialog, WM_COMMAND, CMD_RETRY_FILE, 0);
            Lz.LZDone();
            return;
        }
        ++SetupState.NextFileIndex;
        PaintBar(bar, navy, client);
        DrainQueue();
    }
    Lz.LZDone();
    if (!SetupState.CopyPaused)
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void RunCopy(HWND dialog, int copying)
{
    HWND bar = GetDlgItem(dialog, IDC_COPY_BAR);
    HBRUSH navy = CreateSolidBrush(BAR_FILL_COLOUR);
    RECT client;
    GetClientRect(bar, &client);
    if (copying)
        CopyFiles(dialog, bar, navy, &client);
    else
        PaintBar(bar, navy, &client);
    DeleteObject(navy);
}

/* Cancel from the user: pause, ask, and either end with 2 or go on with the
   first file not yet copied. */
static void AskToCancel(HWND dialog)
{
    SetupState.CopyPaused = 1;
    if (LOWORD(ConfirmCancel(dialog)) == IDYES) {
        EndDialog(dialog, 2);
        return;
    }
    SetupState.CopyPaused = 0;
    RunCopy(dialog, 1);
}

static void OnCopyCommand(HWND dialog, WPARAM command, LPARAM lParam)
{
    switch (command) {
    case IDOK:
        /* Completion notice: the full bar stays on screen for one second. */
        SetTimer(dialog, TIMER_COPY_DONE, 1000, NULL);
        break;
    case IDCANCEL:
        if (lParam == 1)
            EndDialog(dialog, 2);   /* abandoned after an error the user has seen */
        else
            AskToCancel(dialog);
        break;
    case CMD_RETRY_FILE:
        RunCopy(dialog, 1);
        break;
    }
}

INT_PTR CALLBACK CopyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterOnParent(dialog);
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        SetTimer(dialog, TIMER_COPY_START, 100, NULL);
        break;
    case WM_TIMER:
        /* Both timers fire once. */
        KillTimer(dialog, wParam);
        if (wParam == TIMER_COPY_START)
            RunCopy(dialog, 1);
        else if (wParam == TIMER_COPY_DONE)
            EndDialog(dialog, 1);
        break;
    case WM_COMMAND:
        OnCopyCommand(dialog, wParam, lParam);
        break;
    case WM_ENTERIDLE:
        /* A message, the question or the system menu owned by this dialog
           waits for input: bring the bar back, which only RunCopy paints. */
        RunCopy(dialog, 0);
        break;
    }
    return 0;
}
