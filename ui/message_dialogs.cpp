/*
 * The wizard's own message dialogs: a modal dialog from one of five
 * templates, chosen with its icon by a message-box style value, that ends
 * with the id of the button pressed.
 */
#include "ui/ui.h"
#include "ui/resources/resource.h"
#include "shell/setup_state.h"

/* The template by the style's buttons (style & 0xF); every value without a
   template of its own (MB_ABORTRETRYIGNORE among them) shows Ok alone. */
static LPCSTR MessageTemplate(UINT style)
{
    switch (style & 0xF) {
    case MB_OKCANCEL: return IDD_MSG_OKCANCEL;
    case MB_YESNOCANCEL: return IDD_MSG_YESNOCANCEL;
    case MB_YESNO: return IDD_MSG_YESNO;
    case MB_RETRYCANCEL: return IDD_MSG_RETRYCANCEL;
    default: return IDD_MSG_OK;
    }
}

/* The platform's icon by the style's icon (style & 0xF0); the application
   icon for none and every other value. */
static LPCSTR MessageIcon(UINT style)
{
    switch (style & 0xF0) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return IDI_APPLICATION;
    }
}

/* Shows text and caption (referred to, not copied) owned by `owner`. The
   result is the wParam of the dialog's first command: the button's id, 2 for
   Escape and the close box; -1 when the dialog cannot be created. */
INT_PTR ShowMessage(HWND owner, const char *text, const char *caption, UINT style)
{
    SetupState.MessageText = text;
    SetupState.MessageCaption = caption;
    SetupState.MessageStyle = LOWORD(style);
    return DialogBoxParamA(SetupState.Instance, MessageTemplate(SetupState.MessageStyle),
                           owner, MessageDlgProc, 0);
}

/* Text and caption from the string table (ids taken with their low 16 bits);
   a missing string shows as empty. */
INT_PTR ShowMessageById(HWND owner, UINT textId, UINT captionId, UINT style)
{
    char text[TEXT_SIZE];
    char caption[TEXT_SIZE];
    text[0] = caption[0] = '\0';
    LoadStringA(SetupState.Instance, LOWORD(textId), text, sizeof text);
    LoadStringA(SetupState.Instance, LOWORD(captionId), caption, sizeof caption);
    return ShowMessage(owner, text, caption, style);
}

/* The one question of the wizard. Callers take only IDYES (low 16 bits) as
   Yes; Escape's 2 and a failed dialog's -1 count as No. */
INT_PTR ConfirmCancel(HWND owner)
{
    return ShowMessageById(owner, IDS_CONFIRM_CANCEL, IDS_CAPTION_QUESTION, MB_YESNO | MB_ICONQUESTION);
}

static void InitMessageDialog(HWND dialog)
{
    CenterOnParent(dialog);
    SetWindowTextA(dialog, SetupState.MessageCaption ? SetupState.MessageCaption : "");
    SetDlgItemTextA(dialog, IDC_MSG_TEXT, SetupState.MessageText ? SetupState.MessageText : "");
    HICON icon = LoadIconA(NULL, MessageIcon(SetupState.MessageStyle));
    SendDlgItemMessageA(dialog, IDC_MSG_ICON, STM_SETICON, (WPARAM)icon, 0);
}

INT_PTR CALLBACK MessageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitMessageDialog(dialog);
        break;
    case WM_COMMAND:
        /* Any command ends the dialog: every control that sends one is a
           button whose id is the answer. */
        EndDialog(dialog, (INT_PTR)wParam);
        break;
    }
    return 0;
}
