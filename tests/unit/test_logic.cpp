/* The window-less rules of the copy, the INF's path and the centring of
   the wizard's dialogs, against the platform's MulDiv, lead bytes and LZ
   library and hand-worked numbers and bytes. */
#include <doctest/doctest.h>
#include <windows.h>
#include <lzexpand.h>
#include <string.h>
#include <string>
#include "install/bar_geometry_logic.h"
#include "install/compressed_name_logic.h"
#include "install/dest_path_logic.h"
#include "setupinfo/inf_path_logic.h"
#include "ui/center_logic.h"
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

/* Code page 932's lead bytes as the platform knows them, whatever this
   process's own code page is. There "表" is 95 5C, "示" 8E A6, "ソ" 83 5C. */
static int Cp932LeadByte(unsigned char byte)
{
    return IsDBCSLeadByteEx(932, byte) != 0;
}

TEST_CASE("bare file names and usable driver directories, in a single-byte code page and in code page 932")
{
    static const struct { const char *text; int bare, directory, bare932, directory932; } cases[] = {
        { "UNIDRV.DLL", 1, 1, 1, 1 }, { "...", 1, 1, 1, 1 }, { "", 0, 0, 0, 0 }, { ".", 0, 1, 0, 1 },
        { "..", 0, 1, 0, 1 }, { "..\\x", 0, 1, 0, 1 }, { "sub/x", 0, 1, 0, 1 }, { "C:x", 0, 1, 0, 1 },
        { "C:\\windows\\system32\\spool\\drivers\\w32x86\\", 0, 1, 0, 1 },
        { "\\\\server\\share\\drivers\\", 0, 1, 0, 1 }, { "\\", 0, 0, 0, 0 }, { "\\\\", 0, 0, 0, 0 },
        { "/", 0, 0, 0, 0 }, { "C:\\", 0, 0, 0, 0 }, { "C:", 0, 0, 0, 0 }, { "c:/", 0, 0, 0, 0 },
        { "\\\\server\\share\\", 0, 0, 0, 0 }, { "\\\\server", 0, 0, 0, 0 },
        { "\x95\x5C\x8E\xA6.dat", 0, 1, 1, 1 },         /* 表示.dat */
        { "KV\x83", 1, 1, 1, 1 },                        /* a lone lead byte at the end */
        { "\x95\x5C\\x", 0, 1, 0, 1 },                   /* 表\x: a backslash after 表 */
        { "\x83\x5C:", 0, 1, 0, 1 },                     /* ソ: */
        { "\\\\server\\\x95\x5Cx", 0, 1, 0, 0 },        /* \\server\表x: a share's root */
        { "\\\\server\\\x95\x5C\\", 0, 0, 0, 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.text));
        CHECK(IsBareFileName(c.text, NoLeadBytes) == c.bare);
        CHECK(IsUsableDriverDirectory(c.text, NoLeadBytes) == c.directory);
        CHECK(IsBareFileName(c.text, Cp932LeadByte) == c.bare932);
        CHECK(IsUsableDriverDirectory(c.text, Cp932LeadByte) == c.directory932);
    }
}

TEST_CASE("destination paths: one backslash, the version subdirectory, bounded")
{
    const std::string name(56, 'n');   /* "C:\d\3\", 56 characters and the NUL fill 64 bytes */
    const struct { size_t size; const char *directory; int subdirectory; const char *name, *suffix;
                   LeadByteRule rule; std::string path; } cases[] = {
        { 64, "C:\\drv", 12, "a", "~new", NoLeadBytes, "C:\\drv\\12\\a~new" },
        { 64, "C:\\d\\", 3, name.c_str(), "", NoLeadBytes, "C:\\d\\3\\" + name },
        { 64, "C:\\d\\", 3, name.c_str(), "x", NoLeadBytes, "" },
        { 0, "C:\\d\\", 3, "a", "", NoLeadBytes, "" },
        { 64, "C:\\\x83\x5C", -1, "a", "", Cp932LeadByte, "C:\\\x83\x5C\\a" },    /* C:\ソ */
        { 64, "C:\\\x83\x5C", 3, "a", "", NoLeadBytes, "C:\\\x83\x5C" "3\\a" },
        { 64, "C:\\\x83\x5C\\", 3, "\x95\x5C", "", Cp932LeadByte, "C:\\\x83\x5C\\3\\\x95\x5C" },
    };
    for (const auto &c : cases) {
        CAPTURE(c.path);
        char out[64] = "stale";
        CHECK(BuildDestinationPath(out, c.size, c.directory, c.subdirectory, c.name, c.suffix, c.rule)
              == !c.path.empty());
        CHECK(std::string(c.size ? out : "") == c.path);
    }
}

TEST_CASE("the INF's path: the program's directory, cut after its last backslash, and the INF's name")
{
    static const struct { const char *module; LeadByteRule rule; size_t size; const char *path; } cases[] = {
        { "C:\\pkg\\setup.exe", NoLeadBytes, 64, "C:\\pkg\\KV_R52x.INF" },
        { "\\\\server\\share\\setup.exe", NoLeadBytes, 64, "\\\\server\\share\\KV_R52x.INF" },
        { "setup.exe", NoLeadBytes, 64, ".\\KV_R52x.INF" },
        { "", NoLeadBytes, 64, ".\\KV_R52x.INF" },
        { "C:\\pkg\\setup.exe", NoLeadBytes, 12, "C:\\pkg\\KV_R" },
        /* C:\表示\ソ.exe, and \\server\表\ソ.exe */
        { "C:\\\x95\x5C\x8E\xA6\\\x83\x5C.exe", Cp932LeadByte, 64, "C:\\\x95\x5C\x8E\xA6\\KV_R52x.INF" },
        { "\\\\server\\\x95\x5C\\\x83\x5C.exe", Cp932LeadByte, 64, "\\\\server\\\x95\x5C\\KV_R52x.INF" },
        { "C:\\\x95\x5C\x8E\xA6\\\x83\x5C.exe", NoLeadBytes, 64, "C:\\\x95\x5C\x8E\xA6\\\x83\\KV_R52x.INF" },
        { "C:\\a\x83\\b.exe", Cp932LeadByte, 64, "C:\\KV_R52x.INF" },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.module));
        char out[64];
        BuildInfPath(c.module, "KV_R52x.INF", out, c.size, c.rule);
        CHECK(std::string(out) == std::string(c.path));
    }
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
