/*
 * The window-less rules of the copy and of the wizard's dialogs, table by
 * table, against the platform's own MulDiv and message-box constants and
 * hand-worked numbers.
 */
#include <doctest/doctest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include "install/bar_geometry_logic.h"
#include "install/dest_path_logic.h"
#include "ui/center_logic.h"
#include "ui/icon_rule_logic.h"
#include "ui/message_style_logic.h"
#include "ui/resources/resource.h"

TEST_CASE("the copy percentage is MulDiv(100, index, count)")
{
    int wrong = 0;
    for (int count = -3; count <= 300; ++count)
        for (int index = -3; index <= count + 3; ++index)
            wrong += CopyPercent(index, count) != MulDiv(100, index, count);
    CHECK(wrong == 0);
    static const int extremes[][2] = { { 0x7FFFFFFF, 1 }, { -0x7FFFFFFF, 3 }, { 0x7FFFFFFF, 0x7FFFFFFF }, { 5, 0 } };
    for (const auto &e : extremes) {
        CAPTURE(e[0]);
        CHECK(CopyPercent(e[0], e[1]) == MulDiv(100, e[0], e[1]));
    }
}

TEST_CASE("the bar's boundary: left + whole part of percent * width / 100, the right edge at 100")
{
    static const struct { int percent, left, right, x; } cases[] = {
        { 33, 0, 213, 70 }, { 67, 0, 213, 142 }, { 50, 0, 213, 106 }, { 0, 0, 213, 0 }, { 100, 0, 213, 213 },
        { 29, 0, 100, 29 }, { 57, 0, 100, 57 },  /* exact, where 0.01 in floating point slips */
        { 33, 10, 223, 80 }, { 100, 10, 5, 5 }, { -1, 0, 300, 65533 },  /* unsigned 16 bits */
    };
    for (const auto &c : cases) {
        CAPTURE(c.percent);
        CAPTURE(c.right);
        CHECK(BarBoundary(c.percent, c.left, c.right) == c.x);
    }
}

TEST_CASE("bare file names, usable driver directories")
{
    static const struct { const char *text; int bare, directory; } cases[] = {
        { "UNIDRV.DLL", 1, 1 }, { "...", 1, 1 }, { "KV R52x.GPD", 1, 1 }, { "", 0, 0 }, { ".", 0, 1 },
        { "..", 0, 1 }, { "..\\x.dll", 0, 1 }, { "sub/x.dll", 0, 1 }, { "C:x.dll", 0, 1 }, { "\\x", 0, 1 },
        { "C:\\windows\\system32\\spool\\drivers\\w32x86\\", 0, 1 }, { "\\\\server\\share\\drivers\\", 0, 1 },
        { "\\", 0, 0 }, { "\\\\", 0, 0 }, { "/", 0, 0 }, { "C:\\", 0, 0 }, { "C:", 0, 0 }, { "c:/", 0, 0 },
        { "C:\\\\", 0, 0 }, { "\\\\server\\share\\", 0, 0 }, { "\\\\server", 0, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.text));
        CHECK(IsBareFileName(c.text) == c.bare);
        CHECK(IsUsableDriverDirectory(c.text) == c.directory);
    }
}

TEST_CASE("destination paths: one backslash, the version subdirectory, bounded")
{
    std::string name(56, 'n');   /* "C:\d\3\", 56 characters and the NUL fill 64 bytes */
    const struct { const char *directory; int sub; std::string name; const char *suffix; std::string path; } cases[] = {
        { "C:\\drv\\", 3, "a.dll", "", "C:\\drv\\3\\a.dll" }, { "C:\\drv", 12, "a", "", "C:\\drv\\12\\a" },
        { "C:\\drv", -1, "a.dll", "~new", "C:\\drv\\a.dll~new" }, { "C:\\d\\", 3, name, "", "C:\\d\\3\\" + name },
        { "C:\\d\\", 3, name, "x", "" },   /* one character too many: nothing */
    };
    char out[64];
    for (const auto &c : cases) {
        CAPTURE(c.path);
        strcpy(out, "untouched");
        CHECK(BuildDestinationPath(out, sizeof out, c.directory, c.sub, c.name.c_str(), c.suffix) == !c.path.empty());
        CHECK(out == c.path);
    }
    CHECK_FALSE(BuildDestinationPath(out, 0, "C:\\d\\", 3, "a", ""));
}

TEST_CASE("a message style chooses the template by its buttons and the icon by its icon bits")
{
    static const struct { unsigned style; const char *templateName; LPCSTR icon; } cases[] = {
        { MB_OK, IDD_MSG_OK, IDI_APPLICATION }, { MB_ABORTRETRYIGNORE, IDD_MSG_OK, IDI_APPLICATION },
        { MB_OKCANCEL, IDD_MSG_OKCANCEL, IDI_APPLICATION }, { MB_YESNOCANCEL, IDD_MSG_YESNOCANCEL, IDI_APPLICATION },
        { MB_YESNO | MB_ICONQUESTION, IDD_MSG_YESNO, IDI_QUESTION }, { MB_RETRYCANCEL, IDD_MSG_RETRYCANCEL, IDI_APPLICATION },
        { MB_ICONHAND, IDD_MSG_OK, IDI_HAND }, { MB_ICONEXCLAMATION, IDD_MSG_OK, IDI_EXCLAMATION },
        { MB_ICONASTERISK | 6, IDD_MSG_OK, IDI_ASTERISK }, { 0x50, IDD_MSG_OK, IDI_APPLICATION },
        { 0x0F, IDD_MSG_OK, IDI_APPLICATION }, { 0xF4, IDD_MSG_YESNO, IDI_APPLICATION },
        { MB_SETFOREGROUND | MB_YESNO | MB_ICONHAND, IDD_MSG_YESNO, IDI_HAND },
    };
    for (const auto &c : cases) {
        CAPTURE(c.style);
        CHECK(std::string(MessageTemplateName(c.style)) == c.templateName);
        CHECK(MessageIconNumber(c.style) == (unsigned)(ULONG_PTR)c.icon);
    }
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
        CHECK(std::string(PortIconName(c.text)) == c.icon);
    }
    CHECK(std::string(ModelIconName("Kest R520")) == IDI_PRINTER);
}

TEST_CASE("centring on the owner: its origin plus half the difference, truncated toward zero")
{
    static const struct { int origin, parentSize, size, result; } cases[] = {
        { 0, 1024, 506, 259 }, { 0, 768, 327, 220 }, { 0, 800, 1001, -100 }, { 0, 800, 1003, -101 },
        { 100, 300, 100, 200 }, { -50, 100, 100, -50 }, { 0, 10, 11, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.origin);
        CAPTURE(c.size);
        CHECK(CenteredOrigin(c.origin, c.parentSize, c.size) == c.result);
    }
}
