#include <stdarg.h>
#include <stdio.h>
#include "e2e.h"

int Shot(const char *name)
{
    if (!E2e.ShotsDir[0])
        return 1;
    /* A window found a moment ago may not have painted its controls yet. */
    PumpFor(300);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%s-%s.bmp", E2e.ShotsDir, E2e.Scenario, name);
    if (!SaveScreenshot(path)) {
        printf("could not save screenshot %s\n", path);
        return 0;
    }
    printf("screenshot %s\n", path);
    return 1;
}

int E2eFail(const char *file, int line, const char *format, ...)
{
    const char *base = file;
    for (const char *p = file; *p; p++)
        if (*p == '/' || *p == '\\')
            base = p + 1;
    printf("FAIL %s(%d): ", base, line);
    va_list arguments;
    va_start(arguments, format);
    vprintf(format, arguments);
    va_end(arguments);
    printf("\n");
    DWORD exitCode;
    if (E2e.Setup.hProcess && WaitForSingleObject(E2e.Setup.hProcess, 0) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(E2e.Setup.hProcess, &exitCode))
        printf("setup.exe has ended with exit code %lu\n", exitCode);
    else if (E2e.Setup.hProcess)
        printf("setup.exe is still running\n");
    DumpWindows(0);
    Shot("failure");
    return 0;
}
