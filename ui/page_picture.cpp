/*
 * The pages' background picture: scaled to cover the page, shown whole at
 * its own size, and lent to the texts, icons and check boxes over it, which
 * paint their backgrounds with a brush of the picture aligned to where they
 * sit, so that no box of the dialog's face colour shows around them. Under
 * high contrast the pages show no picture, as Windows' own wizards do, and
 * their controls keep the system's colours.
 */
#include "ui/ui.h"

BOOL (WINAPI *QuerySystemParameters)(UINT action, UINT param, PVOID value, UINT update) = SystemParametersInfoA;

/* 1 when the user has chosen a high-contrast scheme. */
static int HighContrastOn(void)
{
    HIGHCONTRASTA contrast;
    ZeroMemory(&contrast, sizeof contrast);
    contrast.cbSize = sizeof contrast;
    return QuerySystemParameters(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
           && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

/* 1 when the page's child window is a picture control (a static control
   showing a bitmap). */
static int IsPictureControl(HWND child)
{
    char className[16];
    return GetClassNameA(child, className, sizeof className) && lstrcmpiA(className, "Static") == 0
           && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

static HWND FindPicture(HWND page)
{
    HWND child = GetWindow(page, GW_CHILD);
    while (child && !IsPictureControl(child))
        child = GetWindow(child, GW_HWNDNEXT);
    return child;
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
   page; the page clips the rest, as it clips the picture at 96 DPI. The
   control's first bitmap is deleted. The bitmap shown, or NULL. */
static HBITMAP CoverPage(HWND page, HWND picture)
{
    RECT client;
    GetClientRect(page, &client);
    HBITMAP shown = (HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP size;
    if (!shown || !GetObjectA(shown, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
        return NULL;
    int width = client.right, height = client.bottom;
    if (size.bmWidth >= width && size.bmHeight >= height)
        return shown;
    /* The side that falls shorter sets the scale; the other then covers. */
    if ((LONGLONG)width * size.bmHeight >= (LONGLONG)height * size.bmWidth)
        height = MulDiv(size.bmHeight, width, size.bmWidth);
    else
        width = MulDiv(size.bmWidth, height, size.bmHeight);
    HBITMAP scaled = StretchedCopy(shown, &size, width, height);
    if (!scaled)
        return shown;
    HGDIOBJ replaced = (HGDIOBJ)SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)scaled);
    if (replaced)
        DeleteObject(replaced);
    return scaled;
}

/* The picture control takes its bitmap's size with its sunken edge around
   it, or (Wine) inside it, squeezing the bitmap into the smaller client
   area. With a client area of the bitmap's size the picture shows pixel
   for pixel either way, and the brush made of it lines up with it. */
static void ShowWhole(HWND picture, HBITMAP bitmap)
{
    BITMAP size;
    RECT frame, client;
    if (!GetObjectA(bitmap, sizeof size, &size) || !GetWindowRect(picture, &frame) || !GetClientRect(picture, &client))
        return;
    int edgeX = frame.right - frame.left - client.right, edgeY = frame.bottom - frame.top - client.bottom;
    SetWindowPos(picture, NULL, 0, 0, size.bmWidth + edgeX, size.bmHeight + edgeY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

/* At WM_INITDIALOG. The picture covers the page and shows whole, and the
   page keeps a brush of it (DWLP_USER) for PageControlColour. Under high
   contrast the picture goes at once, with its bitmap. */
void SetUpPagePicture(HWND page)
{
    HWND picture = FindPicture(page);
    if (!picture)
        return;
    if (HighContrastOn()) {
        ShowWindow(picture, SW_HIDE);
        ReleasePagePicture(page);
        return;
    }
    HBITMAP shown = CoverPage(page, picture);
    if (!shown)
        return;
    ShowWhole(picture, shown);
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)CreatePatternBrush(shown));
}

/* The picture's brush, placed so that its pixels fall where the picture's
   own pixels lie under the control: the brush origin is in the control's
   client coordinates. The text is drawn on it without a background of its
   own, so that a text repainted over an older one leaves nothing of it. */
INT_PTR PageControlColour(HWND page, HDC dc, HWND control)
{
    HBRUSH brush = (HBRUSH)GetWindowLongPtrA(page, DWLP_USER);
    HWND picture = FindPicture(page);
    if (!brush || !picture)
        return 0;
    POINT origin = { 0, 0 }, at = { 0, 0 };
    MapWindowPoints(picture, page, &origin, 1);
    MapWindowPoints(control, page, &at, 1);
    SetBrushOrgEx(dc, origin.x - at.x, origin.y - at.y, NULL);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    return (INT_PTR)brush;
}

/* The background picture's static control loads its bitmap from the page's
   template and, under Wine, never deletes it: every page would leave a
   bitmap of the picture's size (some 600 KB) behind. Taken back from the
   control, which then has nothing left to delete, it is deleted here, after
   the brush made of it. */
void ReleasePagePicture(HWND page)
{
    HGDIOBJ brush = (HGDIOBJ)SetWindowLongPtrA(page, DWLP_USER, 0);
    if (brush)
        DeleteObject(brush);
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureControl(child))
            continue;
        HGDIOBJ bitmap = (HGDIOBJ)SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0);
        if (bitmap)
            DeleteObject(bitmap);
    }
}
