/* A program the import check accepts when linked with the project's flags;
   the test links it for subsystem 6.0, which Windows 2000 refuses to load. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return (int)(GetTickCount() & 1);
}
