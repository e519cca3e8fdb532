/*
 * The wizard sequencer. It keeps no state of its own: the command or timer
 * that arrives says which step runs.
 */
#include "setup_state.h"
#include "sequencer.h"

void OnSetupTimer(UINT_PTR timerId, HWND owner)
{
    (void)timerId;
    (void)owner;
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
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
