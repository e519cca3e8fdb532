#include "test_support.h"
#include <stdio.h>
#include <string.h>
#include "file_write.h"
#include "window_driver.h"
#include "shell/ansi_text.h"

int WriteTextFile(const char *path, const char *text)
{
    return WriteWholeFile(path, text, (DWORD)strlen(text));
}

const char *TestProgramDirectory(void)
{
    static char directory[MAX_PATH];
    if (!directory[0]) {
        GetModuleFileNameA(NULL, directory, sizeof directory);
        char *slash = (char *)FindLastOf(directory, "\\", IsAnsiLeadByte);
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

std::string Text(const char *text)
{
    return text ? text : "(null)";
}

std::string Names(const char *list)
{
    if (!list)
        return "(null)";
    std::string names;
    for (; *list; list += strlen(list) + 1)
        names += std::string(list) + "|";
    return names;
}
