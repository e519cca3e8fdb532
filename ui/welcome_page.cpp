/*
 * The welcome page (IDD_WELCOME): the supported systems and Next or Cancel.
 */
#include "shell/setup_state.h"
#include "ui/ui.h"
#include "ui/welcome_text_logic.h"
#include "ui/resources/resource.h"

/* Next focused, and the supported-system text of the environment; for an
   environment without one the template's text stays. */
static void OnWelcomeInit(HWND page)
{
    SetFocus(GetDlgItem(page, ID_NEXT));
    const char *text = SupportedSystemText(SetupState.Environment);
    if (text)
        SetDlgItemTextA(page, IDC_WELCOME_TEXT, text);
}

/* No Back: the first page. */
static const PageParts WelcomePage = {
    OnWelcomeInit, 0, NULL, { { ID_NEXT, EndPageWithNext }, { IDCANCEL, CancelPageOnYes } }
};

static INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandlePageMessage(&WelcomePage, page, message, wParam, lParam);
}

INT_PTR ShowWelcomePage(HWND owner)
{
    return DialogBoxParamA(SetupState.Instance, IDD_WELCOME, owner, WelcomePageProc, 0);
}
