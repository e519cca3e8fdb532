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

static const PageParts PortPage = {
    OnPortInit, IDC_PORT_LIST, GetPortIcon,
    { { ID_NEXT, OnPortNext }, { ID_BACK, EndPageWithBack }, { IDCANCEL, CancelPageOnYes } }
};

INT_PTR ShowPortPage(HWND owner)
{
    return ShowPage(owner, IDD_GETPORT, &PortPage);
}
