/*
 * The exit page (IDD_EXIT): success or failure, and on success the offer to
 * make the new printer the default printer. The result being shown is kept
 * in SetupState.MessageStyle while the page is open.
 */
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

#define EXIT_SUCCESS_RESULT 1

static const char ExitNotice[] = "Click Ok to close the wizard.";

static int ExitSucceeded(void)
{
    return SetupState.MessageStyle == EXIT_SUCCESS_RESULT;
}

/* Success: information icon, string 4000, the default-printer box checked.
   Failure: hand icon, string 4001, the box hidden. */
static void OnExitInit(HWND page)
{
    char resultText[TEXT_SIZE];
    resultText[0] = '\0';

    CenterOnParent(page);
    SetUpPagePicture(page);
    SetWindowTextA(page, SetupWindowTitle);
    if (ExitSucceeded()) {
        SendDlgItemMessageA(page, IDC_MSG_ICON, STM_SETICON, (WPARAM)LoadIconA(NULL, IDI_ASTERISK), 0);
        LoadStringA(SetupState.Instance, IDS_INSTALL_DONE, resultText, sizeof resultText);
        CheckDlgButton(page, IDC_SET_DEFAULT, BST_CHECKED);
    } else {
        SendDlgItemMessageA(page, IDC_MSG_ICON, STM_SETICON, (WPARAM)LoadIconA(NULL, IDI_HAND), 0);
        LoadStringA(SetupState.Instance, IDS_INSTALL_FAILED, resultText, sizeof resultText);
        ShowWindow(GetDlgItem(page, IDC_SET_DEFAULT), SW_HIDE);
    }
    SetDlgItemTextA(page, IDC_EXIT_NOTICE, ExitNotice);
    SetDlgItemTextA(page, IDC_EXIT_TEXT, resultText);
    SetFocus(GetDlgItem(page, IDOK));
}

/* Only Ok on the success page with the box checked touches the default
   printer; Escape and the close box (IDCANCEL) never do. Its outcome is
   not reported. */
static void OnExitCommand(HWND page, WPARAM command)
{
    if (command == IDOK) {
        if (ExitSucceeded() && IsDlgButtonChecked(page, IDC_SET_DEFAULT) == BST_CHECKED)
            SetDefaultPrinter(SetupState.ModelName);
        EndDialog(page, 1);
    } else if (command == IDCANCEL) {
        EndDialog(page, 1);
    }
}

static INT_PTR CALLBACK ExitPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnExitInit(page);
        break;
    case WM_COMMAND:
        OnExitCommand(page, wParam);
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
    return 0;
}

INT_PTR ShowExitPage(HWND owner, int result)
{
    SetupState.MessageStyle = LOWORD(result);
    return DialogBoxParamA(SetupState.Instance, IDD_EXIT, owner, ExitPageProc, 0);
}
