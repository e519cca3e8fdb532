/*
 * A wizard page as it shows on screen, checked by its pixels at whatever
 * DPI the prefix runs: every control lies inside the page; the background
 * picture covers every part of the page that no control covers (no strip of
 * the dialog's face colour); and in a list, the selected item's icon shows
 * whole inside its row, with the row's margins, and clear of its text.
 */
#include <stdio.h>
#include "session.h"
#include "install_walk.h"

/* The pixels of a rectangle of the screen, 0x00RRGGBB, top row first. */
struct Pixels {
    RECT Area;
    int Width, Height;
    DWORD *Bits;
    HBITMAP Bitmap;
};

/* Copies the screen's pixels of `area` (screen coordinates), or with an
   icon, the icon drawn at the top left over `back`. 1 on success; Free
   releases them. */
static int Grab(Pixels *pixels, const RECT *area, HICON icon, COLORREF back)
{
    ZeroMemory(pixels, sizeof *pixels);
    pixels->Area = *area;
    pixels->Width = area->right - area->left;
    pixels->Height = area->bottom - area->top;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels->Width;
    info.bmiHeader.biHeight = -pixels->Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    pixels->Bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, (void **)&pixels->Bits, NULL, 0);
    if (pixels->Bitmap && pixels->Bits) {
        HGDIOBJ previous = SelectObject(memory, pixels->Bitmap);
        if (icon) {
            RECT all = { 0, 0, pixels->Width, pixels->Height };
            HBRUSH brush = CreateSolidBrush(back);
            FillRect(memory, &all, brush);
            DeleteObject(brush);
            DrawIcon(memory, 0, 0, icon);
        } else {
            BitBlt(memory, 0, 0, pixels->Width, pixels->Height, screen, area->left, area->top, SRCCOPY);
        }
        GdiFlush();
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels->Bits != NULL;
}

static void Free(Pixels *pixels)
{
    if (pixels->Bitmap)
        DeleteObject(pixels->Bitmap);
}

/* The pixel at (x, y) of the grabbed rectangle, 0x00RRGGBB. */
static DWORD At(const Pixels *pixels, int x, int y)
{
    return pixels->Bits[y * pixels->Width + x] & 0xFFFFFF;
}

/* A system colour as the grabbed pixels hold it. */
static DWORD SystemColour(int index)
{
    COLORREF c = GetSysColor(index);
    return (DWORD)GetRValue(c) << 16 | (DWORD)GetGValue(c) << 8 | GetBValue(c);
}

/* The bounds, within the rectangle, of the pixels that differ from `back`. */
static RECT Drawn(const Pixels *pixels, const RECT *within, DWORD back)
{
    RECT bounds = { within->right, within->bottom, within->left, within->top };
    for (int y = within->top; y < within->bottom; y++)
        for (int x = within->left; x < within->right; x++)
            if (At(pixels, x, y) != back) {
                bounds.left = x < bounds.left ? x : bounds.left;
                bounds.right = x + 1 > bounds.right ? x + 1 : bounds.right;
                bounds.top = y < bounds.top ? y : bounds.top;
                bounds.bottom = y + 1 > bounds.bottom ? y + 1 : bounds.bottom;
            }
    return bounds;
}

struct PageControls {
    int Count;
    RECT Frames[64];   /* screen coordinates */
    int Ids[64];
};

/* Collects the visible controls of a page but its background picture (a
   static control showing a bitmap), which the page clips by design. */
static BOOL CALLBACK CollectControl(HWND child, LPARAM lParam)
{
    PageControls *controls = (PageControls *)lParam;
    char className[16];
    GetClassNameA(child, className, sizeof className);
    int picture = lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
    if (IsWindowVisible(child) && !picture && controls->Count < 64) {
        GetWindowRect(child, &controls->Frames[controls->Count]);
        controls->Ids[controls->Count++] = GetDlgCtrlID(child);
    }
    return TRUE;
}

/* Writes the first fault of the page's frame into `fault`: a control that
   reaches past the page, or a pixel of the dialog's face colour that no
   control covers. 1 when there is one. */
static int FrameFault(HWND page, char *fault, size_t size)
{
    RECT client;
    GetClientRect(page, &client);
    MapWindowPoints(page, NULL, (POINT *)&client, 2);
    PageControls controls;
    controls.Count = 0;
    EnumChildWindows(page, CollectControl, (LPARAM)&controls);
    for (int i = 0; i < controls.Count; i++) {
        RECT inside;
        IntersectRect(&inside, &controls.Frames[i], &client);
        if (!EqualRect(&inside, &controls.Frames[i]))
            return snprintf(fault, size, "control %d reaches past the page", controls.Ids[i]), 1;
    }
    Pixels pixels;
    if (!Grab(&pixels, &client, NULL, 0))
        return snprintf(fault, size, "the screen could not be read"), 1;
    DWORD face = SystemColour(COLOR_BTNFACE);
    int bare = 0, firstX = 0, firstY = 0;
    for (int y = 0; y < pixels.Height; y++)
        for (int x = 0; x < pixels.Width; x++) {
            POINT at = { client.left + x, client.top + y };
            int covered = 0;
            for (int i = 0; i < controls.Count && !covered; i++)
                covered = PtInRect(&controls.Frames[i], at);
            if (!covered && At(&pixels, x, y) == face && !bare++) {
                firstX = x;
                firstY = y;
            }
        }
    Free(&pixels);
    if (bare)
        snprintf(fault, size, "%d pixels of the %dx%d page show the face colour, first at (%d, %d)", bare,
                 pixels.Width, pixels.Height, firstX, firstY);
    return bare != 0;
}

/* The extent of what the icon group `group` of setup.exe draws at the
   standard icon size over the highlight colour. */
static int IconExtent(const char *group, SIZE *extent)
{
    HMODULE setup = LoadLibraryExA(Session.SetupExe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HICON icon = setup ? LoadIconA(setup, group) : NULL;
    Pixels pixels;
    RECT square = { 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON) };
    int ok = icon && Grab(&pixels, &square, icon, GetSysColor(COLOR_HIGHLIGHT));
    if (ok) {
        RECT drawn = Drawn(&pixels, &square, SystemColour(COLOR_HIGHLIGHT));
        extent->cx = drawn.right - drawn.left;
        extent->cy = drawn.bottom - drawn.top;
        Free(&pixels);
    }
    if (setup)
        FreeLibrary(setup);
    return ok;
}

/* 1 when column x holds a pixel other than `back` between top and bottom. */
static int ColumnDrawn(const Pixels *pixels, int x, int top, int bottom, DWORD back)
{
    RECT column = { x, top, x + 1, bottom };
    return Drawn(pixels, &column, back).right > x;
}

/* Writes the first fault of the list's selected item into `fault`: a row
   lower than the standard icon and its margins, an icon not shown whole
   (cut by its row or the next one), or drawn against its text. The row is
   found by its colour at the list's right edge; the icon is the first run
   of columns inside the row's focus rectangle that differ from the
   highlight colour, and must have the extent of the icon group `group`
   drawn alone. 1 when there is one. */
static int ListFault(HWND page, int listId, const char *group, char *fault, size_t size)
{
    HWND list = GetDlgItem(page, listId);
    RECT client;
    GetClientRect(list, &client);
    MapWindowPoints(list, NULL, (POINT *)&client, 2);
    SIZE icon;
    if (!IconExtent(group, &icon))
        return snprintf(fault, size, "icon %s not loaded from setup.exe", group), 1;
    Pixels pixels;
    if (!Grab(&pixels, &client, NULL, 0))
        return snprintf(fault, size, "the screen could not be read"), 1;
    /* The selected row: the rows whose right end is not the list's window
       colour; its first and last rows carry the focus rectangle's dots. */
    DWORD window = SystemColour(COLOR_WINDOW), highlight = SystemColour(COLOR_HIGHLIGHT);
    int x = pixels.Width - 3, top = 0, bottom;
    while (top < pixels.Height && At(&pixels, x, top) == window)
        top++;
    for (bottom = top; bottom < pixels.Height && At(&pixels, x, bottom) != window; bottom++)
        ;
    int left = 1, right;
    while (left < pixels.Width - 1 && !ColumnDrawn(&pixels, left, top + 1, bottom - 1, highlight))
        left++;
    for (right = left; right < pixels.Width - 1 && ColumnDrawn(&pixels, right, top + 1, bottom - 1, highlight); right++)
        ;
    RECT iconColumns = { left, top + 1, right, bottom - 1 };
    RECT shown = Drawn(&pixels, &iconColumns, highlight);
    int text = right;
    while (text < pixels.Width - 1 && !ColumnDrawn(&pixels, text, top + 1, bottom - 1, highlight))
        text++;
    Free(&pixels);
    int lowest = GetSystemMetrics(SM_CYICON) + 2;
    if (bottom - top < lowest)
        return snprintf(fault, size, "the selected row is %d pixels high, under %d", bottom - top, lowest), 1;
    if (shown.right - shown.left != icon.cx || shown.bottom - shown.top != icon.cy || text >= pixels.Width - 1)
        return snprintf(fault, size, "the selected row shows %ldx%ld pixels of a %ldx%ld icon%s",
                        shown.right - shown.left, shown.bottom - shown.top, icon.cx, icon.cy,
                        text < pixels.Width - 1 ? "" : ", and no text after it"), 1;
    return 0;
}

int CheckPageLayout(HWND page, int listId, const char *iconGroup)
{
    /* A page found a moment ago may not have painted yet. */
    char fault[256] = "";
    DWORD start = GetTickCount();
    while (FrameFault(page, fault, sizeof fault) || (listId && ListFault(page, listId, iconGroup, fault, sizeof fault))) {
        if (GetTickCount() - start >= 3000) {
            HDC screen = GetDC(NULL);
            int dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(NULL, screen);
            return WalkFail(__FILE__, __LINE__, "at %d DPI: %s", dpi, fault);
        }
        PumpFor(100);
    }
    return 1;
}
