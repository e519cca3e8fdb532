/*
 * The model page (IDD_GETMODEL): the models of the INF in an icon list.
 * Next removes a stale printer of the chosen model and loads its data.
 */
#include "shell/setup_state.h"
#include "setupinfo/setupinfo.h"
#include "spooler/spooler.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

/* The list is refilled on every visit and its first model selected, so an
   earlier choice is never preselected. An empty list has no selection. */
static void OnModelInit(HWND page)
{
    CenterOnParent(page);
    SetUpPagePicture(page);
    ReadModelList();
    FillIconList(page, IDC_MODEL_LIST, (short)CountModels(), GetModelName);
    FreeModelList();
    SendDlgItemMessageA(page, IDC_MODEL_LIST, LB_SETCURSEL, 0, 0);
    SetFocus(GetDlgItem(page, IDC_MODEL_LIST));
}

/* A registered driver of the model's name means an earlier installation:
   its printer goes now, the printer and driver together on the port page. */
static void OnModelNext(HWND page)
{
    if (DriverExists(page))
        DeleteStalePrinter(page);
    if (!LoadModelData(page)) {
        ShowMessageById(page, IDS_SELECT_MODEL, IDS_CAPTION_WARNING, MB_ICONHAND);
        return;
    }
    EndDialog(page, ID_NEXT);
}

/* Whole command values only: a double-click or a selection change in the
   list arrives with a notification code and does nothing. */
static void OnModelCommand(HWND page, WPARAM command)
{
    if (command == ID_NEXT)
        OnModelNext(page);
    else if (command == ID_BACK)
        EndDialog(page, ID_BACK);
    else if (command == IDCANCEL && LOWORD(ConfirmCancel(page)) == IDYES)
        EndDialog(page, IDCANCEL);
}

static void OnModelDrawItem(WPARAM controlId, const DRAWITEMSTRUCT *item)
{
    if (controlId == IDC_MODEL_LIST)
        DrawIconItem(item, GetModelIcon);
    else if (controlId == IDC_LOGO)
        DrawLogoButton(item);
}

static INT_PTR CALLBACK ModelPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        MeasureIconItem((MEASUREITEMSTRUCT *)lParam);
        break;
    case WM_INITDIALOG:
        OnModelInit(page);
        break;
    case WM_DRAWITEM:
        OnModelDrawItem(wParam, (const DRAWITEMSTRUCT *)lParam);
        break;
    case WM_COMMAND:
        OnModelCommand(page, wParam);
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

INT_PTR ShowModelPage(HWND owner)
{
    return DialogBoxParamA(SetupState.Instance, IDD_GETMODEL, owner, ModelPageProc, 0);
}
