/* Imports GetTickCount64, which kernel32 exports from Vista on: the import
   check must reject it. Declared here: the Windows 2000 headers hide it. */
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return (int)(GetTickCount64() & 1);
}
