/*
 * Helpers every dialog of the wizard shares: centring on the owner and the
 * painter of the pages' logo button.
 */
#include "ui/ui.h"
#include "ui/center_logic.h"
#include "ui/resources/resource.h"
#include "shell/setup_state.h"

/* Moves the dialog to the middle of its owner (the parent of a popup),
   frames included, and brings it to the foreground. A dialog without an
   owner centres on the desktop. */
void CenterOnParent(HWND dialog)
{
    RECT parent, own;
    HWND owner = GetParent(dialog);
    GetWindowRect(owner ? owner : GetDesktopWindow(), &parent);
    GetWindowRect(dialog, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = CenteredOrigin(parent.left, parent.right - parent.left, width);
    int y = CenteredOrigin(parent.top, parent.bottom - parent.top, height);
    MoveWindow(dialog, x, y, width, height, TRUE);
    SetForegroundWindow(dialog);
}

/* A sunken frame around r: black inner top-left, shadow outer top-left,
   highlight bottom-right, over a shadow-coloured fill. LineTo stops one
   pixel short of its end point. */
static void DrawLogoFrame(HDC dc, const RECT *r)
{
    HBRUSH fill = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    FillRect(dc, r, fill);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, r->left - 1, r->bottom - 1, NULL);
    LineTo(dc, r->left - 1, r->top - 1);
    LineTo(dc, r->right, r->top - 1);
    SelectObject(dc, light);
    MoveToEx(dc, r->right + 1, r->top - 2, NULL);
    LineTo(dc, r->right + 1, r->bottom + 1);
    LineTo(dc, r->left - 3, r->bottom + 1);
    SelectObject(dc, shadow);
    MoveToEx(dc, r->right, r->top - 2, NULL);
    LineTo(dc, r->left - 2, r->top - 2);
    LineTo(dc, r->left - 2, r->bottom + 1);
    SelectObject(dc, previous);
    DeleteObject(fill);
    DeleteObject(light);
    DeleteObject(shadow);
}

/* Paints IDC_LOGO: the frame, then bitmap IDB_LOGO stretched into the item
   rectangle less 2 pixels on every side. Nothing for item id -1 or when the
   bitmap or a memory context cannot be had. */
void DrawLogoButton(const DRAWITEMSTRUCT *item)
{
    if (item->itemID == (UINT)-1)
        return;
    HBITMAP logo = LoadBitmapA(SetupState.Instance, MAKEINTRESOURCEA(IDB_LOGO));
    if (!logo)
        return;
    HDC memory = CreateCompatibleDC(item->hDC);
    if (!memory) {
        DeleteObject(logo);
        return;
    }
    RECT r = item->rcItem;
    InflateRect(&r, -2, -2);
    DrawLogoFrame(item->hDC, &r);

    BITMAP size;
    GetObjectA(logo, sizeof size, &size);
    HGDIOBJ previous = SelectObject(memory, logo);
    StretchBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top,
               memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(logo);
}
