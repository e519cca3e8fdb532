/*
 * The window-less rules of the copy, the message dialogs and the icon lists:
 * bar geometry, destination paths, error messages, template and icon choice,
 * port icons and centring.
 */
#include <doctest/doctest.h>
#include <string.h>
#include "install/bar_geometry_logic.h"
#include "install/copy_error_logic.h"
#include "install/dest_path_logic.h"
#include "ui/center_logic.h"
#include "ui/icon_rule_logic.h"
#include "ui/message_style_logic.h"
#include "ui/resources/resource.h"

TEST_CASE("percent rounds like MulDiv: nearest, halves upward, -1 without files")
{
    static const struct { int index, count, percent; } cases[] = {
        { 0, 3, 0 }, { 1, 3, 33 }, { 2, 3, 67 }, { 3, 3, 100 },
        { 199, 200, 100 },   /* 99.5 */
        { 1, 200, 1 },       /* 0.5 */
        { 198, 200, 99 }, { 1, 8, 13 } /* 12.5 */, { 3, 8, 38 } /* 37.5 */,
        { 0, 0, -1 }, { 5, 0, -1 }, { 1, 1, 100 },
        { 0x7FFFFFFF, 1, -1 },  /* overflow */
        { -1, 8, -13 },         /* halves away from zero, as MulDiv */
    };
    for (const auto &c : cases) {
        CAPTURE(c.index);
        CAPTURE(c.count);
        CHECK(CopyPercent(c.index, c.count) == c.percent);
    }
}

TEST_CASE("bar boundary: whole part of percent * width / 100, right edge at 100")
{
    static const struct { int percent, left, right, x; } cases[] = {
        { 33, 0, 213, 70 },   /* 70.29 */
        { 67, 0, 213, 142 },  /* 142.71 */
        { 100, 0, 213, 213 },
        { 0, 0, 213, 0 },
        { 50, 0, 213, 106 },  /* 106.5 */
        { 29, 0, 100, 29 },   /* exact, where 0.01 in floating point slips */
        { 57, 0, 100, 57 },
        { 33, 10, 223, 80 },  /* from the left edge */
        { 100, 10, 5, 5 },    /* right edge even when the rectangle is empty */
        { -1, 0, 300, 65533 },/* a negative part taken as unsigned 16 bits */
    };
    for (const auto &c : cases) {
        CAPTURE(c.percent);
        CAPTURE(c.right);
        CHECK(BarBoundary(c.percent, c.left, c.right) == c.x);
    }
}

TEST_CASE("FileList names by index, bounded by the buffer")
{
    static const char list[] = "UNIDRV.DLL\0KV_R52x.GPD\0x\0";
    CHECK(strcmp(FileListName(list, sizeof list, 0), "UNIDRV.DLL") == 0);
    CHECK(strcmp(FileListName(list, sizeof list, 1), "KV_R52x.GPD") == 0);
    CHECK(strcmp(FileListName(list, sizeof list, 2), "x") == 0);
    CHECK(FileListName(list, sizeof list, 3) == NULL);
    CHECK(FileListName(list, sizeof list, -1) == NULL);
    /* A name whose NUL lies beyond the buffer is not a name. */
    static const char open[] = { 'a', '\0', 'b', 'c' };
    CHECK(strcmp(FileListName(open, sizeof open, 0), "a") == 0);
    CHECK(FileListName(open, sizeof open, 1) == NULL);
    CHECK(FileListName(open, 0, 0) == NULL);
    static const char empty[] = "\0";
    CHECK(FileListName(empty, sizeof empty, 0) == NULL);
}

TEST_CASE("file names must be bare; driver directories must not be roots")
{
    static const struct { const char *name; int bare; } names[] = {
        { "UNIDRV.DLL", 1 }, { "a", 1 }, { "...", 1 }, { "KV R52x.GPD", 1 },
        { "", 0 }, { ".", 0 }, { "..", 0 }, { "..\\x.dll", 0 }, { "sub/x.dll", 0 },
        { "C:x.dll", 0 }, { "\\x", 0 },
    };
    for (const auto &n : names) {
        CAPTURE(n.name);
        CHECK(IsBareFileName(n.name) == n.bare);
    }
    static const struct { const char *directory; int usable; } directories[] = {
        { "C:\\windows\\system32\\spool\\drivers\\w32x86\\", 1 },
        { "C:\\d", 1 }, { "d\\", 1 }, { "\\\\server\\share\\drivers\\", 1 },
        { "", 0 }, { "\\", 0 }, { "\\\\", 0 }, { "/", 0 }, { "C:\\", 0 }, { "C:", 0 },
        { "c:/", 0 }, { "C:\\\\", 0 }, { "\\\\server\\share\\", 0 }, { "\\\\server", 0 },
    };
    for (const auto &d : directories) {
        CAPTURE(d.directory);
        CHECK(IsUsableDriverDirectory(d.directory) == d.usable);
    }
}

TEST_CASE("destination paths: one backslash, the version subdirectory, bounded")
{
    char out[64];
    static const struct { const char *directory; int sub; const char *name, *suffix, *path; } cases[] = {
        { "C:\\drv\\", -1, "a.dll", "", "C:\\drv\\a.dll" },
        { "C:\\drv\\", 3, "a.dll", "", "C:\\drv\\3\\a.dll" },
        { "C:\\drv", 3, "a.dll", "", "C:\\drv\\3\\a.dll" },
        { "C:\\drv", -1, "a.dll", "~new", "C:\\drv\\a.dll~new" },
        { "C:\\drv\\", 12, "a", "", "C:\\drv\\12\\a" },
        { "C:\\drv\\", 0, "a", "", "C:\\drv\\0\\a" },
    };
    for (const auto &c : cases) {
        CAPTURE(c.path);
        REQUIRE(BuildDestinationPath(out, sizeof out, c.directory, c.sub, c.name, c.suffix));
        CHECK(strcmp(out, c.path) == 0);
    }
    /* 63 characters and the NUL fit into 64 bytes; one more does not. */
    char name[64];
    memset(name, 'n', sizeof name);
    name[63 - 7] = '\0';  /* "C:\d\3\" is 7 characters */
    CHECK(BuildDestinationPath(out, sizeof out, "C:\\d\\", 3, name, ""));
    CHECK(strlen(out) == 63);
    CHECK_FALSE(BuildDestinationPath(out, sizeof out, "C:\\d\\", 3, name, "x"));
    CHECK(out[0] == '\0');
    CHECK_FALSE(BuildDestinationPath(out, 0, "C:\\d\\", 3, "a", ""));
}

TEST_CASE("copy errors: message and result of every code")
{
    static const struct { int code; unsigned stringId; int result; } cases[] = {
        { COPY_OPEN_FAILED, 4018, 0 },
        { -1, 4007, 1009 }, { -2, 4008, 1009 },
        { -3, 4016, 0 }, { -4, 4017, 0 }, { -5, 4015, 0 }, { -6, 4014, 0 },
        { -7, 4013, 0 }, { -8, 4016, 0 }, { -9, 4013, 0 }, { -100, 4013, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.code);
        CHECK(CopyErrorStringId(c.code) == c.stringId);
        if (c.code < 0)
            CHECK(CopyErrorResult(c.code) == c.result);
    }
}

TEST_CASE("message style chooses template and icon")
{
    static const struct { unsigned style; const char *templateName; unsigned icon; } cases[] = {
        { 0x00, IDD_MSG_OK, 32512 }, { 0x02, IDD_MSG_OK, 32512 },
        { 0x01, IDD_MSG_OKCANCEL, 32512 }, { 0x03, IDD_MSG_YESNOCANCEL, 32512 },
        { 0x24, IDD_MSG_YESNO, 32514 }, { 0x05, IDD_MSG_RETRYCANCEL, 32512 },
        { 0x10, IDD_MSG_OK, 32513 }, { 0x30, IDD_MSG_OK, 32515 }, { 0x46, IDD_MSG_OK, 32516 },
        { 0x50, IDD_MSG_OK, 32512 }, { 0x0F, IDD_MSG_OK, 32512 }, { 0xF4, IDD_MSG_YESNO, 32512 },
        { 0x10014, IDD_MSG_YESNO, 32513 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.style);
        CHECK(strcmp(MessageTemplateName(c.style), c.templateName) == 0);
        CHECK(MessageIconNumber(c.style) == c.icon);
    }
}

TEST_CASE("port and model icons")
{
    static const struct { const char *text; const char *icon; } cases[] = {
        { "FILE:", IDI_SETUP }, { "file:", IDI_SETUP }, { "File:", IDI_SETUP },
        { "LPT1:", IDI_PORT }, { "COM10:", IDI_PORT }, { "COMPANY", IDI_PORT }, { "LPT", IDI_PORT },
        { "lpt1:", IDI_NETWORK }, { "FILE", IDI_NETWORK }, { "FILE:X", IDI_NETWORK },
        { "USB001", IDI_NETWORK }, { "Ne00:", IDI_NETWORK }, { "LP", IDI_NETWORK },
        { "", IDI_NETWORK }, { "CO", IDI_NETWORK },
    };
    for (const auto &c : cases) {
        CAPTURE(c.text);
        CHECK(strcmp(PortIconName(c.text), c.icon) == 0);
    }
    CHECK(strcmp(ModelIconName("Kest R520"), IDI_PRINTER) == 0);
    CHECK(strcmp(ModelIconName(""), IDI_PRINTER) == 0);
}

TEST_CASE("centring: halving truncates toward zero")
{
    static const struct { int origin, parentSize, size, result; } cases[] = {
        { 0, 1024, 506, 259 }, { 0, 768, 327, 220 },
        { 0, 800, 1001, -100 },   /* -100.5 truncated toward zero */
        { 0, 800, 1003, -101 },
        { 100, 300, 100, 200 }, { -50, 100, 100, -50 }, { 0, 10, 11, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.size);
        CHECK(CenteredOrigin(c.origin, c.parentSize, c.size) == c.result);
    }
}
