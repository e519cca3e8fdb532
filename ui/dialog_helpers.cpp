/*
 * Helpers every dialog of the wizard shares: centring on the owner, the
 * painter of the pages' logo button, and the pages' background picture:
 * scaled to cover the page, and released with it.
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

/* 1 when the page's child window is a picture control (a static control
   showing a bitmap). */
static int IsPictureControl(HWND child)
{
    char className[16];
    return GetClassNameA(child, className, sizeof className) && lstrcmpiA(className, "Static") == 0
           && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

/* A width x height copy of the picture, stretched with halftoning, as a
   32-bit DIB section: the screen's own format, which the control then
   shows without a conversion (under Wine a 24-bit copy took more time and
   more memory). NULL when GDI has no room for it. */
static HBITMAP StretchedCopy(HBITMAP picture, const BITMAP *size, int width, int height)
{
    BITMAPINFO format;
    ZeroMemory(&format, sizeof format);
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP copy = CreateDIBSection(NULL, &format, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC from = CreateCompatibleDC(NULL), to = CreateCompatibleDC(NULL);
    if (copy && from && to) {
        HGDIOBJ previousFrom = SelectObject(from, picture), previousTo = SelectObject(to, copy);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, NULL);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, size->bmWidth, size->bmHeight, SRCCOPY);
        SelectObject(from, previousFrom);
        SelectObject(to, previousTo);
    } else if (copy) {
        DeleteObject(copy);
        copy = NULL;
    }
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    return copy;
}

/* The page grows with its font, unevenly (500 x 269 pixels at 96 DPI,
   666 x 336 at 120), while the picture control shows its bitmap at the
   bitmap's own size. Where the picture falls short of the page's right or
   bottom edge, it is replaced by a copy scaled evenly until it covers the
   page; the page clips the rest, as it clips the picture at 96 DPI, where
   nothing changes. The control's first bitmap is deleted; the copy goes
   with the page (ReleasePageBitmaps). */
void FitPagePicture(HWND page)
{
    RECT client;
    GetClientRect(page, &client);
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureControl(child))
            continue;
        HBITMAP picture = (HBITMAP)SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0);
        BITMAP size;
        if (!picture || !GetObjectA(picture, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
            continue;
        /* The control, at the page's top left, takes its bitmap's size with
           its sunken edge inside (Wine) or around it: a bitmap of the page's
           size covers the page either way. */
        int width = client.right, height = client.bottom;
        if (size.bmWidth >= width && size.bmHeight >= height)
            continue;
        /* The side that falls shorter sets the scale; the other then covers. */
        if ((LONGLONG)width * size.bmHeight >= (LONGLONG)height * size.bmWidth)
            height = MulDiv(size.bmHeight, width, size.bmWidth);
        else
            width = MulDiv(size.bmWidth, height, size.bmHeight);
        HBITMAP scaled = StretchedCopy(picture, &size, width, height);
        if (!scaled)
            continue;
        HGDIOBJ replaced = (HGDIOBJ)SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)scaled);
        if (replaced)
            DeleteObject(replaced);
    }
}

/* The background picture's static control loads its bitmap from the page's
   template and, under Wine, never deletes it: every page would leave a
   bitmap of the picture's size (some 600 KB) behind. Taken back from the
   control, which then has nothing left to delete, it is deleted here. */
void ReleasePageBitmaps(HWND page)
{
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureControl(child))
            continue;
        HGDIOBJ bitmap = (HGDIOBJ)SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0);
        if (bitmap)
            DeleteObject(bitmap);
    }
}
