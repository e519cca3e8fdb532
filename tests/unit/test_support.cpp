#include "test_support.h"
#include <string.h>
#include "file_write.h"
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
