#include "setupinfo.h"
#include "shell/setup_state.h"

#include <string.h>

/* Builds InfPath once: the program's directory (cut after the last
   backslash) followed by OsTable's INF file name. A module name that is
   empty or cut short by the buffer gives ".\", the current directory. */
const char *GetInfPath(void)
{
    char *path = SetupState.InfPath;
    if (path[0])
        return path;
    DWORD length = GetModuleFileNameA(SetupState.Instance, path, TEXT_SIZE);
    if (length == 0 || length >= TEXT_SIZE) {
        lstrcpynA(path, ".\\", TEXT_SIZE);
    } else {
        path[length] = '\0';
        char *slash = strrchr(path, '\\');
        if (slash)
            slash[1] = '\0';
        else
            lstrcpynA(path, ".\\", TEXT_SIZE);
    }
    size_t used = strlen(path);
    lstrcpynA(path + used, OsTable[SetupState.OsIndex].InfFileName, (int)(TEXT_SIZE - used));
    return path;
}
