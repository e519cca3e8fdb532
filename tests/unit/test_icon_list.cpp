/*
 * The icon lists of the model and port pages against a real list box and
 * device context, and the port list's provider against Wine's ports (through
 * the seam when the enumeration fails or a name is longer than the buffer).
 */
#include <doctest/doctest.h>
#include <string>
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"
#include "ui/ui.h"

static const char *Texts[6];

static void TestProvider(WORD index, char *buffer)
{
    if (index < 6 && Texts[index])
        lstrcpynA(buffer, Texts[index], 1024);
}

TEST_CASE("an icon list holds each text once, case ignored, and paints an item in the state's colours")
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 300, 200,
                                parent, (HMENU)300, NULL, NULL);
    static const struct { const char *texts[6]; short count; const char *items; } cases[] = {
        { { "COM1:", "com1:", "LPT1:", NULL, "COM1:", "FILE:" }, 6, "COM1:=0 LPT1:=1 FILE:=2 " },
        { { "COM1:" }, 0, "" }, { { "COM1:" }, -1, "" }, { { "COM1:" }, -32768, "" },
        { { NULL, "LPT1:" }, 2, "LPT1:=0 " },   /* no text, no item */
    };
    for (const auto &c : cases) {
        CAPTURE(c.count);
        memcpy(Texts, c.texts, sizeof Texts);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)"stale");
        FillIconList(parent, 300, c.count, TestProvider);
        std::string items;
        for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[64];
            SendMessageA(list, LB_GETTEXT, i, (LPARAM)text);
            items += std::string(text) + "=" + std::to_string(SendMessageA(list, LB_GETITEMDATA, i, 0)) + " ";
        }
        CHECK(items == c.items);
        CHECK(SendMessageA(list, LB_GETCURSEL, 0, 0) == LB_ERR);
    }
    for (UINT proposed : { 16u, 33u, 34u, 40u }) {
        MEASUREITEMSTRUCT item = {};
        item.itemHeight = proposed;
        MeasureIconItem(&item);
        CHECK(item.itemHeight == (proposed < 34 ? 34 : proposed));
    }

    /* The painter fills the whole item in the state's colour and puts the
       context's colours back; the empty list's item -1 it leaves alone. */
    HDC screen = GetDC(NULL), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 40);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    ReleaseDC(NULL, screen);
    static const struct { UINT id, state; int colour; } items[] = {
        { 0, 0, COLOR_WINDOW }, { 0, ODS_SELECTED, COLOR_HIGHLIGHT }, { (UINT)-1, ODS_FOCUS, -1 } };
    for (const auto &c : items) {
        CAPTURE(c.state);
        RECT all = { 0, 0, 300, 40 };
        FillRect(dc, &all, (HBRUSH)GetStockObject(GRAY_BRUSH));
        COLORREF grey = GetPixel(dc, 0, 0);
        SetTextColor(dc, RGB(10, 20, 30));
        SetBkColor(dc, RGB(40, 50, 60));
        DRAWITEMSTRUCT item = { ODT_LISTBOX, 300, c.id, ODA_DRAWENTIRE, c.state, list, dc, { 0, 0, 300, 34 }, 0 };
        DrawIconItem(&item, GetPortIcon);
        COLORREF fill = c.colour < 0 ? grey : GetSysColor(c.colour);
        CHECK(GetPixel(dc, 1, 1) == fill);
        CHECK(GetPixel(dc, 298, 32) == fill);
        CHECK(GetPixel(dc, 150, 36) == grey);   /* below the item */
        CHECK(GetTextColor(dc) == RGB(10, 20, 30));
        CHECK(GetBkColor(dc) == RGB(40, 50, 60));
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyWindow(parent);
}

/* Gives the size, then refuses to fill the buffer. */
static BOOL WINAPI RefusePorts(LPSTR server, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD count)
{
    return !buffer && EnumPortsA(server, level, buffer, size, needed, count);
}

static std::string PortName(WORD index)
{
    char name[1100] = "<untouched>";
    GetPortName(index, name);
    return name;
}

TEST_CASE("the port list is the spooler's, in its order; a failed enumeration gives none")
{
    DWORD needed = 0, count = 0;
    EnumPortsA(NULL, 1, NULL, 0, &needed, &count);
    std::string block(needed, '\0');
    REQUIRE(EnumPortsA(NULL, 1, (LPBYTE)&block[0], needed, &needed, &count));
    const PORT_INFO_1A *ports = (const PORT_INFO_1A *)block.data();
    REQUIRE(CountPorts() == count);
    REQUIRE(count >= 2);
    for (WORD i = 0; i < count; i++)
        CHECK(PortName(i) == ports[i].pName);
    CHECK(PortName((WORD)count) == "<untouched>");

    Spooler.EnumPortsA = RefusePorts;
    CHECK(CountPorts() == 0);
    CHECK(PortName(0) == "<untouched>");
    static std::string longName(1500, 'P');
    const char *names[] = { longName.c_str() };
    UseFakePorts(names, 1);
    CHECK(PortName(0) == longName.substr(0, 1023));
    ResetSpoolerApi();
}
