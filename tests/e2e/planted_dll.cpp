/* A DLL that the planted-DLL scenarios put beside setup.exe under the name
   of a DLL the wizard loads (tests.cmake builds one per name). Loaded, it
   leaves "<its path>.loaded". Every function it exports ends the process:
   once it has loaded, the scenario has failed anyway. */
#include <windows.h>

extern "C" void PlantedFunction(void)
{
    ExitProcess(99);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    char marker[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(self, marker, MAX_PATH);
    if (reason == DLL_PROCESS_ATTACH && length > 0 && length < MAX_PATH) {
        lstrcatA(marker, ".loaded");
        HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return TRUE;
}
