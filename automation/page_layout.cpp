/*
 * A wizard page as it shows on screen, checked by its pixels at whatever
 * DPI and colours the prefix runs: every control lies inside the page; the
 * background picture covers every part of the page that no control covers
 * (no strip of the dialog's face colour); the texts, icons and check boxes
 * over it show no box of the face colour; and in a list, the selected
 * item's icon shows whole inside its row, with the row's margins, and clear
 * of its text.
 */
#include <stdio.h>
#include "session.h"
#include "install_walk.h"
#include "page_pixels.h"

/* The bounds, within the rectangle, of the pixels that differ from `back`. */
static RECT Drawn(const Pixels *pixels, const RECT *within, DWORD back)
{
    RECT bounds = { within->right, within->bottom, within->left, within->top };
    for (int y = within->top; y < within->bottom; y++)
        for (int x = within->left; x < within->right; x++)
            if (PixelAt(pixels, x, y) != back) {
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
    if (IsWindowVisible(child) && !IsPagePicture(child) && controls->Count < 64) {
        GetWindowRect(child, &controls->Frames[controls->Count]);
        controls->Ids[controls->Count++] = GetDlgCtrlID(child);
    }
    return TRUE;
}

/* Writes the first fault of the page's frame into `fault`: a control that
   reaches past the page, or a row or column of the page whose pixels that
   no control covers all show the dialog's face colour, as where the
   picture falls short of the page. A lone pixel of the picture's may have
   the face colour (the halftoned edge of its band has pixels of 240 240
   240, Windows 7's). 1 when there is one. */
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
    if (!GrabPixels(&pixels, &client, NULL, 0))
        return snprintf(fault, size, "the screen could not be read"), 1;
    /* Per row and column: the pixels no control covers, and how many of
       them show the face colour. */
    static int rowBare[4096], rowFace[4096], columnBare[4096], columnFace[4096];
    int width = pixels.Width < 4096 ? pixels.Width : 4096, height = pixels.Height < 4096 ? pixels.Height : 4096;
    ZeroMemory(rowBare, sizeof rowBare);
    ZeroMemory(rowFace, sizeof rowFace);
    ZeroMemory(columnBare, sizeof columnBare);
    ZeroMemory(columnFace, sizeof columnFace);
    DWORD face = SystemColour(COLOR_BTNFACE);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            POINT at = { client.left + x, client.top + y };
            int covered = 0;
            for (int i = 0; i < controls.Count && !covered; i++)
                covered = PtInRect(&controls.Frames[i], at);
            if (covered)
                continue;
            int isFace = PixelAt(&pixels, x, y) == face;
            rowBare[y]++, columnBare[x]++;
            rowFace[y] += isFace, columnFace[x] += isFace;
        }
    FreePixels(&pixels);
    /* A line needs a few bare pixels to tell a strip from a coincidence. */
    for (int y = 0; y < height; y++)
        if (rowBare[y] >= 8 && rowFace[y] == rowBare[y])
            return snprintf(fault, size, "row %d of the %dx%d page shows the face colour outside the controls", y,
                            width, height), 1;
    for (int x = 0; x < width; x++)
        if (columnBare[x] >= 8 && columnFace[x] == columnBare[x])
            return snprintf(fault, size, "column %d of the %dx%d page shows the face colour outside the controls",
                            x, width, height), 1;
    return 0;
}

/* The side of the smallest square of the face colour that counts as a box:
   larger than the one-pixel lines of the face colour that a check box's
   sunken edge may hold (its inner light edge under Windows 2000's colours). */
#define BOX_SIDE 4

/* Writes the first text, icon or check box of the page that shows a box of
   the face colour into `fault`. 1 when there is one. */
static int BoxFault(HWND page, char *fault, size_t size)
{
    DWORD face = SystemColour(COLOR_BTNFACE);
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !DrawnOverPicture(child))
            continue;
        RECT frame;
        GetWindowRect(child, &frame);
        Pixels pixels;
        if (!GrabPixels(&pixels, &frame, NULL, 0))
            return snprintf(fault, size, "the screen could not be read"), 1;
        POINT at;
        int found = FindSquare(&pixels, face, BOX_SIDE, &at);
        FreePixels(&pixels);
        if (found)
            return snprintf(fault, size, "control %d shows a box of the face colour, at (%ld, %ld) of its %ldx%ld",
                            GetDlgCtrlID(child), at.x, at.y, frame.right - frame.left, frame.bottom - frame.top),
                   1;
    }
    return 0;
}

/* The extent of what the icon group `group` of setup.exe draws at the
   standard icon size over the highlight colour. */
static int IconExtent(const char *group, SIZE *extent)
{
    HMODULE setup = LoadLibraryExA(Session.SetupExe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HICON icon = setup ? LoadIconA(setup, group) : NULL;
    Pixels pixels;
    RECT square = { 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON) };
    int ok = icon && GrabPixels(&pixels, &square, icon, GetSysColor(COLOR_HIGHLIGHT));
    if (ok) {
        RECT drawn = Drawn(&pixels, &square, SystemColour(COLOR_HIGHLIGHT));
        extent->cx = drawn.right - drawn.left;
        extent->cy = drawn.bottom - drawn.top;
        FreePixels(&pixels);
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
    if (!GrabPixels(&pixels, &client, NULL, 0))
        return snprintf(fault, size, "the screen could not be read"), 1;
    /* The selected row: the rows whose right end is not the list's window
       colour; its first and last rows carry the focus rectangle's dots. */
    DWORD window = SystemColour(COLOR_WINDOW), highlight = SystemColour(COLOR_HIGHLIGHT);
    int x = pixels.Width - 3, top = 0, bottom;
    while (top < pixels.Height && PixelAt(&pixels, x, top) == window)
        top++;
    for (bottom = top; bottom < pixels.Height && PixelAt(&pixels, x, bottom) != window; bottom++)
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
    FreePixels(&pixels);
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
    while (FrameFault(page, fault, sizeof fault) || BoxFault(page, fault, sizeof fault)
           || (listId && ListFault(page, listId, iconGroup, fault, sizeof fault))) {
        if (GetTickCount() - start >= 3000) {
            HDC screen = GetDC(NULL);
            int dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(NULL, screen);
            COLORREF c = GetSysColor(COLOR_BTNFACE);
            return WalkFail(__FILE__, __LINE__, "at %d DPI, face colour %d %d %d: %s", dpi, GetRValue(c),
                            GetGValue(c), GetBValue(c), fault);
        }
        PumpFor(100);
    }
    return 1;
}
