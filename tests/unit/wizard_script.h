/*
 * Driving the wizard's own windows inside a test program. The test's main
 * thread opens a page or runs the owner window's message loop, as setup.exe
 * does; a script thread meanwhile waits for windows, reads them and clicks.
 *
 * The script thread never uses doctest: it records what it saw in its
 * context and the main thread checks that afterwards. A script whose wait
 * fails prints the windows on screen and ends the test program with exit
 * code 3, since the main thread may be held in a modal loop that nothing
 * else would end.
 */
#ifndef WIZARD_SCRIPT_H
#define WIZARD_SCRIPT_H

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "window_driver.h"

#define SCRIPT_WAIT_MS 20000

/* A script returns 1 when it went through. */
typedef int (*WizardScript)(void *context);

struct ScriptRun {
    WizardScript script;
    void *context;
    HANDLE mainDone;  /* set by the main thread when its part has returned */
    int result;
};

inline void ScriptFailed(const char *what)
{
    printf("script failed: %s\n", what);
    DumpWindows(GetCurrentProcessId());
    fflush(stdout);
    ExitProcess(3);
}

inline DWORD WINAPI ScriptThread(LPVOID parameter)
{
    ScriptRun *run = (ScriptRun *)parameter;
    run->result = run->script(run->context);
    if (!run->result)
        ScriptFailed("the script stopped");
    /* The main thread's part must end soon after the script's last click. */
    if (WaitForSingleObject(run->mainDone, SCRIPT_WAIT_MS) != WAIT_OBJECT_0)
        ScriptFailed("the wizard did not return after the script ended");
    return 0;
}

/* Runs `mainPart` on this thread while `script` runs on another; returns the
   script's result once both have ended. */
inline int RunWithScript(void (*mainPart)(void *), void *mainContext, WizardScript script, void *context)
{
    ScriptRun run = { script, context, CreateEventA(NULL, TRUE, FALSE, NULL), 0 };
    HANDLE thread = CreateThread(NULL, 0, ScriptThread, &run, 0, NULL);
    mainPart(mainContext);
    SetEvent(run.mainDone);
    WaitForSingleObject(thread, INFINITE);  /* bounded by the script's own waits */
    CloseHandle(thread);
    CloseHandle(run.mainDone);
    return run.result;
}

/* A full-screen popup owning the pages, as the wizard's owner window does. */
inline HWND CreatePageOwner(void)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), NULL, NULL, NULL, NULL);
}

struct PageRun {
    INT_PTR (*show)(HWND owner);
    HWND owner;
    INT_PTR returned;
};

inline void OpenPage(void *context)
{
    PageRun *run = (PageRun *)context;
    run->returned = run->show(run->owner);
}

/* Opens a page with `show` on this thread while `script` answers it;
   returns what the page returned. */
inline INT_PTR RunPage(INT_PTR (*show)(HWND), HWND owner, WizardScript script, void *context)
{
    PageRun run = { show, owner, 0 };
    RunWithScript(OpenPage, &run, script, context);
    return run.returned;
}

/* Waits for an enabled, visible dialog of this process holding the control
   (an enabled one: a page under a message dialog is disabled). */
inline HWND WaitForDialogWith(int controlId, DWORD timeoutMs = SCRIPT_WAIT_MS)
{
    return WaitForEnabledDialog(GetCurrentProcessId(), controlId, NULL, timeoutMs);
}

/* Waits for a dialog of this process with that caption. */
inline HWND WaitForCaption(const char *caption, DWORD timeoutMs = SCRIPT_WAIT_MS)
{
    return WaitForWindow(GetCurrentProcessId(), "#32770", caption, timeoutMs);
}

#endif
