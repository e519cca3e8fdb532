/*
 * The welcome page (IDD_WELCOME): the supported systems and Next or Cancel.
 */
#include "shell/setup_state.h"
#include "ui/ui.h"
#include "ui/welcome_text_logic.h"
#include "ui/resources/resource.h"

/* Centred, Next focused, and the supported-system text of the environment;
   for an environment without one the template's text stays. */
static void OnWelcomeInit(HWND page)
{
    CenterOnParent(page);
    SetUpPagePicture(page);
    SetFocus(GetDlgItem(page, ID_NEXT));
    const char *text = SupportedSystemText(SetupState.Environment);
    if (text)
        SetDlgItemTextA(page, IDC_WELCOME_TEXT, text);
}

/* The whole command value is compared, so only button clicks (and Enter,
   Escape and the close box, which arrive as clicks) act. */
static void OnWelcomeCommand(HWND page, WPARAM command)
{
    if (command == ID_NEXT)
        EndDialog(page, ID_NEXT);
    else if (command == IDCANCEL && LOWORD(ConfirmCancel(page)) == IDYES)
        EndDialog(page, IDCANCEL);
}

static INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnWelcomeInit(page);
        break;
    case WM_COMMAND:
        OnWelcomeCommand(page, wParam);
        break;
    case WM_DRAWITEM:
        if (wParam == IDC_LOGO)
            DrawLogoButton((const DRAWITEMSTRUCT *)lParam);
        break;
    case WM_CTLCOLORSTATIC:
        /* The one message whose answer is its result: the background brush. */
        return PageControlColour(page, (HDC)wParam, (HWND)lParam);
    case WM_DESTROY:
        /* The page's picture goes with it. */
        ReleasePagePicture(page);
        break;
    }
    /* Never handled: after WM_INITDIALOG the focus stays where it was put. */
    return 0;
}

INT_PTR ShowWelcomePage(HWND owner)
{
    return DialogBoxParamA(SetupState.Instance, IDD_WELCOME, owner, WelcomePageProc, 0);
}
