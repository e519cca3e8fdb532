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
   printer; its outcome is not reported. */
static void OnExitOk(HWND page)
{
    if (ExitSucceeded() && IsDlgButtonChecked(page, IDC_SET_DEFAULT) == BST_CHECKED)
        SetDefaultPrinter(SetupState.ModelName);
    EndDialog(page, 1);
}

/* Escape and the close box (the template has no Cancel button) ask nothing
   and never touch the default printer. */
static void OnExitCancel(HWND page)
{
    EndDialog(page, 1);
}

static const PageParts ExitPage = { OnExitInit, 0, NULL, { { IDOK, OnExitOk }, { IDCANCEL, OnExitCancel } } };

INT_PTR ShowExitPage(HWND owner, int result)
{
    SetupState.MessageStyle = LOWORD(result);
    return ShowPage(owner, IDD_EXIT, &ExitPage);
}
