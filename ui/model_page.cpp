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

static const PageParts ModelPage = {
    OnModelInit, IDC_MODEL_LIST, GetModelIcon,
    { { ID_NEXT, OnModelNext }, { ID_BACK, EndPageWithBack }, { IDCANCEL, CancelPageOnYes } }
};

INT_PTR ShowModelPage(HWND owner)
{
    return ShowPage(owner, IDD_GETMODEL, &ModelPage);
}
