/*
 * The status window: a modeless dialog without caption or buttons that
 * shows one line of text beside the disk icon while the wizard works.
 */
#include "ui/ui.h"
#include "ui/resources/resource.h"
#include "shell/setup_state.h"

/* Creates IDD_STATUS owned by `owner` with string `stringId` (low 16 bits).
   The window is created hidden: the caller shows it, and destroys it when
   its step is over. NULL when it cannot be created. */
HWND ShowStatus(HWND owner, UINT stringId)
{
    SetupState.StatusTextId = LOWORD(stringId);
    return CreateDialogParamA(SetupState.Instance, IDD_STATUS, owner, StatusDlgProc, 0);
}

INT_PTR CALLBACK StatusDlgProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CenterOnParent(dialog);
        char text[TEXT_SIZE];
        text[0] = '\0';
        LoadStringA(SetupState.Instance, SetupState.StatusTextId, text, sizeof text);
        SetDlgItemTextA(dialog, IDC_STATUS_TEXT, text);
    }
    return 0;
}
