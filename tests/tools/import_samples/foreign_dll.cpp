/* Imports from shell32, a DLL the wizard has no business with: the import
   check must reject it. */
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return (int)(INT_PTR)ShellExecuteA(NULL, "open", "x", NULL, NULL, SW_SHOW) & 1;
}
