#include "setupinfo.h"
#include "inf_path_logic.h"
#include "shell/ansi_text.h"
#include "shell/setup_state.h"

/* Builds InfPath once: the program's directory (cut after the last
   backslash) followed by OsTable's INF file name. A module name that is
   empty or cut short by the buffer gives ".\", the current directory. */
const char *GetInfPath(void)
{
    char *path = SetupState.InfPath;
    if (path[0])
        return path;
    char module[TEXT_SIZE];
    DWORD length = GetModuleFileNameA(SetupState.Instance, module, TEXT_SIZE);
    module[length < TEXT_SIZE ? length : 0] = '\0';
    BuildInfPath(module, OsTable[SetupState.OsIndex].InfFileName, path, TEXT_SIZE, IsAnsiLeadByte);
    return path;
}
