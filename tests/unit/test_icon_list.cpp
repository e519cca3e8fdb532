/* The icon lists of the model and port pages on a real list box, their
   items' icons, and the port list's provider on Wine's ports and, through
   the seam, on a failed enumeration and a name longer than the buffer. */
#include <doctest/doctest.h>
#include <string>
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

static const char *Texts[8];

static void TestProvider(WORD index, char *buffer)
{
    if (index < 8 && Texts[index])
        lstrcpynA(buffer, Texts[index], 1024);
}

TEST_CASE("an icon list holds each text once, case ignored, its position as its data, 34 pixels high")
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 300, 200,
                                parent, (HMENU)300, NULL, NULL);
    static const struct { const char *texts[8]; short count; const char *items; } cases[] = {
        { { "COM1:", "com1:", "LPT1:", NULL, "COM1:", "FILE:" }, 6, "COM1:=0 LPT1:=1 FILE:=2 " },
        /* Duplicates that sort apart from their first occurrence. */
        { { "b:", "A:", "c:", "B:", "LPT1:", "a:", "C:", "lpt1:" }, 8, "b:=0 A:=1 c:=2 LPT1:=3 " },
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
        CHECK(items == std::string(c.items));
        CHECK(SendMessageA(list, LB_GETCURSEL, 0, 0) == LB_ERR);
    }
    for (UINT proposed : { 16u, 33u, 34u, 40u }) {
        MEASUREITEMSTRUCT item = {};
        item.itemHeight = proposed;
        MeasureIconItem(&item);
        CHECK(item.itemHeight == (proposed < 34 ? 34 : proposed));
    }
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

TEST_CASE("port icons: FILE: in any case, LPT and COM in upper case, the network icon for the rest")
{
    static const struct { const char *text, *icon; } cases[] = {
        { "FILE:", IDI_SETUP }, { "file:", IDI_SETUP }, { "LPT1:", IDI_PORT }, { "COM10:", IDI_PORT },
        { "COMPANY", IDI_PORT }, { "LPT", IDI_PORT }, { "lpt1:", IDI_NETWORK }, { "FILE", IDI_NETWORK },
        { "FILE:X", IDI_NETWORK }, { "USB001", IDI_NETWORK }, { "Ne00:", IDI_NETWORK }, { "CO", IDI_NETWORK },
        { "", IDI_NETWORK },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.text));
        CHECK(std::string(GetPortIcon(c.text)) == std::string(c.icon));
    }
    CHECK(std::string(GetModelIcon("Kest R520")) == std::string(IDI_PRINTER));
}

TEST_CASE("the port list is the spooler's, in its order; a failed enumeration gives none")
{
    DWORD needed = 0, count = 0;
    EnumPortsA(NULL, 1, NULL, 0, &needed, &count);
    std::string block(needed, '\0');
    REQUIRE(EnumPortsA(NULL, 1, (LPBYTE)&block[0], needed, &needed, &count));
    const PORT_INFO_1A *ports = (const PORT_INFO_1A *)block.data();
    REQUIRE(CountPorts() == count);
    for (WORD i = 0; i < count; i++)
        CHECK(PortName(i) == std::string(ports[i].pName));
    CHECK(PortName((WORD)count) == std::string("<untouched>"));

    Spooler.EnumPortsA = RefusePorts;
    CHECK(CountPorts() == 0);
    CHECK(PortName(0) == std::string("<untouched>"));
    static std::string longName(1500, 'P');
    const char *names[] = { longName.c_str() };
    UseFakePorts(names, 1);
    CHECK(PortName(0) == longName.substr(0, 1023));
    ResetSpoolerApi();
}
