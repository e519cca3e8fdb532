/*
 * The port page (IDD_GETPORT): the spooler's ports in an icon list. Next
 * stores the chosen port and removes a previous installation of the model.
 */
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

static const char RemovalFailedText[] =
    "Previous verion driver is currently used by an application.\n"
    "Terminate all applications. And then delete previous version driver from printer folderand retry.";
static const char RemovalFailedCaption[] = "Setup error";

/* Selects the first port beginning with "IR", else the first beginning with
   "COM1:", both without regard to case; otherwise nothing is selected. */
static void SelectInitialPort(HWND page)
{
    HWND list = GetDlgItem(page, IDC_PORT_LIST);
    LRESULT index = SendMessageA(list, LB_FINDSTRING, (WPARAM)-1, (LPARAM)"IR");
    if (index == LB_ERR)
        index = SendMessageA(list, LB_FINDSTRING, (WPARAM)-1, (LPARAM)"COM1:");
    if (index != LB_ERR)
        SendMessageA(list, LB_SETCURSEL, (WPARAM)index, 0);
}

static void OnPortInit(HWND page)
{
    CenterOnParent(page);
    SetUpPagePicture(page);
    /* One reading of the spooler's ports for the count and every name. */
    ReadPortList();
    FillIconList(page, IDC_PORT_LIST, (short)CountPorts(), GetPortName);
    FreePortList();
    SelectInitialPort(page);
    SetFocus(GetDlgItem(page, IDC_PORT_LIST));
}

/* Copies the selected port's text into PortName. 0 when nothing is
   selected, or when the item's text would not fit (the list is filled with
   names of at most 1023 characters, so it always fits). */
int StoreSelectedPort(HWND page)
{
    HWND list = GetDlgItem(page, IDC_PORT_LIST);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return 0;
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (length == LB_ERR || length >= TEXT_SIZE)
        return 0;
    SendMessageA(list, LB_GETTEXT, (WPARAM)index, (LPARAM)SetupState.PortName);
    return 1;
}

/* A previous installation that cannot be removed ends the installation as
   failed, after the platform's own message box. */
static void OnPortNext(HWND page)
{
    if (!StoreSelectedPort(page)) {
        ShowMessageById(page, IDS_SELECT_PORT, IDS_CAPTION_WARNING, MB_ICONHAND);
        return;
    }
    if (!RemovePreviousInstall()) {
        MessageBoxA(page, RemovalFailedText, RemovalFailedCaption, MB_ICONERROR);
        EndDialog(page, IDCANCEL);
        return;
    }
    EndDialog(page, ID_NEXT);
}

/* Whole command values only: list notifications do nothing. */
static void OnPortCommand(HWND page, WPARAM command)
{
    if (command == ID_NEXT)
        OnPortNext(page);
    else if (command == ID_BACK)
        EndDialog(page, ID_BACK);
    else if (command == IDCANCEL && LOWORD(ConfirmCancel(page)) == IDYES)
        EndDialog(page, IDCANCEL);
}

static void OnPortDrawItem(WPARAM controlId, const DRAWITEMSTRUCT *item)
{
    if (controlId == IDC_PORT_LIST)
        DrawIconItem(item, GetPortIcon);
    else if (controlId == IDC_LOGO)
        DrawLogoButton(item);
}

static INT_PTR CALLBACK PortPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        MeasureIconItem((MEASUREITEMSTRUCT *)lParam);
        break;
    case WM_INITDIALOG:
        OnPortInit(page);
        break;
    case WM_DRAWITEM:
        OnPortDrawItem(wParam, (const DRAWITEMSTRUCT *)lParam);
        break;
    case WM_COMMAND:
        OnPortCommand(page, wParam);
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

INT_PTR ShowPortPage(HWND owner)
{
    return DialogBoxParamA(SetupState.Instance, IDD_GETPORT, owner, PortPageProc, 0);
}
