#include "test_support.h"
#include <stdio.h>
#include <string.h>
#include "window_driver.h"

int WriteTextFile(const char *path, const char *text)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text, (DWORD)strlen(text), &written, NULL);
    CloseHandle(file);
    return ok && written == strlen(text);
}

const char *TestProgramDirectory(void)
{
    static char directory[MAX_PATH];
    if (!directory[0]) {
        GetModuleFileNameA(NULL, directory, sizeof directory);
        char *slash = strrchr(directory, '\\');
        if (slash)
            slash[1] = '\0';
    }
    return directory;
}

void SaveTestScreenshot(const char *name)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sscreenshots", TestProgramDirectory());
    CreateDirectoryA(path, NULL);
    snprintf(path, sizeof path, "%sscreenshots\\%s.bmp", TestProgramDirectory(), name);
    SaveScreenshot(path);
}
