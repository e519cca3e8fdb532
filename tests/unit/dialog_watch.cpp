#include "dialog_watch.h"
#include <string.h>
#include "ui/resources/resource.h"

SeenMessage Seen[WATCH_MAX];
int SeenCount;

static INT_PTR (*WatchAnswer)(const SeenMessage *message);
static void (*WatchTickHook)(void);
static UINT_PTR WatchTimer;

/* Wine's MessageBoxA keeps its icon in control 1088 and its text in 0xFFFF. */
#define PLATFORM_BOX_ICON 1088
#define PLATFORM_BOX_TEXT 0xFFFF

static BOOL CALLBACK WatchWindow(HWND window, LPARAM)
{
    int own = GetDlgItem(window, IDC_MSG_TEXT) != NULL;
    if (!IsWindowVisible(window) || (!own && !GetDlgItem(window, PLATFORM_BOX_ICON)))
        return TRUE;
    int known = SeenCount - 1;
    while (known >= 0 && Seen[known].window != window)
        known--;
    /* Answered and on its way out (Wine's handles carry a generation count,
       so the next dialog gets a handle of its own). */
    if ((known >= 0 && Seen[known].answered) || (known < 0 && SeenCount == WATCH_MAX))
        return TRUE;
    if (known < 0) {
        SeenMessage *seen = &Seen[known = SeenCount++];
        GetWindowTextA(window, seen->caption, sizeof seen->caption);
        GetDlgItemTextA(window, own ? IDC_MSG_TEXT : PLATFORM_BOX_TEXT, seen->text, sizeof seen->text);
        seen->icon = (HICON)SendDlgItemMessageA(window, own ? IDC_MSG_ICON : PLATFORM_BOX_ICON, STM_GETICON, 0, 0);
        seen->window = window;
    }
    INT_PTR answer = WatchAnswer ? WatchAnswer(&Seen[known]) : IDOK;
    if (answer && answer != WATCH_HANDLED)
        PostMessageA(window, WM_COMMAND, (WPARAM)answer, 0);
    Seen[known].answered = answer != 0;
    return TRUE;
}

static void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), WatchWindow, 0);
    if (WatchTickHook)
        WatchTickHook();
}

void StartWatch(INT_PTR (*answer)(const SeenMessage *), void (*hook)(void))
{
    SeenCount = 0;
    memset(Seen, 0, sizeof Seen);
    WatchAnswer = answer;
    WatchTickHook = hook;
    WatchTimer = SetTimer(NULL, 0, 10, WatchTick);
}

void StopWatch(void)
{
    KillTimer(NULL, WatchTimer);
    WatchTimer = 0;
    WatchAnswer = NULL;
    WatchTickHook = NULL;
}
