/* Imports at load time from shell32, a DLL the wizard has no business with,
   and from winspool and lz32, which Windows would look for beside the
   program first: the import check must reject all three. */
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>
#include <lzexpand.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LZClose(ClosePrinter(NULL));
    return (int)(INT_PTR)ShellExecuteA(NULL, "open", "x", NULL, NULL, SW_SHOW) & 1;
}
