/*
 * The wizard's dialogs in Wine's dialog manager, from the test program's own
 * resources (setup.exe's): every template opens; icon masks and the images
 * of every icon group; the message dialogs by style; the port page's
 * initial selection over the seam's port lists (lists without COM1:, which
 * the shared prefix cannot lose); a page's colours on screen under high
 * contrast, which Wine never reports but through the seam, and where a text
 * changes while the page is open.
 */
#include <doctest/doctest.h>
#include <string.h>
#include <string>
#include <vector>
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"
#include "spooler_fakes.h"
#include "dialog_watch.h"
#include "window_driver.h"
#include "page_pixels.h"

static const HMODULE Self = GetModuleHandleA(NULL);

/* A name as FindResourceA takes it: the text, or "#" and the number. */
static BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
    std::string text = IS_INTRESOURCE(name) ? "#" + std::to_string((ULONG_PTR)name) : name;
    ((std::vector<std::string> *)names)->push_back(text);
    return TRUE;
}

static std::vector<std::string> ResourceNames(LPCSTR type)
{
    std::vector<std::string> names;
    EnumResourceNamesA(Self, type, CollectName, (LONG_PTR)&names);
    return names;
}

static INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

TEST_CASE("all eleven dialog templates open in the dialog manager")
{
    std::vector<std::string> templates = ResourceNames(RT_DIALOG);
    CHECK(templates.size() == 11);
    for (const std::string &name : templates) {
        CAPTURE(name);
        HWND dialog = CreateDialogParamA(Self, name.c_str(), NULL, QuietDialog, 0);
        CHECK(dialog != NULL);
        DestroyWindow(dialog);
    }
}

/* Entry (x, y) of a row set of `bpp` bits per pixel. */
static int Pixel(const BYTE *bits, int stride, int bpp, int x, int y)
{
    const BYTE *row = bits + y * stride;
    return bpp == 8 ? row[x] : bpp == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15 : (row[x / 8] >> (7 - x % 8)) & 1;
}

TEST_CASE("every icon image clears part of itself through its mask, black under the clear pixels")
{
    std::vector<std::string> images = ResourceNames(RT_ICON);
    CHECK(images.size() >= 5);
    for (const std::string &name : images) {
        CAPTURE(name);
        HRSRC found = FindResourceA(Self, name.c_str(), RT_ICON);
        DWORD size = SizeofResource(Self, found);
        const BYTE *image = (const BYTE *)LockResource(LoadResource(Self, found));
        BITMAPINFOHEADER info;
        REQUIRE(image);
        REQUIRE(size >= sizeof info);
        memcpy(&info, image, sizeof info);
        int side = info.biWidth, bpp = info.biBitCount;
        REQUIRE(info.biHeight == 2 * side);
        REQUIRE((bpp == 1 || bpp == 4 || bpp == 8));
        int colours = info.biClrUsed ? (int)info.biClrUsed : 1 << bpp;
        int colourStride = (side * bpp + 31) / 32 * 4, maskStride = (side + 31) / 32 * 4;
        REQUIRE(size >= sizeof info + colours * 4 + (colourStride + maskStride) * side);
        const RGBQUAD *palette = (const RGBQUAD *)(image + sizeof info);
        const BYTE *colour = image + sizeof info + colours * 4, *mask = colour + colourStride * side;
        int clear = 0, showing = 0;
        for (int y = 0; y < side; y++)
            for (int x = 0; x < side; x++) {
                if (!Pixel(mask, maskStride, 1, x, y))
                    continue;
                clear++;
                const RGBQUAD &p = palette[Pixel(colour, colourStride, bpp, x, y)];
                showing += p.rgbRed || p.rgbGreen || p.rgbBlue;
            }
        /* Part clear, most shown; black under the clear pixels, as any other
           colour would tint the screen there. */
        CHECK(clear > side * side / 20);
        CHECK(clear < side * side * 3 / 4);
        CHECK(showing == 0);
    }
}

/* The images of an icon group as " size:bits" entries of its directory; an
   entry whose image is stored at another size or depth ends in "!". */
static std::string GroupImages(LPCSTR group)
{
    const BYTE *directory = (const BYTE *)LockResource(LoadResource(Self, FindResourceA(Self, group, RT_GROUP_ICON)));
    if (!directory)
        return "(no group)";
    std::string images;
    for (int i = 0; i < directory[4] + 256 * directory[5]; i++) {
        const BYTE *entry = directory + 6 + 14 * i;
        int bits = entry[6] + 256 * entry[7], id = entry[12] + 256 * entry[13];
        BITMAPINFOHEADER info = {};
        const void *image = LockResource(LoadResource(Self, FindResourceA(Self, MAKEINTRESOURCEA(id), RT_ICON)));
        if (image)
            memcpy(&info, image, sizeof info);
        images += " " + std::to_string(entry[0]) + ":" + std::to_string(bits);
        images += info.biWidth == entry[0] && info.biBitCount == bits ? "" : "!";
    }
    return images + " ";
}

TEST_CASE("every icon group holds the images the wizard lists at their depths, and images of 40, 48 and 64 pixels")
{
    static const struct { LPCSTR group; const char *listed[4]; } cases[] = {
        { IDI_SETUP, { "32:4", "16:4" } }, { IDI_PRINTER, { "48:8", "32:8", "16:8" } },
        { IDI_PORT, { "32:1", "32:4" } }, { IDI_NETWORK, { "48:8", "32:8", "16:8" } },
        { IDI_DISK, { "16:4", "16:8", "32:4", "32:8" } },
    };
    for (const auto &c : cases) {
        std::string images = GroupImages(c.group);
        CAPTURE(std::string(c.group) + ":" + images);
        for (const char *image : c.listed)
            CHECK((!image || images.find(" " + std::string(image) + " ") != std::string::npos));
        for (const char *size : { " 40:", " 48:", " 64:" })
            CHECK(images.find(size) != std::string::npos);
        CHECK(images.find('!') == std::string::npos);
    }
}

/* A button id to click, or minus the virtual key to press. */
static int Press;
static std::string Buttons;
static RECT Frame;

static INT_PTR PressAndLook(const SeenMessage *message)
{
    static const struct { int id; const char *name; } all[] = {
        { IDOK, "Ok " }, { IDCANCEL, "Cancel " }, { IDRETRY, "Retry " }, { IDYES, "Yes " }, { IDNO, "No " },
    };
    Buttons.clear();
    for (const auto &button : all)
        if (GetDlgItem(message->window, button.id))
            Buttons += button.name;
    GetWindowRect(message->window, &Frame);
    if (Press < 0)
        PostKey(message->window, (UINT)-Press);
    else if (!ClickButton(message->window, Press))
        PostMessageA(message->window, WM_COMMAND, 99, 0);  /* no such button: a result no style gives */
    return WATCH_HANDLED;
}

TEST_CASE("by style: the buttons, the icon and the result of each way of answering, centred on the owner")
{
    static const struct { UINT style; int press; INT_PTR result; const char *buttons; LPCSTR icon; } cases[] = {
        { 0x00, IDOK, IDOK, "Ok ", IDI_APPLICATION },
        { 0x02, IDOK, IDOK, "Ok ", IDI_APPLICATION },
        { 0x10, -VK_RETURN, IDOK, "Ok ", IDI_HAND },
        { 0x50, -VK_ESCAPE, IDCANCEL, "Ok ", IDI_APPLICATION },
        { 0x11, IDCANCEL, IDCANCEL, "Ok Cancel ", IDI_HAND },
        { 0x01, -VK_RETURN, IDOK, "Ok Cancel ", IDI_APPLICATION },
        { 0x33, IDNO, IDNO, "Cancel Yes No ", IDI_EXCLAMATION },
        { 0x03, -VK_RETURN, IDYES, "Cancel Yes No ", IDI_APPLICATION },
        { 0x24, IDYES, IDYES, "Yes No ", IDI_QUESTION },
        { 0x24, -VK_ESCAPE, IDCANCEL, "Yes No ", IDI_QUESTION },
        { 0x45, IDRETRY, IDRETRY, "Cancel Retry ", IDI_ASTERISK },
        { 0x05, -VK_RETURN, IDRETRY, "Cancel Retry ", IDI_APPLICATION },
        { 0x05, -VK_ESCAPE, IDCANCEL, "Cancel Retry ", IDI_APPLICATION },
        { MB_SETFOREGROUND | 0xF4, IDNO, IDNO, "Yes No ", IDI_APPLICATION }, { 0x5F, IDOK, IDOK, "Ok ", IDI_APPLICATION },
    };
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 120, 90, 506, 327, NULL, NULL,
                                 NULL, NULL);
    REQUIRE(owner);
    for (const auto &c : cases) {
        CAPTURE(std::to_string(c.style) + ", press " + std::to_string(c.press));
        Press = c.press;
        StartWatch(PressAndLook, NULL);
        CHECK(ShowMessage(owner, "Some text", "Caption", c.style) == c.result);
        StopWatch();
        REQUIRE(SeenCount == 1);
        CHECK(std::string(Seen[0].caption) == "Caption");
        CHECK(std::string(Seen[0].text) == "Some text");
        CHECK(Seen[0].icon == LoadIconA(NULL, c.icon));
        CHECK(Buttons == std::string(c.buttons));
        CHECK(Frame.left == 120 + (506 - (Frame.right - Frame.left)) / 2);
        CHECK(Frame.top == 90 + (327 - (Frame.bottom - Frame.top)) / 2);
    }
    DestroyWindow(owner);
}

static std::string Selected;
static HGDIOBJ Background;  /* the bitmap the page's picture control showed */

/* Reads the open port page's selection and picture, then goes Back. */
static void ReadPortPage(void)
{
    HWND page = WaitForEnabledDialog(GetCurrentProcessId(), IDC_PORT_LIST, NULL, 0);
    if (!page)
        return;
    for (HWND child = GetWindow(page, GW_CHILD); child && !Background; child = GetWindow(child, GW_HWNDNEXT))
        Background = (HGDIOBJ)SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0);
    char text[64] = "(none)";
    int index = ListSelection(page, IDC_PORT_LIST);
    if (index >= 0)
        ListText(page, IDC_PORT_LIST, index, text, sizeof text);
    Selected = text;
    PostMessageA(page, WM_COMMAND, ID_BACK, 0);
}

TEST_CASE("the port page selects the first port beginning with IR, else with COM1:, in any letter case, "
          "and deletes its picture")
{
    static const struct { const char *ports[4]; const char *selected; } cases[] = {
        { { "COM1:", "IR:", "LPT1:", "FILE:" }, "IR:" },
        { { "LPT1:", "COM1:", "FILE:", "LPT2:" }, "COM1:" },
        { { "LPT1:", "FILE:", "LPT2:", "COM2:" }, "(none)" },
        { { "com1:", "lpt1:", "irda", "IR:" }, "irda" },
        { { "com10:", "com1:", "lpt1:", "FILE:" }, "com1:" },  /* "com10:" does not begin with "COM1:" */
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.ports[0]));
        UseFakePorts(c.ports, 4);
        Selected = "(page not seen)";
        Background = NULL;
        StartWatch(NULL, ReadPortPage);
        CHECK(ShowPortPage(NULL) == ID_BACK);
        StopWatch();
        ResetSpoolerApi();
        CHECK(Selected == std::string(c.selected));
        CHECK(Background != NULL);
        CHECK(GetObjectType(Background) == 0);  /* Wine's picture control would keep it */
    }
}

/* A check of the open welcome page, asked at every tick until it answers 1
   (done, with PageFault empty when it held) or 3 s have passed. */
static int (*PageCheck)(HWND page);
static std::string PageFault;
static DWORD PageSeen;

static void CheckWelcomePage(void)
{
    HWND page = WaitForEnabledDialog(GetCurrentProcessId(), IDC_WELCOME_TEXT, NULL, 0);
    if (!page)
        return;
    if (!PageSeen)
        PageSeen = GetTickCount();
    if (PageCheck(page) || GetTickCount() - PageSeen > 3000)
        PostMessageA(page, WM_COMMAND, ID_NEXT, 0);
}

static std::string RunOnWelcomePage(int (*check)(HWND page))
{
    PageCheck = check;
    PageFault = "(page not seen)";
    PageSeen = 0;
    StartWatch(NULL, CheckWelcomePage);
    CHECK(ShowWelcomePage(NULL) == ID_NEXT);
    StopWatch();
    return PageFault;
}

static BOOL WINAPI HighContrast(UINT action, UINT param, PVOID value, UINT update)
{
    if (action != SPI_GETHIGHCONTRAST)
        return SystemParametersInfoA(action, param, value, update);
    ((HIGHCONTRASTA *)value)->dwFlags = HCF_HIGHCONTRASTON;
    return TRUE;
}

/* 1 when each channel of the pixel lies between those of a and b, as on
   the smoothed edges of a text in colour b on a background of colour a. */
static int Between(DWORD pixel, DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int p = pixel >> shift & 255, from = a >> shift & 255, to = b >> shift & 255;
        if (p < (from < to ? from : to) - 2 || p > (from < to ? to : from) + 2)
            return 0;
    }
    return 1;
}

/* No picture: every pixel of the page outside its other visible controls
   has the face colour, and its texts are in the window text colour on it. */
static int ShowsSystemColours(HWND page)
{
    RECT client, frames[16];
    int texts[16], count = 0;
    for (HWND child = GetWindow(page, GW_CHILD); child && count < 16; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && !IsPagePicture(child)) {
            GetWindowRect(child, &frames[count]);
            texts[count++] = DrawnOverPicture(child) && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
        }
    GetClientRect(page, &client);
    MapWindowPoints(page, NULL, (POINT *)&client, 2);
    Pixels pixels;
    if (!GrabPixels(&pixels, &client, NULL, 0))
        return 0;
    DWORD face = SystemColour(COLOR_BTNFACE), text = SystemColour(COLOR_WINDOWTEXT);
    PageFault.clear();
    for (int y = 0; y < pixels.Height && PageFault.empty(); y++)
        for (int x = 0; x < pixels.Width && PageFault.empty(); x++) {
            POINT at = { client.left + x, client.top + y };
            int in = 0;
            while (in < count && !PtInRect(&frames[in], at))
                in++;
            DWORD colour = PixelAt(&pixels, x, y);
            if ((in == count && colour != face) || (in < count && texts[in] && !Between(colour, face, text)))
                PageFault = "colour " + std::to_string(colour) + " at " + std::to_string(x) + ","
                            + std::to_string(y) + (in < count ? " of a text" : "");
        }
    FreePixels(&pixels);
    return PageFault.empty();
}

TEST_CASE("under high contrast a page shows no picture: its texts in the system's text colour on the face colour")
{
    QuerySystemParameters = HighContrast;
    CHECK(RunOnWelcomePage(ShowsSystemColours) == "");
    QuerySystemParameters = SystemParametersInfoA;
}

/* The welcome text emptied while the page shows: once its letters are gone
   from the screen, the control must show what the page shows with the
   control hidden. */
static int Step;
static Pixels Emptied;

static int ClearedCleanly(HWND page)
{
    HWND text = GetDlgItem(page, IDC_WELCOME_TEXT);
    RECT frame;
    GetWindowRect(text, &frame);
    Pixels now;
    if (!GrabPixels(&now, &frame, NULL, 0))
        return 0;
    int dark = 0, differ = 0, done = 0;
    for (int y = 0; y < now.Height; y++)
        for (int x = 0; x < now.Width; x++) {
            dark += (PixelAt(&now, x, y) & 0x808080) == 0;
            differ += Step > 1 && PixelAt(&now, x, y) != PixelAt(&Emptied, x, y);
        }
    if (Step == 0 && dark) {
        PageFault = "the old letters stay";
        SetWindowTextA(text, "");
        Step = 1;
    } else if (Step == 1 && !dark) {
        Emptied = now;
        ShowWindow(text, SW_HIDE);
        Step = 2;
        return 0;
    } else if (Step > 1 && ++Step > 30) {
        PageFault = differ ? std::to_string(differ) + " pixels differ from the page's under the control" : "";
        FreePixels(&Emptied);
        done = 1;
    }
    FreePixels(&now);
    return done;
}

TEST_CASE("a text emptied while its page shows leaves the page's picture where its letters were")
{
    Step = 0;
    CHECK(RunOnWelcomePage(ClearedCleanly) == "");
}
