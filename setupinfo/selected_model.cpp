#include "selected_model.h"
#include "ui/resources/resource.h"

int ReadSelectedModel(HWND page, char *name, int size)
{
    LRESULT selected = SendDlgItemMessageA(page, IDC_MODEL_LIST, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return 0;
    /* LB_GETTEXT takes no buffer size: measure first. */
    LRESULT length = SendDlgItemMessageA(page, IDC_MODEL_LIST, LB_GETTEXTLEN, (WPARAM)selected, 0);
    if (length == LB_ERR || length >= size)
        return 0;
    if (SendDlgItemMessageA(page, IDC_MODEL_LIST, LB_GETTEXT, (WPARAM)selected, (LPARAM)name) == LB_ERR)
        return 0;
    return 1;
}
