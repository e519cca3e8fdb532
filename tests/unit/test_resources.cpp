/*
 * The resource catalogue, read back the way the program and the platform
 * read it: from the test program's own module (it links the same resource
 * object as setup.exe) and from setup.exe itself, loaded as a data file.
 * Templates are parsed from their binary form and compared row by row with
 * the tables below; strings, icon images, bitmaps, the manifest and the
 * language of every resource are checked exactly. The last group opens the
 * page templates and the status window in the real dialog manager and
 * saves a screenshot of each (build/tests/resources_<template>.bmp) for a
 * person to look at.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include "ui/resources/resource.h"
#include "test_support.h"
#include "ui_driver.h"

static const WORD KOREAN = MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT);         /* 1042 */
static const WORD US_ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); /* 1033 */

/* ------------------------------------------------------------ modules */

struct Module {
    const char *label;
    HMODULE handle;
};

/* The two modules every check runs on: this program and ../setup.exe. */
static const Module *Modules(int *count)
{
    static Module modules[2];
    if (!modules[0].handle) {
        modules[0].label = "test program";
        modules[0].handle = GetModuleHandleA(NULL);
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s..\\setup.exe", TestProgramDirectory());
        modules[1].label = "setup.exe";
        modules[1].handle = LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    REQUIRE_MESSAGE(modules[1].handle != NULL, "setup.exe not found beside the tests directory");
    *count = 2;
    return modules;
}

/* A resource's bytes and size, or NULL. `language` 0 takes whichever one is
   present, as the program does. */
static const BYTE *ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name, WORD language, DWORD *size)
{
    HRSRC found = language ? FindResourceExA(module, type, name, language)
                           : FindResourceA(module, name, type);
    *size = 0;
    if (!found)
        return NULL;
    HGLOBAL loaded = LoadResource(module, found);
    *size = SizeofResource(module, found);
    return loaded ? (const BYTE *)LockResource(loaded) : NULL;
}

/* ------------------------------------------------------------ template reader */

/* Reads a dialog template without ever stepping past its end: a read
   beyond it sets `broken` and yields zeros. */
struct Reader {
    const BYTE *base;
    DWORD size, at;
    int broken;

    DWORD Take(DWORD bytes)
    {
        DWORD value = 0;
        if (at + bytes > size) {
            broken = 1;
            at = size;
            return 0;
        }
        memcpy(&value, base + at, bytes);
        at += bytes;
        return value;
    }
    WORD Word() { return (WORD)Take(2); }
    DWORD Dword() { return Take(4); }
    short Short() { return (short)Take(2); }
    BYTE Byte() { return (BYTE)Take(1); }
    void AlignDword() { at = (at + 3) & ~3u; if (at > size) { broken = 1; at = size; } }

    /* A NUL-terminated UTF-16 string narrowed to ASCII ('?' otherwise). */
    void String(char *out, int capacity)
    {
        int length = 0;
        for (;;) {
            WORD c = Word();
            if (!c || broken)
                break;
            if (length + 1 < capacity)
                out[length++] = c < 128 ? (char)c : '?';
        }
        out[length] = '\0';
    }

    /* A name or ordinal field: 0 empty, 0xFFFF then an ordinal, else text.
       Returns the ordinal or 0 for text. */
    WORD NameOrOrdinal(char *out, int capacity)
    {
        out[0] = '\0';
        WORD first = Word();
        if (first == 0xFFFF)
            return Word();
        if (first == 0)
            return 0;
        at -= 2;
        String(out, capacity);
        return 0;
    }
};

struct ParsedControl {
    int id;
    DWORD style, exStyle;
    short x, y, cx, cy;
    char className[32];
    char text[128];
    WORD textOrdinal;
};

struct ParsedDialog {
    int extended;
    DWORD style, exStyle;
    short cx, cy;
    char caption[128];
    WORD pointSize, weight;
    BYTE italic, charset;
    char face[64];
    int menuAndClassEmpty;
    int count;
    ParsedControl controls[16];
};

static const char *PredefinedClass(WORD ordinal)
{
    static const char *names[] = { "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" };
    return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : "?";
}

/* Parses a classic (DLGTEMPLATE) or extended (DLGTEMPLATEEX) template.
   Control ids are kept as the dialog manager uses them: 16 bits, signed. */
static int ParseDialog(const BYTE *bytes, DWORD size, ParsedDialog *dialog)
{
    Reader r = { bytes, size, 0, 0 };
    memset(dialog, 0, sizeof *dialog);
    char scratch[128];
    dialog->extended = size >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    WORD count;
    if (dialog->extended) {
        r.Dword();            /* version 1, signature 0xFFFF */
        r.Dword();            /* help id */
        dialog->exStyle = r.Dword();
        dialog->style = r.Dword();
    } else {
        dialog->style = r.Dword();
        dialog->exStyle = r.Dword();
    }
    count = r.Word();
    r.Short(); r.Short();     /* position: every dialog centres itself */
    dialog->cx = r.Short();
    dialog->cy = r.Short();
    WORD menu = r.NameOrOrdinal(scratch, sizeof scratch);
    int menuEmpty = !menu && !scratch[0];
    WORD windowClass = r.NameOrOrdinal(scratch, sizeof scratch);
    dialog->menuAndClassEmpty = menuEmpty && !windowClass && !scratch[0];
    r.String(dialog->caption, sizeof dialog->caption);
    if (dialog->style & DS_SETFONT) {
        dialog->pointSize = r.Word();
        if (dialog->extended) {
            dialog->weight = r.Word();
            dialog->italic = r.Byte();
            dialog->charset = r.Byte();
        }
        r.String(dialog->face, sizeof dialog->face);
    }
    if (count > 16)
        return 0;
    for (int i = 0; i < count; i++) {
        ParsedControl *c = &dialog->controls[i];
        r.AlignDword();
        if (dialog->extended) {
            r.Dword();        /* help id */
            c->exStyle = r.Dword();
            c->style = r.Dword();
        } else {
            c->style = r.Dword();
            c->exStyle = r.Dword();
        }
        c->x = r.Short();
        c->y = r.Short();
        c->cx = r.Short();
        c->cy = r.Short();
        c->id = (short)(dialog->extended ? LOWORD(r.Dword()) : r.Word());
        WORD classOrdinal = r.NameOrOrdinal(c->className, sizeof c->className);
        if (classOrdinal)
            lstrcpynA(c->className, PredefinedClass(classOrdinal), sizeof c->className);
        c->textOrdinal = r.NameOrOrdinal(c->text, sizeof c->text);
        WORD extra = r.Word();
        r.at += extra;
    }
    dialog->count = count;
    return !r.broken;
}

/* ------------------------------------------------------------ expected templates */

static const DWORD CHILD = WS_CHILD | WS_VISIBLE;
static const DWORD TEXT = CHILD | SS_LEFT | WS_GROUP;
static const DWORD BAR = TEXT | WS_BORDER;
static const DWORD PUSH = CHILD | BS_PUSHBUTTON | WS_TABSTOP;
static const DWORD DEFAULT_PUSH = CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP;
static const DWORD PICTURE = CHILD | SS_BITMAP | SS_REALSIZEIMAGE | SS_SUNKEN;
static const DWORD SEPARATOR = CHILD | SS_GRAYRECT | SS_SUNKEN;
static const DWORD LOGO = WS_CHILD | BS_OWNERDRAW | WS_TABSTOP | WS_DISABLED; /* hidden */
static const DWORD ICON_CONTROL = CHILD | SS_ICON;
static const DWORD LIST = CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                          LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
static const DWORD CHECK = CHILD | BS_AUTOCHECKBOX | WS_TABSTOP;

static const DWORD PAGE_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
static const DWORD BOX_STYLE = PAGE_STYLE | DS_3DLOOK;
static const DWORD STATUS_STYLE = WS_POPUP | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;

/* One control: text is NULL when the control names a resource number. */
struct ControlRow {
    int id;
    const char *className;
    DWORD style;
    const char *text;
    WORD textOrdinal;
    short x, y, cx, cy;
};

#define BACKGROUND(h) { -1, "Static", PICTURE, NULL, IDB_BACKGROUND, 0, 0, 333, h }
#define SEPARATOR_ROW { -1, "Static", SEPARATOR, "", 0, 124, 151, 202, 1 }
#define LOGO_ROW      { IDC_LOGO, "Button", LOGO, "", 0, 6, 149, 19, 30 }
#define PAGE_ICON(x, y) { -1, "Static", ICON_CONTROL, NULL, IDI_PAGE_ICON, x, y, 21, 18 }

static const ControlRow WelcomeRows[] = {
    BACKGROUND(226),
    { ID_NEXT, "Button", DEFAULT_PUSH, "Next", 0, 199, 154, 56, 15 },
    SEPARATOR_ROW,
    { IDCANCEL, "Button", PUSH, "&Cancel", 0, 272, 154, 54, 15 },
    LOGO_ROW,
    { IDC_WELCOME_TEXT, "Static", TEXT, "Static", 0, 163, 53, 154, 93 },
    PAGE_ICON(131, 14),
    { -1, "Static", TEXT, " Welcome to the Install Wizard for Kest Printer Driver. To continue, click Next.", 0,
      163, 16, 154, 27 },
};

static const ControlRow GetModelRows[] = {
    BACKGROUND(179),
    SEPARATOR_ROW,
    LOGO_ROW,
    { IDC_MODEL_LIST, "ListBox", LIST, "", 0, 129, 48, 189, 96 },
    { ID_NEXT, "Button", DEFAULT_PUSH, "Next", 0, 191, 156, 65, 12 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 0, 262, 156, 63, 12 },
    { IDC_PAGE_HINT, "Static", TEXT, " Select printer model to install. To continue, click Next.", 0, 159, 12, 157, 23 },
    { IDC_MODEL_LABEL, "Static", TEXT, "Printer &Models:", 0, 129, 39, 188, 8 },
    PAGE_ICON(129, 12),
    { ID_BACK, "Button", PUSH, "&Back", 0, 128, 156, 63, 12 },
};

static const ControlRow GetPortRows[] = {
    BACKGROUND(179),
    SEPARATOR_ROW,
    LOGO_ROW,
    { IDC_PORT_LABEL, "Static", TEXT, "Printer &Ports:", 0, 131, 42, 186, 8 },
    { IDC_PAGE_HINT, "Static", TEXT, " Select the port connected to printer. To continue, click Next.", 0,
      162, 14, 153, 22 },
    { IDC_PORT_LIST, "ListBox", LIST, "", 0, 130, 50, 189, 96 },
    { ID_NEXT, "Button", DEFAULT_PUSH, "Next", 0, 191, 156, 65, 12 },
    { ID_BACK, "Button", PUSH, "&Back", 0, 128, 156, 63, 12 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 0, 262, 156, 63, 12 },
    PAGE_ICON(130, 14),
};

static const ControlRow ExitRows[] = {
    BACKGROUND(179),
    SEPARATOR_ROW,
    LOGO_ROW,
    { IDOK, "Button", PUSH, "&Ok", 0, 272, 154, 54, 15 },
    { IDC_MSG_ICON, "Static", ICON_CONTROL, "", 0, 129, 13, 21, 18 },
    { IDC_EXIT_TEXT, "Static", TEXT, "", 0, 155, 19, 162, 18 },
    { IDC_EXIT_NOTICE, "Static", TEXT, "", 0, 161, 127, 156, 10 },
    { IDC_SET_DEFAULT, "Button", CHECK, "Set as &default printer", 0, 166, 90, 151, 10 },
};

static const ControlRow CopyRows[] = {
    { IDC_COPY_SOURCE, "Static", TEXT, "", 0, 9, 9, 211, 10 },
    { IDC_COPY_DEST, "Static", TEXT, "", 0, 9, 22, 211, 11 },
    { IDCANCEL, "Button", DEFAULT_PUSH, "&Cancel", 0, 86, 55, 54, 15 },
    { IDC_COPY_BAR, "Static", BAR, "", 0, 6, 36, 215, 13 },
};

static const ControlRow StatusRows[] = {
    { IDC_STATUS_TEXT, "Static", TEXT, "", 0, 44, 15, 126, 10 },
    { -1, "Static", ICON_CONTROL, IDI_DISK, 0, 13, 9, 20, 20 },
};

#define MESSAGE_TEXT(y, h) { IDC_MSG_TEXT, "Static", TEXT, "", 0, 38, y, 167, h }
#define MESSAGE_ICON       { IDC_MSG_ICON, "Static", ICON_CONTROL, "", 0, 10, 8, 20, 20 }

static const ControlRow MsgOkRows[] = {
    MESSAGE_TEXT(15, 30), MESSAGE_ICON,
    { IDOK, "Button", DEFAULT_PUSH, "&Ok", 0, 79, 52, 56, 15 },
};
static const ControlRow MsgOkCancelRows[] = {
    MESSAGE_TEXT(15, 30), MESSAGE_ICON,
    { IDOK, "Button", DEFAULT_PUSH, "&Ok", 0, 45, 52, 59, 15 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 0, 111, 52, 59, 15 },
};
static const ControlRow MsgYesNoRows[] = {
    MESSAGE_TEXT(13, 32), MESSAGE_ICON,
    { IDYES, "Button", DEFAULT_PUSH, "&Yes", 0, 45, 52, 58, 15 },
    { IDNO, "Button", PUSH, "&No", 0, 111, 52, 59, 15 },
};
static const ControlRow MsgYesNoCancelRows[] = {
    MESSAGE_TEXT(13, 32), MESSAGE_ICON,
    { IDYES, "Button", DEFAULT_PUSH, "&Yes", 0, 16, 52, 57, 15 },
    { IDNO, "Button", PUSH, "&No", 0, 77, 52, 58, 15 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 0, 139, 52, 58, 15 },
};
static const ControlRow MsgRetryCancelRows[] = {
    MESSAGE_TEXT(13, 32), MESSAGE_ICON,
    { IDRETRY, "Button", DEFAULT_PUSH, "&Retry", 0, 45, 52, 59, 15 },
    { IDCANCEL, "Button", PUSH, "&Cancel", 0, 111, 52, 59, 15 },
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
static const char PAGE_CAPTION[] = "Kest Printer Driver Install Wizard";

static const DialogRow Dialogs[] = {
    { IDD_WELCOME, 1, PAGE_STYLE, 333, 179, PAGE_CAPTION, 8, 400, "Arial", ROWS(WelcomeRows) },
    { IDD_GETMODEL, 1, PAGE_STYLE, 333, 179, PAGE_CAPTION, 8, 400, "Arial", ROWS(GetModelRows) },
    { IDD_GETPORT, 1, PAGE_STYLE, 333, 179, PAGE_CAPTION, 8, 400, "Arial", ROWS(GetPortRows) },
    { IDD_EXIT, 1, PAGE_STYLE, 333, 179, PAGE_CAPTION, 8, 400, "Arial", ROWS(ExitRows) },
    { IDD_COPY, 0, BOX_STYLE, 227, 79, "Copying Files...", 8, 0, "MS Sans Serif", ROWS(CopyRows) },
    { IDD_STATUS, 1, STATUS_STYLE, 179, 36, "", 8, 0, "MS Sans Serif", ROWS(StatusRows) },
    { IDD_MSG_OK, 0, BOX_STYLE, 214, 74, "", 8, 0, "MS Sans Serif", ROWS(MsgOkRows) },
    { IDD_MSG_OKCANCEL, 0, BOX_STYLE, 214, 74, "", 8, 0, "MS Sans Serif", ROWS(MsgOkCancelRows) },
    { IDD_MSG_YESNO, 0, BOX_STYLE, 214, 74, "", 8, 0, "MS Sans Serif", ROWS(MsgYesNoRows) },
    { IDD_MSG_YESNOCANCEL, 0, BOX_STYLE, 214, 74, "", 8, 0, "MS Sans Serif", ROWS(MsgYesNoCancelRows) },
    { IDD_MSG_RETRYCANCEL, 0, BOX_STYLE, 214, 74, "", 8, 0, "MS Sans Serif", ROWS(MsgRetryCancelRows) },
};

TEST_CASE("every dialog template holds exactly the listed frame and controls")
{
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        for (const DialogRow &expected : Dialogs) {
            INFO("module: ", doctest::String(modules[m].label));
            INFO("template or icon: ", doctest::String(expected.name));
            DWORD size;
            const BYTE *bytes = ResourceBytes(modules[m].handle, RT_DIALOG, expected.name, 0, &size);
            REQUIRE(bytes != NULL);
            ParsedDialog dialog;
            REQUIRE(ParseDialog(bytes, size, &dialog));
            CHECK(dialog.extended == expected.extended);
            CHECK(dialog.style == expected.style);
            CHECK(dialog.exStyle == 0u);
            CHECK(dialog.cx == expected.cx);
            CHECK(dialog.cy == expected.cy);
            CHECK(dialog.menuAndClassEmpty);
            CHECK(strcmp(dialog.caption, expected.caption) == 0);
            CHECK(dialog.pointSize == expected.pointSize);
            CHECK(strcmp(dialog.face, expected.face) == 0);
            if (expected.extended) {
                CHECK(dialog.weight == expected.weight);
                CHECK(dialog.italic == 0);
                CHECK(dialog.charset == 0);
            }
            REQUIRE(dialog.count == expected.count);
            for (int i = 0; i < expected.count; i++) {
                const ControlRow &want = expected.controls[i];
                const ParsedControl &got = dialog.controls[i];
                CAPTURE(i);
                CAPTURE(want.id);
                CHECK(got.id == want.id);
                CHECK(lstrcmpiA(got.className, want.className) == 0);
                CHECK(got.style == want.style);
                CHECK(got.exStyle == 0u);
                CHECK(got.textOrdinal == want.textOrdinal);
                if (want.text)
                    CHECK(strcmp(got.text, want.text) == 0);
                CHECK(got.x == want.x);
                CHECK(got.y == want.y);
                CHECK(got.cx == want.cx);
                CHECK(got.cy == want.cy);
            }
        }
    }
}

TEST_CASE("mnemonics: the Next buttons have none, every other button one")
{
    HMODULE self = GetModuleHandleA(NULL);
    int buttons = 0;
    for (const DialogRow &expected : Dialogs) {
        DWORD size;
        const BYTE *bytes = ResourceBytes(self, RT_DIALOG, expected.name, 0, &size);
        ParsedDialog dialog;
        REQUIRE(bytes != NULL);
        REQUIRE(ParseDialog(bytes, size, &dialog));
        for (int i = 0; i < dialog.count; i++) {
            const ParsedControl &control = dialog.controls[i];
            if (lstrcmpiA(control.className, "Button") != 0 || !control.text[0])
                continue;
            INFO("template: ", doctest::String(expected.name));
            INFO("text: ", doctest::String(control.text));
            CHECK((strchr(control.text, '&') != NULL) == (control.id != ID_NEXT));
            buttons++;
        }
    }
    CHECK(buttons == 21);   /* 10 on the pages (check box included), 1 in IDD_COPY, 10 in the messages */
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

static int IsListedString(UINT id)
{
    for (const auto &s : Strings)
        if (s.id == id)
            return 1;
    return 0;
}

TEST_CASE("every string is stored exactly, and no other")
{
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        INFO("module: ", doctest::String(modules[m].label));
        for (const auto &s : Strings) {
            CAPTURE(s.id);
            char text[1024];
            int length = LoadStringA(modules[m].handle, s.id, text, sizeof text);
            CHECK(length == (int)strlen(s.text));
            CHECK(strcmp(text, s.text) == 0);
        }
        /* Every numbered string in the 16-string blocks that hold the table. */
        int found = 0;
        for (UINT block = 4000 / 16 + 1; block <= 4063 / 16 + 1; block++) {
            DWORD size;
            const BYTE *bytes = ResourceBytes(modules[m].handle, RT_STRING, MAKEINTRESOURCEA(block), KOREAN, &size);
            REQUIRE(bytes != NULL);
            DWORD at = 0;
            for (UINT i = 0; i < 16 && at + 2 <= size; i++) {
                WORD length;
                memcpy(&length, bytes + at, 2);
                at += 2 + 2u * length;
                UINT id = (block - 1) * 16 + i;
                CAPTURE(id);
                if (length) {
                    CHECK(IsListedString(id));
                    found++;
                }
            }
        }
        CHECK(found == (int)(sizeof Strings / sizeof Strings[0]));
    }
}

/* ------------------------------------------------------------ icons */

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

static int MaskBit(const BYTE *mask, int stride, int size, int x, int y)
{
    const BYTE *row = mask + (size - 1 - y) * stride;   /* bottom-up */
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

static DWORD PixelColour(const BYTE *bits, int stride, int size, int bpp, const RGBQUAD *palette, int x, int y)
{
    const BYTE *row = bits + (size - 1 - y) * stride;
    int index = bpp == 8 ? row[x] : bpp == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15 : (row[x / 8] >> (7 - x % 8)) & 1;
    return RGB(palette[index].rgbRed, palette[index].rgbGreen, palette[index].rgbBlue);
}

TEST_CASE("icon groups hold the listed images, each with a working transparency mask")
{
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        for (const auto &group : IconGroups) {
            INFO("module: ", doctest::String(modules[m].label));
            INFO("template or icon: ", doctest::String(group.name));
            DWORD size;
            const BYTE *bytes = ResourceBytes(modules[m].handle, RT_GROUP_ICON, group.name, 0, &size);
            REQUIRE(bytes != NULL);
            WORD header[3];
            REQUIRE(size >= sizeof header);
            memcpy(header, bytes, sizeof header);
            CHECK(header[1] == 1);
            REQUIRE(header[2] == group.count);
            REQUIRE(size >= sizeof header + group.count * sizeof(GroupIconEntry));
            for (int i = 0; i < group.count; i++) {
                GroupIconEntry entry;
                memcpy(&entry, bytes + sizeof header + i * sizeof entry, sizeof entry);
                CAPTURE(i);
                CHECK(entry.width == group.size[i]);
                CHECK(entry.height == group.size[i]);
                CHECK(entry.bitCount == group.bpp[i]);
                CHECK(entry.planes == 1);
                CHECK(entry.colours == (group.bpp[i] < 8 ? 1 << group.bpp[i] : 0));

                /* The image itself: header, palette, colour bits, AND mask. */
                DWORD imageSize;
                const BYTE *image = ResourceBytes(modules[m].handle, RT_ICON, MAKEINTRESOURCEA(entry.id), 0, &imageSize);
                REQUIRE(image != NULL);
                BITMAPINFOHEADER info;
                REQUIRE(imageSize >= sizeof info);
                memcpy(&info, image, sizeof info);
                int side = group.size[i], bpp = group.bpp[i];
                CHECK(info.biWidth == side);
                CHECK(info.biHeight == 2 * side);
                CHECK(info.biBitCount == bpp);
                CHECK(info.biCompression == (DWORD)BI_RGB);
                int paletteCount = info.biClrUsed ? (int)info.biClrUsed : 1 << bpp;
                int colourStride = ((side * bpp + 31) / 32) * 4, maskStride = ((side + 31) / 32) * 4;
                DWORD needed = sizeof info + paletteCount * 4 + (colourStride + maskStride) * side;
                REQUIRE(imageSize >= needed);
                const RGBQUAD *palette = (const RGBQUAD *)(image + sizeof info);
                const BYTE *colourBits = image + sizeof info + paletteCount * 4;
                const BYTE *mask = colourBits + colourStride * side;
                /* Some pixels clear, many opaque; clear ones black in the
                   colour bits, or the screen under them would change. */
                int clear = 0, showing = 0;
                for (int y = 0; y < side; y++)
                    for (int x = 0; x < side; x++) {
                        if (!MaskBit(mask, maskStride, side, x, y))
                            continue;
                        clear++;
                        if (PixelColour(colourBits, colourStride, side, bpp, palette, x, y) != 0)
                            showing++;
                    }
                CHECK(clear > side * side / 20);
                CHECK(clear < side * side * 3 / 4);
                CHECK(showing == 0);
            }
        }
    }
}

TEST_CASE("the program's icons load at the standard size; icon 32516 is left to the system")
{
    HMODULE self = GetModuleHandleA(NULL);
    for (const auto &group : IconGroups) {
        INFO("template or icon: ", doctest::String(group.name));
        HICON icon = LoadIconA(self, group.name);
        REQUIRE(icon != NULL);
        ICONINFO info;
        REQUIRE(GetIconInfo(icon, &info));
        BITMAP colour;
        REQUIRE(GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof colour, &colour));
        CHECK(colour.bmWidth == GetSystemMetrics(SM_CXICON));
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        INFO("module: ", doctest::String(modules[m].label));
        CHECK(FindResourceA(modules[m].handle, MAKEINTRESOURCEA(IDI_PAGE_ICON), RT_GROUP_ICON) == NULL);
    }
}

/* ------------------------------------------------------------ bitmaps */

TEST_CASE("both bitmaps have their listed size and colour depth, uncompressed")
{
    static const struct { int number, width, height, bpp; } bitmaps[] = {
        { IDB_BACKGROUND, 500, 310, 24 },
        { IDB_LOGO, 154, 248, 4 },
    };
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        for (const auto &b : bitmaps) {
            INFO("module: ", doctest::String(modules[m].label));
            CAPTURE(b.number);
            DWORD size;
            const BYTE *bytes = ResourceBytes(modules[m].handle, RT_BITMAP, MAKEINTRESOURCEA(b.number), 0, &size);
            REQUIRE(bytes != NULL);
            BITMAPINFOHEADER info;
            REQUIRE(size >= sizeof info);
            memcpy(&info, bytes, sizeof info);
            CHECK(info.biSize == sizeof info);
            CHECK(info.biWidth == b.width);
            CHECK(info.biHeight == b.height);
            CHECK(info.biBitCount == b.bpp);
            CHECK(info.biCompression == (DWORD)BI_RGB);
            DWORD paletteCount = b.bpp <= 8 ? (info.biClrUsed ? info.biClrUsed : 1u << b.bpp) : 0;
            CHECK(paletteCount <= 16u);
            DWORD stride = ((b.width * b.bpp + 31) / 32) * 4;
            CHECK(size >= sizeof info + paletteCount * 4 + stride * b.height);
        }
    }
    /* The logo as the program loads it. */
    HBITMAP logo = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_LOGO));
    REQUIRE(logo != NULL);
    BITMAP info;
    REQUIRE(GetObjectA(logo, sizeof info, &info));
    CHECK(info.bmWidth == 154);
    CHECK(info.bmHeight == 248);
    DeleteObject(logo);
}

/* ------------------------------------------------------------ manifest */

static const char *SkipSpace(const char *p, const char *end)
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        p++;
    return p;
}

static int Contains(const char *text, DWORD length, const char *word)
{
    size_t n = strlen(word);
    for (DWORD i = 0; i + n <= length; i++)
        if (_strnicmp(text + i, word, n) == 0)
            return 1;
    return 0;
}

TEST_CASE("the manifest is number 1 in US English with an empty assembly element")
{
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        INFO("module: ", doctest::String(modules[m].label));
        DWORD size;
        const char *text = (const char *)ResourceBytes(modules[m].handle, MAKEINTRESOURCEA(24),
                                                       MAKEINTRESOURCEA(1), US_ENGLISH, &size);
        REQUIRE(text != NULL);
        const char *end = text + size;
        CHECK(Contains(text, size, "urn:schemas-microsoft-com:asm.v1"));
        CHECK(Contains(text, size, "manifestVersion=\"1.0\""));
        CHECK_FALSE(Contains(text, size, "dependency"));
        CHECK_FALSE(Contains(text, size, "trustInfo"));
        CHECK_FALSE(Contains(text, size, "requestedExecutionLevel"));
        /* The root element: either <assembly .../> or <assembly ...></assembly>,
           with only blanks after it. */
        const char *root = NULL;
        for (const char *p = text; p + 9 <= end; p++)
            if (memcmp(p, "<assembly", 9) == 0) {
                root = p;
                break;
            }
        REQUIRE(root != NULL);
        const char *close = (const char *)memchr(root, '>', end - root);
        REQUIRE(close != NULL);
        const char *after = close + 1;
        if (close[-1] != '/') {
            after = SkipSpace(after, end);
            REQUIRE(end - after >= 11);
            CHECK(memcmp(after, "</assembly>", 11) == 0);
            after += 11;
        }
        after = SkipSpace(after, end);
        while (after < end && *after == '\0')
            after++;
        CHECK(after == end);
    }
}

/* ------------------------------------------------------------ languages */

struct Inventory {
    int dialogs, groupIcons, icons, bitmaps, stringBlocks, manifests, others;
    int wrongLanguage;
};

static BOOL CALLBACK CountLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param)
{
    Inventory *inventory = (Inventory *)param;
    int manifest = IS_INTRESOURCE(type) && (ULONG_PTR)type == 24;
    WORD expected = manifest ? US_ENGLISH : KOREAN;
    if (language != expected) {
        inventory->wrongLanguage++;
        char label[96];
        if (IS_INTRESOURCE(name))
            snprintf(label, sizeof label, "%u", (unsigned)(ULONG_PTR)name);
        else
            lstrcpynA(label, name, sizeof label);
        MESSAGE("resource in language ", language, ": type ",
                IS_INTRESOURCE(type) ? (int)(ULONG_PTR)type : -1, ", name ", doctest::String(label));
    }
    if (!IS_INTRESOURCE(type))
        inventory->others++;
    else if (type == RT_DIALOG)
        inventory->dialogs++;
    else if (type == RT_GROUP_ICON)
        inventory->groupIcons++;
    else if (type == RT_ICON)
        inventory->icons++;
    else if (type == RT_BITMAP)
        inventory->bitmaps++;
    else if (type == RT_STRING)
        inventory->stringBlocks++;
    else if (manifest && IS_INTRESOURCE(name) && (ULONG_PTR)name == 1)
        inventory->manifests++;
    else
        inventory->others++;
    return TRUE;
}

static BOOL CALLBACK ListLanguages(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    EnumResourceLanguagesA(module, type, name, CountLanguage, param);
    return TRUE;
}

static BOOL CALLBACK ListNames(HMODULE module, LPSTR type, LONG_PTR param)
{
    EnumResourceNamesA(module, type, ListLanguages, param);
    return TRUE;
}

TEST_CASE("every resource is Korean but the manifest, which is US English; nothing else is stored")
{
    int moduleCount;
    const Module *modules = Modules(&moduleCount);
    for (int m = 0; m < moduleCount; m++) {
        INFO("module: ", doctest::String(modules[m].label));
        Inventory inventory;
        memset(&inventory, 0, sizeof inventory);
        EnumResourceTypesA(modules[m].handle, ListNames, (LONG_PTR)&inventory);
        CHECK(inventory.wrongLanguage == 0);
        CHECK(inventory.dialogs == 11);
        CHECK(inventory.groupIcons == 5);
        CHECK(inventory.icons == 2 + 3 + 2 + 3 + 4);
        CHECK(inventory.bitmaps == 2);
        CHECK(inventory.stringBlocks == 4);
        CHECK(inventory.manifests == 1);
        CHECK(inventory.others == 0);
    }
}

/* ------------------------------------------------------------ in the dialog manager */

static INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

/* The first child with the given id in template order (ids of -1 repeat). */
static HWND ChildWithId(HWND dialog, int id, int skip)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((short)GetDlgCtrlID(child) == id && skip-- == 0)
            return child;
    return NULL;
}

TEST_CASE("pages show the background at its own size and the system information icon")
{
    static const char *pages[] = { IDD_WELCOME, IDD_GETMODEL, IDD_GETPORT, IDD_EXIT };
    HMODULE self = GetModuleHandleA(NULL);
    HICON information = LoadIconA(NULL, IDI_ASTERISK);
    for (const char *name : pages) {
        INFO("template or icon: ", doctest::String(name));
        HWND page = CreateDialogParamA(self, name, NULL, QuietDialog, 0);
        REQUIRE(page != NULL);

        /* The picture: first in template order, realised at 500 x 310
           whatever its declared height (226 units on the welcome page). */
        HWND picture = GetWindow(page, GW_CHILD);
        REQUIRE(picture != NULL);
        HBITMAP shown = (HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
        REQUIRE(shown != NULL);
        BITMAP bitmap;
        REQUIRE(GetObjectA(shown, sizeof bitmap, &bitmap));
        CHECK(bitmap.bmWidth == 500);
        CHECK(bitmap.bmHeight == 310);
        RECT box;
        GetWindowRect(picture, &box);
        CHECK(box.right - box.left == 500);
        CHECK(box.bottom - box.top == 310);

        if (strcmp(name, IDD_EXIT) != 0) {
            /* The page icon: the fourth -1 control after picture and
               separator on the welcome page, the third elsewhere. */
            HWND iconControl = NULL;
            for (int skip = 0; !iconControl; skip++) {
                HWND child = ChildWithId(page, -1, skip);
                REQUIRE(child != NULL);
                if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    iconControl = child;
            }
            CHECK((HICON)SendMessageA(iconControl, STM_GETICON, 0, 0) == information);
        } else {
            CHECK(SendDlgItemMessageA(page, IDC_MSG_ICON, STM_GETICON, 0, 0) == 0);
        }
        if (strcmp(name, IDD_WELCOME) == 0) {
            char text[64];
            GetDlgItemTextA(page, IDC_WELCOME_TEXT, text, sizeof text);
            CHECK(strcmp(text, "Static") == 0);
        }
        HWND logo = GetDlgItem(page, IDC_LOGO);
        CHECK_FALSE(IsWindowVisible(logo));
        CHECK_FALSE(IsWindowEnabled(logo));

        /* A picture of the page for a person to look at. */
        ShowWindow(page, SW_SHOW);
        UpdateWindow(page);
        PumpFor(300);
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%sresources_%s.bmp", TestProgramDirectory(), name);
        SaveScreenshot(path);
        RECT frame;
        GetWindowRect(page, &frame);
        RECT area;
        GetClientRect(page, &area);
        MESSAGE(doctest::String(name), " window ", frame.left, ",", frame.top, " ", frame.right - frame.left, "x",
                frame.bottom - frame.top, ", client ", area.right, "x", area.bottom, ", button face ",
                (int)GetRValue(GetSysColor(COLOR_BTNFACE)), ",", (int)GetGValue(GetSysColor(COLOR_BTNFACE)), ",",
                (int)GetBValue(GetSysColor(COLOR_BTNFACE)));
        DestroyWindow(page);
    }
}

TEST_CASE("the status window shows the disk icon and opens hidden")
{
    HMODULE self = GetModuleHandleA(NULL);
    HWND status = CreateDialogParamA(self, IDD_STATUS, NULL, QuietDialog, 0);
    REQUIRE(status != NULL);
    CHECK_FALSE(IsWindowVisible(status));
    HWND iconControl = ChildWithId(status, -1, 0);
    REQUIRE(iconControl != NULL);
    CHECK((HICON)SendMessageA(iconControl, STM_GETICON, 0, 0) == LoadIconA(self, IDI_DISK));

    SetDlgItemTextA(status, IDC_STATUS_TEXT, "Reading setup information...");
    ShowWindow(status, SW_SHOW);
    UpdateWindow(status);
    PumpFor(300);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sresources_%s.bmp", TestProgramDirectory(), IDD_STATUS);
    SaveScreenshot(path);
    DestroyWindow(status);
}
