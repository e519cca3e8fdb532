/*
 * The icon lists and dialog helpers against real controls and device
 * contexts: filling without duplicates, item height, the item painter
 * (colours, icon, text position, focus, the empty list) and the logo
 * painter. (Centring is checked by the logic and message dialog tests.)
 */
#include <doctest/doctest.h>
#include <string.h>
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "ui/ui.h"

#define LIST_ID 300
#define MARKER RGB(1, 2, 3)

static const char *ProviderNames[8];
static int ProviderCount;

static void TestProvider(WORD index, char *buffer)
{
    if (index < ProviderCount && ProviderNames[index])
        lstrcpynA(buffer, ProviderNames[index], 1024);
}

/* A parent window with an owner-drawn, string-holding list box. */
static HWND MakeListParent(void)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    REQUIRE(parent);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                0, 0, 300, 200, parent, (HMENU)LIST_ID, NULL, NULL);
    REQUIRE(list);
    return parent;
}

TEST_CASE("FillIconList adds each text once, with its position as data")
{
    HWND parent = MakeListParent();
    HWND list = GetDlgItem(parent, LIST_ID);
    static const char *const ports[] = { "COM1:", "com1:", "LPT1:", NULL, "COM1:", "FILE:" };
    memcpy(ProviderNames, ports, sizeof ports);
    ProviderCount = 6;
    SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)"stale");
    FillIconList(parent, LIST_ID, 6, TestProvider);
    REQUIRE(SendMessageA(list, LB_GETCOUNT, 0, 0) == 3);
    static const char *const expected[] = { "COM1:", "LPT1:", "FILE:" };
    for (int i = 0; i < 3; ++i) {
        char text[64];
        SendMessageA(list, LB_GETTEXT, i, (LPARAM)text);
        CHECK(strcmp(text, expected[i]) == 0);
        CHECK(SendMessageA(list, LB_GETITEMDATA, i, 0) == i);
        CHECK(SendMessageA(list, LB_GETCURSEL, 0, 0) == LB_ERR);
    }
    /* Duplicates that sort apart from their first occurrence. */
    static const char *const mixed[] = { "b:", "A:", "c:", "B:", "LPT1:", "a:", "C:", "lpt1:" };
    memcpy(ProviderNames, mixed, sizeof mixed);
    ProviderCount = 8;
    FillIconList(parent, LIST_ID, 8, TestProvider);
    REQUIRE(SendMessageA(list, LB_GETCOUNT, 0, 0) == 4);
    static const char *const firsts[] = { "b:", "A:", "c:", "LPT1:" };
    for (int i = 0; i < 4; ++i) {
        char text[64];
        SendMessageA(list, LB_GETTEXT, i, (LPARAM)text);
        CHECK(strcmp(text, firsts[i]) == 0);
        CHECK(SendMessageA(list, LB_GETITEMDATA, i, 0) == i);
    }
    static const short emptyCounts[] = { 0, -1, -32768 };
    for (short count : emptyCounts) {
        CAPTURE(count);
        FillIconList(parent, LIST_ID, count, TestProvider);
        CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == 0);
    }
    /* No text at index 0: nothing, not an empty item. */
    static const char *const gap[] = { NULL, "LPT2:" };
    memcpy(ProviderNames, gap, sizeof gap);
    ProviderCount = 2;
    FillIconList(parent, LIST_ID, 2, TestProvider);
    CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == 1);
    DestroyWindow(parent);
}

TEST_CASE("MeasureIconItem raises the height to 34 and keeps larger ones")
{
    static const struct { UINT proposed, result; } cases[] = { { 16, 34 }, { 33, 34 }, { 34, 34 }, { 40, 40 } };
    for (const auto &c : cases) {
        MEASUREITEMSTRUCT item;
        memset(&item, 0, sizeof item);
        item.itemHeight = c.proposed;
        MeasureIconItem(&item);
        CHECK(item.itemHeight == c.result);
    }
}

/* A 32-bit memory surface filled with MARKER, and its pixels. */
struct Surface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD *bits;
    int width, height;
};

static void MakeSurface(Surface *s, int width, int height)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    s->dc = CreateCompatibleDC(NULL);
    s->bitmap = CreateDIBSection(s->dc, &info, DIB_RGB_COLORS, (void **)&s->bits, NULL, 0);
    REQUIRE(s->bitmap);
    s->previous = SelectObject(s->dc, s->bitmap);
    s->width = width;
    s->height = height;
    RECT all = { 0, 0, width, height };
    HBRUSH marker = CreateSolidBrush(MARKER);
    FillRect(s->dc, &all, marker);
    DeleteObject(marker);
    GdiFlush();
}

static COLORREF PixelAt(const Surface *s, int x, int y)
{
    DWORD p = s->bits[y * s->width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

/* Pixels of a rectangle that differ from `colour`. */
static int Differing(const Surface *s, int left, int top, int right, int bottom, COLORREF colour)
{
    GdiFlush();
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += PixelAt(s, x, y) != colour;
    return count;
}

static void FreeSurface(Surface *s)
{
    SelectObject(s->dc, s->previous);
    DeleteObject(s->bitmap);
    DeleteDC(s->dc);
}

TEST_CASE("DrawIconItem paints colours, icon, text and focus as the state says")
{
    HWND parent = MakeListParent();
    static const char *const ports[] = { "LPT1:" };
    memcpy(ProviderNames, ports, sizeof ports);
    ProviderCount = 1;
    FillIconList(parent, LIST_ID, 1, TestProvider);
    int bx = LOWORD(GetDialogBaseUnits());
    static const struct { UINT state; int background; } cases[] = {
        { 0, COLOR_WINDOW },
        { ODS_SELECTED, COLOR_HIGHLIGHT },
        { ODS_SELECTED | ODS_FOCUS, COLOR_HIGHLIGHT },
        { ODS_FOCUS, COLOR_WINDOW },
    };
    for (const auto &c : cases) {
        CAPTURE(c.state);
        Surface s;
        MakeSurface(&s, 300, 40);
        SetTextColor(s.dc, RGB(10, 20, 30));
        SetBkColor(s.dc, RGB(40, 50, 60));
        DRAWITEMSTRUCT item;
        memset(&item, 0, sizeof item);
        item.CtlType = ODT_LISTBOX;
        item.itemID = 0;
        item.itemState = c.state;
        item.hwndItem = GetDlgItem(parent, LIST_ID);
        item.hDC = s.dc;
        SetRect(&item.rcItem, 0, 0, 300, 34);
        DrawIconItem(&item, GetPortIcon);
        COLORREF back = GetSysColor(c.background);
        /* Rows below the item stay untouched. */
        CHECK(Differing(&s, 0, 34, 300, 40, MARKER) == 0);
        /* Left of the icon and between icon and text: background only
           (the focus rectangle's border rows and columns left out). */
        CHECK(Differing(&s, 1, 1, bx, 33, back) == 0);
        CHECK(Differing(&s, bx + 32, 1, 2 * bx + 32, 33, back) == 0);
        /* The icon at (bx, top + 1) and the text from 2 * bx + 32 on. */
        CHECK(Differing(&s, bx, 1, bx + 32, 33, back) > 0);
        CHECK(Differing(&s, 2 * bx + 32, 1, 299, 33, back) > 0);
        int focusPixels = Differing(&s, 0, 0, 300, 1, back);
        if (c.state & ODS_FOCUS)
            CHECK(focusPixels > 0);
        else
            CHECK(focusPixels == 0);
        /* The context's colours are put back. */
        CHECK(GetTextColor(s.dc) == RGB(10, 20, 30));
        CHECK(GetBkColor(s.dc) == RGB(40, 50, 60));
        FreeSurface(&s);
    }
    DestroyWindow(parent);
}

TEST_CASE("an empty focused list draws nothing")
{
    HWND parent = MakeListParent();
    Surface s;
    MakeSurface(&s, 100, 40);
    DRAWITEMSTRUCT item;
    memset(&item, 0, sizeof item);
    item.CtlType = ODT_LISTBOX;
    item.itemID = (UINT)-1;
    item.itemState = ODS_FOCUS;
    item.hwndItem = GetDlgItem(parent, LIST_ID);
    item.hDC = s.dc;
    SetRect(&item.rcItem, 0, 0, 100, 34);
    DrawIconItem(&item, GetModelIcon);
    DrawLogoButton(&item);
    CHECK(Differing(&s, 0, 0, 100, 40, MARKER) == 0);
    FreeSurface(&s);
    DestroyWindow(parent);
}

TEST_CASE("DrawLogoButton frames and stretches the logo 2 pixels inside the item")
{
    Surface s;
    MakeSurface(&s, 60, 90);
    DRAWITEMSTRUCT item;
    memset(&item, 0, sizeof item);
    item.CtlType = ODT_BUTTON;
    item.itemID = 0;
    item.hDC = s.dc;
    SetRect(&item.rcItem, 10, 10, 50, 80);
    DrawLogoButton(&item);
    GdiFlush();
    /* Outside the frame nothing changes; the frame lines lie within
       (left - 3 .. right + 1) of r = (12, 12, 48, 78). */
    CHECK(Differing(&s, 0, 0, 60, 9, MARKER) == 0);
    CHECK(Differing(&s, 0, 80, 60, 90, MARKER) == 0);
    CHECK(PixelAt(&s, 11, 40) == RGB(0, 0, 0));                        /* black pen, left */
    CHECK(PixelAt(&s, 49, 40) == GetSysColor(COLOR_BTNHIGHLIGHT));     /* light pen, right */
    CHECK(PixelAt(&s, 10, 40) == GetSysColor(COLOR_BTNSHADOW));        /* shadow pen, outer left */
    /* The bitmap covers r. */
    CHECK(Differing(&s, 12, 12, 48, 78, MARKER) == (48 - 12) * (78 - 12));
    FreeSurface(&s);
}
