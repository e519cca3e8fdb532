#include "shell/system_library.h"
#include "install/lz_api.h"
#include "spooler/spooler_api.h"

SystemLibraryFailure LibraryFailure;

HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH + 16];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || lstrlenA(name) > 15) {
        lstrcpynA(LibraryFailure.Path, name, sizeof LibraryFailure.Path);
        LibraryFailure.Function = NULL;
        LibraryFailure.Error = ERROR_PATH_NOT_FOUND;
        return NULL;
    }
    lstrcatA(path, "\\");
    lstrcatA(path, name);
    HMODULE library = LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) {
        LibraryFailure.Error = GetLastError();
        lstrcpyA(LibraryFailure.Path, path);
        LibraryFailure.Function = NULL;
    }
    return library;
}

FARPROC SystemFunction(HMODULE library, const char *function)
{
    FARPROC found = GetProcAddress(library, function);
    if (!found) {
        LibraryFailure.Error = GetLastError();
        /* Windows XP leaves a name that fills the buffer unterminated. */
        DWORD length = GetModuleFileNameA(library, LibraryFailure.Path, sizeof LibraryFailure.Path - 1);
        LibraryFailure.Path[length] = '\0';
        LibraryFailure.Function = function;
    }
    return found;
}

int BindSystemLibraries(void)
{
    return BindSpoolerApi() && BindLzApi();
}
