/*
 * The icon lists of the model and port pages against real list boxes and
 * device contexts, and the port list's provider against Wine's ports (through
 * the seam when the enumeration fails or a name is longer than the buffer).
 */
#include <doctest/doctest.h>
#include <string.h>
#include <string>
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"
#include "ui/resources/resource.h"
#include "ui/ui.h"

#define LIST_ID 300
static const char *Texts[8];

static void TestProvider(WORD index, char *buffer)
{
    if (index < 8 && Texts[index])
        lstrcpynA(buffer, Texts[index], 1024);
}

TEST_CASE("FillIconList adds each text once, case ignored, its position as its data")
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 300, 200,
                                parent, (HMENU)LIST_ID, NULL, NULL);
    REQUIRE(list);
    static const struct { const char *texts[6]; short count; const char *items; } cases[] = {
        { { "COM1:", "com1:", "LPT1:", NULL, "COM1:", "FILE:" }, 6, "COM1:=0 LPT1:=1 FILE:=2 " },
        { { "COM1:" }, 0, "" }, { { "COM1:" }, -1, "" }, { { "COM1:" }, -32768, "" },
        { { NULL, "LPT2:" }, 2, "LPT2:=0 " },   /* no text, no item */
    };
    for (const auto &c : cases) {
        CAPTURE(c.count);
        memcpy(Texts, c.texts, sizeof c.texts);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)"stale");
        FillIconList(parent, LIST_ID, c.count, TestProvider);
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

    /* The painter: the state's colours over the whole item, the port's icon
       at (bx, top + 1), the text after it, the focus rectangle, the
       context's colours put back; nothing for the item id of an empty list. */
    Texts[0] = "LPT1:";
    Texts[1] = NULL;
    FillIconList(parent, LIST_ID, 1, TestProvider);
    int bx = LOWORD(GetDialogBaseUnits());
    HDC screen = GetDC(NULL), dc = CreateCompatibleDC(screen), expected = CreateCompatibleDC(screen);
    HBITMAP bitmaps[2] = { CreateCompatibleBitmap(screen, 300, 40), CreateCompatibleBitmap(screen, 300, 40) };
    HGDIOBJ previous[2] = { SelectObject(dc, bitmaps[0]), SelectObject(expected, bitmaps[1]) };
    ReleaseDC(NULL, screen);
    static const struct { UINT id, state; } items[] = { { 0, 0 }, { 0, ODS_SELECTED | ODS_FOCUS }, { (UINT)-1, ODS_FOCUS } };
    for (const auto &c : items) {
        CAPTURE(c.state);
        int drawn = c.id == 0;
        RECT all = { 0, 0, 300, 40 };
        FillRect(dc, &all, (HBRUSH)GetStockObject(GRAY_BRUSH));
        COLORREF grey = GetPixel(dc, 0, 0);
        HBRUSH back = CreateSolidBrush(!drawn ? grey : GetSysColor(c.state & ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        FillRect(expected, &all, back);
        DeleteObject(back);
        if (drawn)
            DrawIcon(expected, bx, 1, LoadIconA(SetupState.Instance, IDI_PORT));
        SetTextColor(dc, RGB(10, 20, 30));
        SetBkColor(dc, RGB(40, 50, 60));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.itemID = c.id;
        item.itemState = c.state;
        item.hwndItem = list;
        item.hDC = dc;
        SetRect(&item.rcItem, 0, 0, 300, 34);
        DrawIconItem(&item, GetPortIcon);
        int before = 0, text = 0, focus = 0, below = 0;
        for (int x = 0; x < 300; ++x)
            for (int y = 0; y < 40; ++y) {
                int differs = GetPixel(dc, x, y) != GetPixel(expected, x, y);
                if (y >= 34)
                    below += GetPixel(dc, x, y) != grey;
                else if (y == 0 || y == 33 || x == 0 || x == 299)
                    focus += differs;
                else if (x < 2 * bx + 32)
                    before += differs;   /* background and icon */
                else
                    text += differs;
            }
        CHECK(before == 0);
        CHECK((text > 0) == drawn);
        CHECK((focus > 0) == (drawn && (c.state & ODS_FOCUS)));
        CHECK(below == 0);
        CHECK(GetTextColor(dc) == RGB(10, 20, 30));
        CHECK(GetBkColor(dc) == RGB(40, 50, 60));
    }
    for (int i = 0; i < 2; ++i) {
        SelectObject(i ? expected : dc, previous[i]);
        DeleteObject(bitmaps[i]);
    }
    DeleteDC(dc);
    DeleteDC(expected);
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
