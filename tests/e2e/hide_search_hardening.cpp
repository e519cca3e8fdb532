/* Linked into the test build setup_unhardened.exe only, never shipped: its
   look-up of kernel32's search-limiting calls answers NULL, as Windows 2000
   would, and leaves "<program>.unhardened" to show that it was asked. */
#include <string.h>
#include "shell/startup.h"

static FARPROC WINAPI HideSearchHardening(HMODULE kernel, LPCSTR name)
{
    if (strcmp(name, "SetDefaultDllDirectories") != 0 && strcmp(name, "SetDllDirectoryA") != 0)
        return GetProcAddress(kernel, name);
    char marker[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(NULL, marker, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        lstrcatA(marker, ".unhardened");
        HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return NULL;
}

[[maybe_unused]] static const int Hidden = (FindSearchFunction = HideSearchHardening, 1);
