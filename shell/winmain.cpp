/*
 * Program entry: the guard against DLLs beside the program, the version
 * check, the administrator rights check, the hidden desktop-sized owner
 * window and the message loop. The exit code is 0 on every path.
 */
#include "setup_state.h"
#include "startup.h"
#include "sequencer.h"
#include "../ui/resources/resource.h"

static int RegisterOwnerClass(void)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = SetupState.Instance;
    windowClass.hIcon = LoadIconA(SetupState.Instance, IDI_SETUP);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    /* The owner window is never shown, so its background is never painted. */
    windowClass.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
    windowClass.lpszClassName = SetupClassName;
    return RegisterClassA(&windowClass) != 0;
}

/* Says in the platform's message box why start-up ends. */
static void ShowStartupError(const char *text)
{
    MessageBoxA(NULL, text, "Install Error", MB_ICONERROR);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SetupState.Instance = instance;

    if (!StartSafely(ShowStartupError))
        return 0;
    if (!DetectEnvironment()) {
        MessageBoxA(NULL, "This Driver is not supported on this Operating System.",
                    "Install Error", MB_ICONERROR);
        return 0;
    }
    /* Without administrator rights the copy into the driver directory and
       the spooler's registration are refused: say so before anything else. */
    if (!ConfirmAdministratorRights())
        return 0;
    SetupState.Environment = SetupEnvironment;

    if (!RegisterOwnerClass())
        return 0;

    SetErrorMode(SEM_FAILCRITICALERRORS);

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);

    /* The right and bottom coordinates go in as width and height: the
       desktop's size when its rectangle starts at 0,0. WM_CREATE starts the
       sequencer's first timer during this call. */
    HWND owner = CreateWindowExA(0, SetupClassName, SetupWindowTitle, WS_OVERLAPPEDWINDOW,
                                 desktop.left, desktop.top, desktop.right, desktop.bottom,
                                 NULL, NULL, instance, NULL);
    /* Without the window no sequencer step can ever run: end quietly. */
    if (!owner)
        return 0;
    ShowWindow(owner, SW_HIDE);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
