/*
 * The benchmarks' baseline: an empty Win32 program, built with the same
 * compiler and flags as setup.exe. It shows one empty window and runs the
 * message loop until that window is closed; its start and its memory are
 * what any windowed program costs under the same Wine.
 */
#include <windows.h>

static LRESULT CALLBACK EmptyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

#ifdef WITH_WIZARD_IMPORTS
#include <winspool.h>
#include <lzexpand.h>
/* empty_imports.exe: the same empty program, importing the spooler and LZ
   libraries as setup.exe does, so that what loading them costs under Wine
   can be told from what the wizard itself costs. */
static void *volatile WizardImports[] = { (void *)EnumPortsA, (void *)LZStart };
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = EmptyWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "EmptyProgram";
    if (!RegisterClassA(&windowClass))
        return 0;
    HWND window = CreateWindowExA(0, "EmptyProgram", "Empty program", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 400, 300, NULL, NULL, instance, NULL);
    if (!window)
        return 0;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
