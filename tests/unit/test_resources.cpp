/*
 * The resource catalogue, read back the way the program and the platform
 * read it, from the test program's own module (it links the same resource
 * object as setup.exe); setup.exe, loaded as a data file, must hold the
 * same resources byte for byte. Templates are parsed from their binary form
 * and compared with the tables below; strings, icon images, bitmaps, the
 * manifest and the language of every resource are checked. The last group
 * opens the templates in the real dialog manager and saves a screenshot of
 * each (build/tests/screenshots/resources_<template>.bmp) for a person to look at.
 */
#include <doctest/doctest.h>
#include <ctype.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <windows.h>
#include "ui/resources/resource.h"
#include "test_support.h"
#include "window_driver.h"

static const WORD KOREAN = MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT);
static const WORD US_ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
static const HMODULE Self = GetModuleHandleA(NULL);

/* A resource's bytes and size in this program, or NULL. */
static const BYTE *ResourceBytes(LPCSTR type, LPCSTR name, DWORD *size)
{
    HRSRC found = FindResourceA(Self, name, type);
    *size = found ? SizeofResource(Self, found) : 0;
    HGLOBAL loaded = found ? LoadResource(Self, found) : NULL;
    return loaded ? (const BYTE *)LockResource(loaded) : NULL;
}

/* ------------------------------------------------------------ templates */

/* Reads a template without passing its end: a read beyond it yields 0 and
   sets `broken`. */
struct Reader {
    const BYTE *base;
    DWORD size, at;
    int broken;

    DWORD Take(DWORD bytes)
    {
        DWORD value = 0;
        if (at + bytes > size) {
            broken = 1;
            return 0;
        }
        memcpy(&value, base + at, bytes);
        at += bytes;
        return value;
    }
};

struct Parsed {
    std::string frame;
    int count;
    std::string controls[16];
};

static const char *PredefinedClass(WORD ordinal)
{
    static const char *names[] = { "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" };
    return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : "?";
}

/* Class names compare without regard to case, as the system compares them. */
static std::string Upper(std::string text)
{
    for (char &c : text)
        c = (char)toupper((unsigned char)c);
    return text;
}

/* A name field as text: the string, or "#ordinal". */
static std::string NameField(Reader *r)
{
    WORD first = (WORD)r->Take(2);
    if (first == 0xFFFF) {
        char ordinal[16];
        snprintf(ordinal, sizeof ordinal, "#%u", (unsigned)(WORD)r->Take(2));
        return ordinal;
    }
    std::string text;
    for (WORD c = first; c && !r->broken; c = (WORD)r->Take(2))
        text += c < 128 ? (char)c : '?';
    return text;
}

/* Parses a classic or extended template into one line for the frame and
   one per control (control ids as the dialog manager uses them: 16 bits,
   signed). 0 when the template is cut short. */
static int ParseDialog(const BYTE *bytes, DWORD size, Parsed *out)
{
    Reader r = { bytes, size, 0, 0 };
    int extended = size >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    DWORD style, exStyle;
    if (extended) {
        r.Take(8);  /* version, signature, help id */
        exStyle = r.Take(4);
        style = r.Take(4);
    } else {
        style = r.Take(4);
        exStyle = r.Take(4);
    }
    out->count = (WORD)r.Take(2);
    r.Take(4);  /* position: every dialog centres itself */
    int cx = (short)r.Take(2), cy = (short)r.Take(2);
    std::string menu = NameField(&r), windowClass = NameField(&r), caption = NameField(&r);
    unsigned point = 0, weight = 0, italicCharset = 0;
    std::string face;
    if (style & DS_SETFONT) {
        point = (WORD)r.Take(2);
        if (extended)
            weight = (WORD)r.Take(2), italicCharset = (WORD)r.Take(2);
        face = NameField(&r);
    }
    char line[256];
    snprintf(line, sizeof line, "ext %d style %08lX ex %lX %dx%d menu '%s' class '%s' '%s' font %u %u %u '%s'",
             extended, style, exStyle, cx, cy, menu.c_str(), windowClass.c_str(), caption.c_str(), point,
             weight, italicCharset, face.c_str());
    out->frame = line;
    if (out->count > 16)
        return 0;
    for (int i = 0; i < out->count; i++) {
        r.at = (r.at + 3) & ~3u;
        if (extended) {
            r.Take(4);  /* help id */
            exStyle = r.Take(4);
            style = r.Take(4);
        } else {
            style = r.Take(4);
            exStyle = r.Take(4);
        }
        int x = (short)r.Take(2), y = (short)r.Take(2), w = (short)r.Take(2), h = (short)r.Take(2);
        int id = (short)(extended ? r.Take(4) : r.Take(2));
        std::string className = NameField(&r);
        if (className[0] == '#')
            className = PredefinedClass((WORD)atoi(className.c_str() + 1));
        std::string text = NameField(&r);
        r.at += (WORD)r.Take(2);  /* creation data */
        snprintf(line, sizeof line, "%d %s %08lX ex %lX '%s' %d,%d,%d,%d", id, Upper(className).c_str(), style, exStyle,
                 text.c_str(), x, y, w, h);
        out->controls[i] = line;
    }
    return !r.broken;
}

static const DWORD CHILD = WS_CHILD | WS_VISIBLE;
static const DWORD TEXT = CHILD | SS_LEFT | WS_GROUP;
static const DWORD BAR = TEXT | WS_BORDER;
static const DWORD PUSH = CHILD | BS_PUSHBUTTON | WS_TABSTOP;
static const DWORD DEFAULT_PUSH = CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP;
static const DWORD PICTURE = CHILD | SS_BITMAP | SS_REALSIZEIMAGE | SS_SUNKEN;
static const DWORD SEPARATOR = CHILD | SS_GRAYRECT | SS_SUNKEN;
static const DWORD LOGO = WS_CHILD | BS_OWNERDRAW | WS_TABSTOP | WS_DISABLED; /* hidden */
static const DWORD ICON_CONTROL = CHILD | SS_ICON;
static const DWORD LIST = CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                          WS_BORDER | WS_VSCROLL | WS_TABSTOP;
static const DWORD CHECK_BOX = CHILD | BS_AUTOCHECKBOX | WS_TABSTOP;
static const DWORD PAGE_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
static const DWORD BOX_STYLE = PAGE_STYLE | DS_3DLOOK;
static const DWORD STATUS_STYLE = WS_POPUP | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;

/* One control; text "#n" names resource n. */
struct ControlRow {
    int id;
    const char *className;
    DWORD style;
    const char *text;
    short x, y, cx, cy;
};

#define BACKGROUND(h)   { -1, "Static", PICTURE, "#113", 0, 0, 333, h }
#define SEPARATOR_ROW   { -1, "Static", SEPARATOR, "", 124, 151, 202, 1 }
#define LOGO_ROW        { IDC_LOGO, "Button", LOGO, "", 6, 149, 19, 30 }
#define PAGE_ICON(x, y) { -1, "Static", ICON_CONTROL, "#32516", x, y, 21, 18 }
#define MESSAGE_TEXT(y, h) { IDC_MSG_TEXT, "Static", TEXT, "", 38, y, 167, h }
#define MESSAGE_ICON    { IDC_MSG_ICON, "Static", ICON_CONTROL, "", 10, 8, 20, 20 }

static const ControlRow WelcomeRows[] = {
    BACKGROUND(226),
    { ID_NEXT, "Button", DEFAULT_PUSH, "Next", 199, 154, 56, 15 },
    SEPARATOR_ROW,
    { IDCANCEL, "Button", PUSH, "&Cancel", 272, 154, 54, 15 },
    LOGO_ROW,
    { IDC_WELCOME_TEXT, "Static", TEXT, "Static", 163, 53, 154, 93 },
    PAGE_ICON(131, 14),
    { -1, "Static", TEXT, " Welcome to the Install Wizard for Kest Printer Driver. To continue, click Next.",
      163, 16, 154, 27 },
};
static const ControlRow GetModelRows[] = {
    BACKGROUND(179), SEPARATOR_ROW, LOGO_ROW,
    { IDC_MODEL_LIST, "ListBox", LIST, "", 129, 48, 189, 96 },
    { ID_NEXT, "Button", DEFAULT_PUSH, "Next", 191, 156, 65, 12 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 262, 156, 63, 12 },
    { IDC_PAGE_HINT, "Static", TEXT, " Select printer model to install. To continue, click Next.", 159, 12, 157, 23 },
    { IDC_MODEL_LABEL, "Static", TEXT, "Printer &Models:", 129, 39, 188, 8 },
    PAGE_ICON(129, 12),
    { ID_BACK, "Button", PUSH, "&Back", 128, 156, 63, 12 },
};
static const ControlRow GetPortRows[] = {
    BACKGROUND(179), SEPARATOR_ROW, LOGO_ROW,
    { IDC_PORT_LABEL, "Static", TEXT, "Printer &Ports:", 131, 42, 186, 8 },
    { IDC_PAGE_HINT, "Static", TEXT, " Select the port connected to printer. To continue, click Next.",
      162, 14, 153, 22 },
    { IDC_PORT_LIST, "ListBox", LIST, "", 130, 50, 189, 96 },
    { ID_NEXT, "Button", DEFAULT_PUSH, "Next", 191, 156, 65, 12 },
    { ID_BACK, "Button", PUSH, "&Back", 128, 156, 63, 12 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 262, 156, 63, 12 },
    PAGE_ICON(130, 14),
};
static const ControlRow ExitRows[] = {
    BACKGROUND(179), SEPARATOR_ROW, LOGO_ROW,
    { IDOK, "Button", PUSH, "&Ok", 272, 154, 54, 15 },
    { IDC_MSG_ICON, "Static", ICON_CONTROL, "", 129, 13, 21, 18 },
    { IDC_EXIT_TEXT, "Static", TEXT, "", 155, 19, 162, 18 },
    { IDC_EXIT_NOTICE, "Static", TEXT, "", 161, 127, 156, 10 },
    { IDC_SET_DEFAULT, "Button", CHECK_BOX, "Set as &default printer", 166, 90, 151, 10 },
};
static const ControlRow CopyRows[] = {
    { IDC_COPY_SOURCE, "Static", TEXT, "", 9, 9, 211, 10 },
    { IDC_COPY_DEST, "Static", TEXT, "", 9, 22, 211, 11 },
    { IDCANCEL, "Button", DEFAULT_PUSH, "&Cancel", 86, 55, 54, 15 },
    { IDC_COPY_BAR, "Static", BAR, "", 6, 36, 215, 13 },
};
static const ControlRow StatusRows[] = {
    { IDC_STATUS_TEXT, "Static", TEXT, "", 44, 15, 126, 10 },
    { -1, "Static", ICON_CONTROL, IDI_DISK, 13, 9, 20, 20 },
};
static const ControlRow MsgOkRows[] = {
    MESSAGE_TEXT(15, 30), MESSAGE_ICON, { IDOK, "Button", DEFAULT_PUSH, "&Ok", 79, 52, 56, 15 },
};
static const ControlRow MsgOkCancelRows[] = {
    MESSAGE_TEXT(15, 30), MESSAGE_ICON,
    { IDOK, "Button", DEFAULT_PUSH, "&Ok", 45, 52, 59, 15 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 111, 52, 59, 15 },
};
static const ControlRow MsgYesNoRows[] = {
    MESSAGE_TEXT(13, 32), MESSAGE_ICON,
    { IDYES, "Button", DEFAULT_PUSH, "&Yes", 45, 52, 58, 15 },
    { IDNO, "Button", PUSH, "&No", 111, 52, 59, 15 },
};
static const ControlRow MsgYesNoCancelRows[] = {
    MESSAGE_TEXT(13, 32), MESSAGE_ICON,
    { IDYES, "Button", DEFAULT_PUSH, "&Yes", 16, 52, 57, 15 },
    { IDNO, "Button", PUSH, "&No", 77, 52, 58, 15 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 139, 52, 58, 15 },
};
static const ControlRow MsgRetryCancelRows[] = {
    MESSAGE_TEXT(13, 32), MESSAGE_ICON,
    { IDRETRY, "Button", DEFAULT_PUSH, "&Retry", 45, 52, 59, 15 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 111, 52, 59, 15 },
};

struct DialogRow {
    const char *name;
    int extended;
    DWORD style;
    short cx, cy;
    const char *caption;
    WORD pointSize, weight;
    const char *face;
    const ControlRow *controls;
    int count;
};

#define ROWS(table) table, (int)(sizeof table / sizeof table[0])
#define PAGE(rows) 1, PAGE_STYLE, 333, 179, "Kest Printer Driver Install Wizard", 8, 400, "Arial", ROWS(rows)
#define BOX(rows) 0, BOX_STYLE, 214, 74, "", 8, 0, "MS Sans Serif", ROWS(rows)

static const DialogRow Dialogs[] = {
    { IDD_WELCOME, PAGE(WelcomeRows) },
    { IDD_GETMODEL, PAGE(GetModelRows) },
    { IDD_GETPORT, PAGE(GetPortRows) },
    { IDD_EXIT, PAGE(ExitRows) },
    { IDD_COPY, 0, BOX_STYLE, 227, 79, "Copying Files...", 8, 0, "MS Sans Serif", ROWS(CopyRows) },
    { IDD_STATUS, 1, STATUS_STYLE, 179, 36, "", 8, 0, "MS Sans Serif", ROWS(StatusRows) },
    { IDD_MSG_OK, BOX(MsgOkRows) },
    { IDD_MSG_OKCANCEL, BOX(MsgOkCancelRows) },
    { IDD_MSG_YESNO, BOX(MsgYesNoRows) },
    { IDD_MSG_YESNOCANCEL, BOX(MsgYesNoCancelRows) },
    { IDD_MSG_RETRYCANCEL, BOX(MsgRetryCancelRows) },
};

TEST_CASE("every dialog template holds exactly the listed frame and controls")
{
    for (const DialogRow &want : Dialogs) {
        INFO("template: ", doctest::String(want.name));
        DWORD size;
        const BYTE *bytes = ResourceBytes(RT_DIALOG, want.name, &size);
        REQUIRE(bytes != NULL);
        Parsed got;
        REQUIRE(ParseDialog(bytes, size, &got));
        char line[256];
        snprintf(line, sizeof line, "ext %d style %08lX ex 0 %dx%d menu '' class '' '%s' font %u %u 0 '%s'",
                 want.extended, want.style, want.cx, want.cy, want.caption, want.pointSize,
                 want.extended ? want.weight : 0, want.face);
        CHECK(got.frame == line);
        REQUIRE(got.count == want.count);
        for (int i = 0; i < want.count; i++) {
            const ControlRow &c = want.controls[i];
            snprintf(line, sizeof line, "%d %s %08lX ex 0 '%s' %d,%d,%d,%d", c.id, Upper(c.className).c_str(), c.style, c.text,
                     c.x, c.y, c.cx, c.cy);
            CHECK(got.controls[i] == line);
        }
    }
}

/* ------------------------------------------------------------ strings */

static const struct { UINT id; const char *text; } Strings[] = {
    { IDS_INSTALL_DONE, "The Installation has done successfully." },
    { IDS_INSTALL_FAILED, "The Installation has failed." },
    { IDS_CANNOT_READ, "Cannot read the source file" },
    { IDS_CANNOT_CREATE, "Cannot create the destination file." },
    { IDS_UNKNOWN_ERROR, "Unknown error accured." },
    { IDS_DECOMPRESS_ERROR, "Decompression error." },
    { IDS_NO_MEMORY, "Memory exhausted." },
    { IDS_FILE_DAMAGED, "File has damaged." },
    { IDS_DISK_FULL, "Insufficient disk space." },
    { IDS_FILE_OPEN_ERROR, "File open error." },
    { IDS_READING_INFO, "Reading setup information..." },
    { IDS_WRITING_INFO, "Writing system information..." },
    { IDS_CAPTION_ERROR, "Error" },
    { IDS_CAPTION_QUESTION, "Question" },
    { IDS_CAPTION_WARNING, "Warinig" },
    { IDS_CONFIRM_CANCEL, "Are you sure you want to cancel Kest Printer driver installation?" },
    { IDS_SELECT_MODEL, "Select printer model to install." },
    { IDS_SELECT_PORT, "Select printer port to connect." },
};

static BOOL CALLBACK CountStrings(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    UINT block = (UINT)(ULONG_PTR)name;
    for (UINT id = (block - 1) * 16; id < block * 16; id++) {
        char text[1024];
        if (LoadStringA(module, id, text, sizeof text) > 0)
            ++*(int *)param;
    }
    return TRUE;
}

TEST_CASE("every string is stored exactly, and no other")
{
    for (const auto &s : Strings) {
        CAPTURE(s.id);
        char text[1024];
        CHECK(LoadStringA(Self, s.id, text, sizeof text) == (int)strlen(s.text));
        CHECK(strcmp(text, s.text) == 0);
    }
    int stored = 0;
    EnumResourceNamesA(Self, RT_STRING, CountStrings, (LONG_PTR)&stored);
    CHECK(stored == (int)(sizeof Strings / sizeof Strings[0]));
}

/* ------------------------------------------------------------ icons and bitmaps */

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

static const struct { const char *name; int count; int size[4]; int bpp[4]; } IconGroups[] = {
    { IDI_SETUP, 2, { 32, 16 }, { 4, 4 } },
    { IDI_PRINTER, 3, { 48, 32, 16 }, { 8, 8, 8 } },
    { IDI_PORT, 2, { 32, 32 }, { 1, 4 } },
    { IDI_NETWORK, 3, { 48, 32, 16 }, { 8, 8, 8 } },
    { IDI_DISK, 4, { 16, 16, 32, 32 }, { 4, 8, 4, 8 } },
};

/* Bit, nibble or byte (x, y) of a bottom-up row set. */
static int PixelIndex(const BYTE *bits, int stride, int side, int bpp, int x, int y)
{
    const BYTE *row = bits + (side - 1 - y) * stride;
    return bpp == 8 ? row[x] : bpp == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15 : (row[x / 8] >> (7 - x % 8)) & 1;
}

TEST_CASE("icon groups hold the listed images, each with a working transparency mask")
{
    for (const auto &group : IconGroups) {
        INFO("icon: ", doctest::String(group.name));
        DWORD size;
        const BYTE *bytes = ResourceBytes(RT_GROUP_ICON, group.name, &size);
        REQUIRE(bytes != NULL);
        WORD header[3];
        REQUIRE(size >= sizeof header + group.count * sizeof(GroupIconEntry));
        memcpy(header, bytes, sizeof header);
        CHECK(header[1] == 1);
        REQUIRE(header[2] == group.count);
        for (int i = 0; i < group.count; i++) {
            CAPTURE(i);
            GroupIconEntry entry;
            memcpy(&entry, bytes + sizeof header + i * sizeof entry, sizeof entry);
            int side = group.size[i], bpp = group.bpp[i];
            CHECK(entry.width == side);
            CHECK(entry.height == side);
            CHECK(entry.bitCount == bpp);
            CHECK(entry.planes == 1);
            CHECK(entry.colours == (bpp < 8 ? 1 << bpp : 0));

            /* The image itself: header, palette, colour bits, AND mask. */
            DWORD imageSize;
            const BYTE *image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(entry.id), &imageSize);
            REQUIRE(image != NULL);
            BITMAPINFOHEADER info;
            REQUIRE(imageSize >= sizeof info);
            memcpy(&info, image, sizeof info);
            CHECK(info.biWidth == side);
            CHECK(info.biHeight == 2 * side);
            CHECK(info.biBitCount == bpp);
            CHECK(info.biCompression == (DWORD)BI_RGB);
            int paletteCount = info.biClrUsed ? (int)info.biClrUsed : 1 << bpp;
            int colourStride = ((side * bpp + 31) / 32) * 4, maskStride = ((side + 31) / 32) * 4;
            REQUIRE(imageSize >= sizeof info + paletteCount * 4 + (colourStride + maskStride) * side);
            const RGBQUAD *palette = (const RGBQUAD *)(image + sizeof info);
            const BYTE *colourBits = image + sizeof info + paletteCount * 4;
            const BYTE *mask = colourBits + colourStride * side;
            /* Some pixels clear, many opaque; clear ones black in the colour
               bits, or the screen under them would change. */
            int clear = 0, showing = 0;
            for (int y = 0; y < side; y++)
                for (int x = 0; x < side; x++) {
                    if (!PixelIndex(mask, maskStride, side, 1, x, y))
                        continue;
                    clear++;
                    const RGBQUAD &p = palette[PixelIndex(colourBits, colourStride, side, bpp, x, y)];
                    showing += p.rgbRed || p.rgbGreen || p.rgbBlue;
                }
            CHECK(clear > side * side / 20);
            CHECK(clear < side * side * 3 / 4);
            CHECK(showing == 0);
        }
    }
    /* The page icon, 32516, is the system's. */
    CHECK(FindResourceA(Self, MAKEINTRESOURCEA(IDI_PAGE_ICON), RT_GROUP_ICON) == NULL);
}

TEST_CASE("both bitmaps have their listed size and colour depth, uncompressed")
{
    static const struct { int number, width, height, bpp; } bitmaps[] = {
        { IDB_BACKGROUND, 500, 310, 24 },
        { IDB_LOGO, 154, 248, 4 },
    };
    for (const auto &b : bitmaps) {
        CAPTURE(b.number);
        DWORD size;
        const BYTE *bytes = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEA(b.number), &size);
        BITMAPINFOHEADER info;
        REQUIRE(bytes != NULL);
        REQUIRE(size >= sizeof info);
        memcpy(&info, bytes, sizeof info);
        CHECK(info.biSize == sizeof info);
        CHECK(info.biWidth == b.width);
        CHECK(info.biHeight == b.height);
        CHECK(info.biBitCount == b.bpp);
        CHECK(info.biCompression == (DWORD)BI_RGB);
        DWORD paletteCount = b.bpp <= 8 ? (info.biClrUsed ? info.biClrUsed : 1u << b.bpp) : 0;
        CHECK(size >= sizeof info + paletteCount * 4 + ((b.width * b.bpp + 31) / 32) * 4 * b.height);
    }
}

/* ------------------------------------------------------------ manifest, languages, setup.exe */

TEST_CASE("the manifest is number 1 in US English with an empty assembly element")
{
    HRSRC found = FindResourceExA(Self, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), US_ENGLISH);
    REQUIRE(found != NULL);
    std::string text((const char *)LockResource(LoadResource(Self, found)), SizeofResource(Self, found));
    CHECK(text.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"/>") !=
          std::string::npos);
    /* No dependency (the classic controls) and no execution level. */
    CHECK(text.find("<dependency") == std::string::npos);
    CHECK(text.find("<trustInfo") == std::string::npos);
}

struct Inventory {
    HMODULE setup;
    int count[25];  /* by type number; [0] named types */
    int wrongLanguage, differing;
};

static BOOL CALLBACK CheckOne(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param)
{
    Inventory *inventory = (Inventory *)param;
    ULONG_PTR number = IS_INTRESOURCE(type) && (ULONG_PTR)type < 25 ? (ULONG_PTR)type : 0;
    inventory->count[number]++;
    if (language != (number == 24 ? US_ENGLISH : KOREAN))
        inventory->wrongLanguage++;
    /* The same bytes in setup.exe under the same type, name and language. */
    HRSRC mine = FindResourceExA(module, type, name, language);
    HRSRC theirs = FindResourceExA(inventory->setup, type, name, language);
    DWORD size = SizeofResource(module, mine);
    if (!theirs || SizeofResource(inventory->setup, theirs) != size ||
        memcmp(LockResource(LoadResource(module, mine)), LockResource(LoadResource(inventory->setup, theirs)),
               size) != 0)
        inventory->differing++;
    return TRUE;
}

static BOOL CALLBACK EachName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    return EnumResourceLanguagesA(module, type, name, CheckOne, param);
}

static BOOL CALLBACK EachType(HMODULE module, LPSTR type, LONG_PTR param)
{
    return EnumResourceNamesA(module, type, EachName, param);
}

static BOOL CALLBACK CountSetupResources(HMODULE, LPSTR, LONG_PTR param)
{
    return ++*(int *)param > 0;
}

TEST_CASE("every resource is Korean but the manifest; nothing else is stored; setup.exe holds the same")
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s..\\setup.exe", TestProgramDirectory());
    Inventory inventory = {};
    inventory.setup = LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE_MESSAGE(inventory.setup != NULL, "setup.exe not found beside the tests directory");
    EnumResourceTypesA(Self, EachType, (LONG_PTR)&inventory);
    CHECK(inventory.wrongLanguage == 0);
    CHECK(inventory.differing == 0);
    static const struct { ULONG_PTR type; int count; } expected[] = {
        { 0, 0 }, { (ULONG_PTR)RT_DIALOG, 11 }, { (ULONG_PTR)RT_GROUP_ICON, 5 }, { (ULONG_PTR)RT_ICON, 14 },
        { (ULONG_PTR)RT_BITMAP, 2 }, { (ULONG_PTR)RT_STRING, 4 }, { 24, 1 },
    };
    int total = 0, listed = 0;
    for (int count : inventory.count)
        total += count;
    for (const auto &e : expected) {
        CAPTURE(e.type);
        CHECK(inventory.count[e.type] == e.count);
        listed += e.count;
    }
    CHECK(total == listed);
    /* setup.exe has no resource type this program lacks. */
    int setupTypes = 0, ownTypes = 0;
    EnumResourceTypesA(inventory.setup, CountSetupResources, (LONG_PTR)&setupTypes);
    EnumResourceTypesA(Self, CountSetupResources, (LONG_PTR)&ownTypes);
    CHECK(setupTypes == ownTypes);
    FreeLibrary(inventory.setup);
}

/* ------------------------------------------------------------ in the dialog manager */

static INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

/* The first icon control with id -1. */
static HWND UnnamedIcon(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((short)GetDlgCtrlID(child) == -1 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    return NULL;
}

static void SaveShot(HWND window, const char *name)
{
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    PumpFor(300);
    char shot[64];
    snprintf(shot, sizeof shot, "resources_%s", name);
    SaveTestScreenshot(shot);
}

TEST_CASE("pages show the background at its own size, the system information icon, no logo")
{
    static const char *pages[] = { IDD_WELCOME, IDD_GETMODEL, IDD_GETPORT, IDD_EXIT };
    HICON information = LoadIconA(NULL, IDI_ASTERISK);
    for (const char *name : pages) {
        INFO("template: ", doctest::String(name));
        HWND page = CreateDialogParamA(Self, name, NULL, QuietDialog, 0);
        REQUIRE(page != NULL);
        /* The picture, first in template order, realised at 500 x 310
           whatever its declared height (226 units on the welcome page). */
        HWND picture = GetWindow(page, GW_CHILD);
        BITMAP bitmap;
        REQUIRE(GetObjectA((HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), sizeof bitmap, &bitmap));
        CHECK(bitmap.bmWidth == 500);
        CHECK(bitmap.bmHeight == 310);
        RECT box;
        GetWindowRect(picture, &box);
        CHECK(box.right - box.left == 500);
        CHECK(box.bottom - box.top == 310);
        if (strcmp(name, IDD_EXIT) != 0)
            CHECK((HICON)SendMessageA(UnnamedIcon(page), STM_GETICON, 0, 0) == information);
        else
            CHECK(SendDlgItemMessageA(page, IDC_MSG_ICON, STM_GETICON, 0, 0) == 0);
        HWND logo = GetDlgItem(page, IDC_LOGO);
        CHECK_FALSE(IsWindowVisible(logo));
        CHECK_FALSE(IsWindowEnabled(logo));
        SaveShot(page, name);
        DestroyWindow(page);
    }
}

TEST_CASE("the status window shows the disk icon and opens hidden")
{
    HWND status = CreateDialogParamA(Self, IDD_STATUS, NULL, QuietDialog, 0);
    REQUIRE(status != NULL);
    CHECK_FALSE(IsWindowVisible(status));
    CHECK((HICON)SendMessageA(UnnamedIcon(status), STM_GETICON, 0, 0) == LoadIconA(Self, IDI_DISK));
    SetDlgItemTextA(status, IDC_STATUS_TEXT, "Reading setup information...");
    SaveShot(status, IDD_STATUS);
    DestroyWindow(status);
}
