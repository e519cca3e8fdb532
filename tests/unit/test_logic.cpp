/* The window-less rules of the copy and of the wizard's dialogs, against
   the platform's MulDiv and message-box constants and hand-worked numbers. */
#include <doctest/doctest.h>
#include <windows.h>
#include <lzexpand.h>
#include <string.h>
#include <string>
#include "install/bar_geometry_logic.h"
#include "install/compressed_name_logic.h"
#include "install/dest_path_logic.h"
#include "ui/center_logic.h"
#include "ui/icon_rule_logic.h"
#include "ui/message_style_logic.h"
#include "ui/resources/resource.h"
#include "test_support.h"

TEST_CASE("the copy percentage is MulDiv(100, index, count)")
{
    int wrong = 0;
    for (int count = -3; count <= 300; ++count)
        for (int index = -3; index <= count + 3; ++index)
            wrong += CopyPercent(index, count) != MulDiv(100, index, count);
    for (int big : { 0x7FFFFFFF, -0x7FFFFFFF })   /* overflow */
        wrong += CopyPercent(big, 3) != MulDiv(100, big, 3);
    CHECK(wrong == 0);
}

TEST_CASE("the bar's boundary: left + whole part of percent * width / 100, the right edge at 100")
{
    static const struct { int percent, left, right, x; } cases[] = {
        { 33, 0, 213, 70 }, { 67, 0, 213, 142 }, { 50, 0, 213, 106 }, { 0, 0, 213, 0 }, { 100, 0, 213, 213 },
        { 29, 0, 100, 29 }, { 57, 0, 100, 57 },  /* exact, where 0.01 in floating point slips */
        { 33, 10, 223, 80 }, { 100, 10, 5, 5 }, { -1, 0, 300, 65533 },  /* unsigned 16 bits */
    };
    for (const auto &c : cases) {
        CAPTURE(c.x);
        CHECK(BarBoundary(c.percent, c.left, c.right) == c.x);
    }
}

TEST_CASE("bare file names, usable driver directories")
{
    static const struct { const char *text; int bare, directory; } cases[] = {
        { "UNIDRV.DLL", 1, 1 }, { "...", 1, 1 }, { "", 0, 0 }, { ".", 0, 1 }, { "..", 0, 1 }, { "..\\x", 0, 1 },
        { "sub/x", 0, 1 }, { "C:x", 0, 1 }, { "C:\\windows\\system32\\spool\\drivers\\w32x86\\", 0, 1 },
        { "\\\\server\\share\\drivers\\", 0, 1 }, { "\\", 0, 0 }, { "\\\\", 0, 0 }, { "/", 0, 0 }, { "C:\\", 0, 0 },
        { "C:", 0, 0 }, { "c:/", 0, 0 }, { "\\\\server\\share\\", 0, 0 }, { "\\\\server", 0, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.text));
        CHECK(IsBareFileName(c.text) == c.bare);
        CHECK(IsUsableDriverDirectory(c.text) == c.directory);
    }
}

TEST_CASE("destination paths: one backslash, the version subdirectory, bounded")
{
    char out[64];
    std::string name(56, 'n');   /* "C:\d\3\", 56 characters and the NUL fill 64 bytes */
    CHECK(BuildDestinationPath(out, sizeof out, "C:\\drv", 12, "a", "~new"));
    CHECK(std::string(out) == std::string("C:\\drv\\12\\a~new"));
    CHECK(BuildDestinationPath(out, sizeof out, "C:\\d\\", 3, name.c_str(), ""));
    CHECK(std::string(out) == "C:\\d\\3\\" + name);
    CHECK_FALSE(BuildDestinationPath(out, sizeof out, "C:\\d\\", 3, name.c_str(), "x"));
    CHECK(out[0] == '\0');
    CHECK_FALSE(BuildDestinationPath(out, 0, "C:\\d\\", 3, "a", ""));
}

TEST_CASE("a compressed copy's name is the one the LZ library opens for a missing name")
{
    CreateDirectoryA("C:\\kvname", NULL);
    REQUIRE(SetCurrentDirectoryA("C:\\kvname"));
    for (const char *name : { "UNIDRV.DLL", "KV.HL", "KV", "KV.", "KV.R52.GPD", "KV.R5.X" }) {
        char compressed[16], opened[16];
        OFSTRUCT openInfo;
        CAPTURE(std::string(name));
        REQUIRE(CompressedFileName(name, compressed, sizeof compressed));
        REQUIRE(WriteTextFile(compressed, "x"));
        INT handle = LZOpenFileA(lstrcpyA(opened, name), &openInfo, OF_READ);
        CHECK(lstrcmpiA(strrchr(openInfo.szPathName, '\\') + 1, compressed) == 0);
        LZClose(handle);
        DeleteFileA(compressed);
    }
}

TEST_CASE("a message style chooses the template by its buttons and the icon by its icon bits")
{
    static const struct { unsigned style; const char *templateName; LPCSTR icon; } cases[] = {
        { MB_OK, IDD_MSG_OK, IDI_APPLICATION }, { MB_OKCANCEL | MB_ICONHAND, IDD_MSG_OKCANCEL, IDI_HAND },
        { MB_ABORTRETRYIGNORE | MB_ICONQUESTION, IDD_MSG_OK, IDI_QUESTION },
        { MB_YESNOCANCEL, IDD_MSG_YESNOCANCEL, IDI_APPLICATION }, { MB_YESNO, IDD_MSG_YESNO, IDI_APPLICATION },
        { MB_RETRYCANCEL | MB_ICONEXCLAMATION, IDD_MSG_RETRYCANCEL, IDI_EXCLAMATION },
        { 6 | MB_ICONASTERISK, IDD_MSG_OK, IDI_ASTERISK }, { 0x5F, IDD_MSG_OK, IDI_APPLICATION },
        { MB_SETFOREGROUND | 0xF4, IDD_MSG_YESNO, IDI_APPLICATION },
    };
    for (const auto &c : cases) {
        CAPTURE(c.style);
        CHECK(std::string(MessageTemplateName(c.style)) == std::string(c.templateName));
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
        CHECK(std::string(PortIconName(c.text)) == std::string(c.icon));
    }
    CHECK(std::string(ModelIconName("Kest R520")) == std::string(IDI_PRINTER));
}

TEST_CASE("centring on the owner: its origin plus half the difference, truncated toward zero")
{
    static const struct { int origin, parentSize, size, result; } cases[] = {
        { 0, 1024, 506, 259 }, { 0, 768, 327, 220 }, { 0, 800, 1001, -100 }, { 0, 800, 1003, -101 },
        { 100, 300, 100, 200 }, { -50, 100, 100, -50 }, { 0, 10, 11, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.result);
        CHECK(CenteredOrigin(c.origin, c.parentSize, c.size) == c.result);
    }
}
