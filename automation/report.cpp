#include <stdarg.h>
#include <stdio.h>
#include "session.h"
#include "shell/ansi_text.h"

/* Saves the screen as <shots>\<scenario>-<name>.bmp. */
static int SaveShot(const char *name)
{
    if (!Session.ShotsDir[0])
        return 1;
    /* A window found a moment ago may not have painted its controls yet. */
    PumpFor(300);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%s-%s.bmp", Session.ShotsDir, Session.Scenario, name);
    if (!SaveScreenshot(path)) {
        printf("could not save screenshot %s\n", path);
        return 0;
    }
    printf("screenshot %s\n", path);
    return 1;
}

int Shot(const char *name)
{
    return Session.ShotEveryStep ? SaveShot(name) : 1;
}

int WalkFail(const char *file, int line, const char *format, ...)
{
    const char *separator = FindLastOf(file, "/\\", IsAnsiLeadByte);
    const char *base = separator ? separator + 1 : file;
    printf("FAIL %s(%d): ", base, line);
    va_list arguments;
    va_start(arguments, format);
    vprintf(format, arguments);
    va_end(arguments);
    printf("\n");
    DWORD exitCode;
    if (Session.Setup.hProcess && WaitForSingleObject(Session.Setup.hProcess, 0) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(Session.Setup.hProcess, &exitCode))
        printf("setup.exe has ended with exit code %lu\n", exitCode);
    else if (Session.Setup.hProcess)
        printf("setup.exe is still running\n");
    DumpWindows(0);
    SaveShot("failure");
    return 0;
}
