/*
 * CopyOneFile and ShowCopyError against Wine's LZ library and file system,
 * in a test-owned driver directory (and once in the spooler's own), with the
 * LZ seam for the error codes Wine will not produce. After every failure the
 * earlier files must be intact and no partial or temporary file left.
 *
 * The cases of suite "prepared" need directories that only a shell can make
 * (immutable, a full tmpfs): tests/copy/prepared-copy.sh makes them and runs
 * this program with --no-skip for that suite.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "install/install.h"
#include "install/lz_api.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "copy_test_files.h"
#include "dialog_watch.h"
#include "spooler_readback.h"
#include <winspool.h>

static const char SourceDir[] = "C:\\kvcopy_file\\src\\";
static const char DriverDir[] = "C:\\kvcopy_file\\drv\\";
static const char VersionDir[] = "C:\\kvcopy_file\\drv\\3\\";

static INT_PTR CALLBACK QuietDlgProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

/* Fresh directories under `root`, the fixtures as sources in root\src\,
   made current, DriverDirectory root\drv\, and earlier files "old" in both
   destinations of `earlier`. The prepared suite runs beside the others and
   so works under a root of its own. */
static void PrepareCopy(const char *earlier, const char *root = "C:\\kvcopy_file\\")
{
    char source[MAX_PATH], driver[MAX_PATH], version[MAX_PATH], path[MAX_PATH];
    snprintf(source, sizeof source, "%ssrc\\", root);
    snprintf(driver, sizeof driver, "%sdrv\\", root);
    snprintf(version, sizeof version, "%sdrv\\3\\", root);
    CreateDirectoryA(root, NULL);
    CreateDirectoryA(source, NULL);
    CreateDirectoryA(driver, NULL);
    CreateDirectoryA(version, NULL);
    EmptyDirectory(source);
    EmptyDirectory(driver);
    EmptyDirectory(version);
    snprintf(path, sizeof path, "%skvc_plain.dll", source);
    REQUIRE(CopyFixture("plain.bin", path));
    snprintf(path, sizeof path, "%skvc_packed.dll", source);
    REQUIRE(CopyFixture("packed.bin", path));
    REQUIRE(SetCurrentDirectoryA(source));
    lstrcpyA(SetupState.DriverDirectory, driver);
    SetupState.DriverVersion = 3;
    if (earlier) {
        snprintf(path, sizeof path, "%s%s", driver, earlier);
        REQUIRE(WriteTextFile(path, "old"));
        snprintf(path, sizeof path, "%s%s", version, earlier);
        REQUIRE(WriteTextFile(path, "old"));
    }
    ResetLzApi();
}

/* CopyOneFile on FileList [name] with the message dialogs answered OK. */
static int CopyNamed(const char *name, HWND dialog = NULL)
{
    SetFileList(&name, 1);
    StartWatch(NULL, NULL);
    int result = CopyOneFile(dialog, 0);
    StopWatch();
    return result;
}

static void CheckEarlierIntact(const char *name)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s%s", DriverDir, name);
    CHECK(HoldsText(path, "old"));
    snprintf(path, sizeof path, "%s%s", VersionDir, name);
    CHECK(HoldsText(path, "old"));
    /* Nothing else: no temporary file beside either destination. */
    CHECK(CountEntries(DriverDir) == 2);   /* the file and "3" */
    CHECK(CountEntries(VersionDir) == 1);
}

static void CheckOneMessage(const char *text)
{
    REQUIRE(SeenCount == 1);
    CHECK(strcmp(Seen[0].caption, "Error") == 0);
    CHECK(strcmp(Seen[0].text, text) == 0);
    CHECK(Seen[0].icon == LoadIconA(NULL, IDI_HAND));
}

TEST_CASE("plain and compressed sources land byte for byte in both destinations")
{
    static const struct { const char *name, *expected; } cases[] = {
        { "kvc_plain.dll", "C:\\kvcopy_file\\src\\kvc_plain.dll" },
        { "kvc_packed.dll", "C:\\kvcopy_file\\src\\kvc_plain.dll" },  /* expanded */
    };
    for (const auto &c : cases) {
        CAPTURE(c.name);
        PrepareCopy(c.name);
        HWND dialog = CreateDialogParamA(SetupState.Instance, IDD_COPY, NULL, QuietDlgProc, 0);
        REQUIRE(dialog);
        CHECK(CopyNamed(c.name, dialog) == 1);
        CHECK(SeenCount == 0);
        char first[MAX_PATH], second[MAX_PATH], text[MAX_PATH];
        snprintf(first, sizeof first, "%s%s", DriverDir, c.name);
        snprintf(second, sizeof second, "%s%s", VersionDir, c.name);
        CHECK(SameFiles(first, c.expected));
        CHECK(SameFiles(second, c.expected));
        GetDlgItemTextA(dialog, IDC_COPY_SOURCE, text, sizeof text);
        CHECK(strcmp(text, c.name) == 0);
        GetDlgItemTextA(dialog, IDC_COPY_DEST, text, sizeof text);
        CHECK(strcmp(text, DriverDir) == 0);
        CHECK(CountEntries(DriverDir) == 2);
        CHECK(CountEntries(VersionDir) == 1);
        DestroyWindow(dialog);
    }
    /* The compressed fixture really is compressed. */
    CHECK_FALSE(SameFiles("C:\\kvcopy_file\\src\\kvc_plain.dll", "C:\\kvcopy_file\\src\\kvc_packed.dll"));
}

TEST_CASE("index k names the file after k earlier names")
{
    PrepareCopy(NULL);
    static const char *const names[] = { "kvc_packed.dll", "kvc_plain.dll" };
    SetFileList(names, 2);
    StartWatch(NULL, NULL);
    CHECK(CopyOneFile(NULL, 1) == 1);
    StopWatch();
    CHECK(Exists("C:\\kvcopy_file\\drv\\kvc_plain.dll"));
    CHECK_FALSE(Exists("C:\\kvcopy_file\\drv\\kvc_packed.dll"));
}

TEST_CASE("a missing source: File open error, 0, earlier files kept")
{
    PrepareCopy("kvc_missing.dll");
    CHECK(CopyNamed("kvc_missing.dll") == 0);
    CheckOneMessage("File open error.");
    CheckEarlierIntact("kvc_missing.dll");
}

TEST_CASE("a destination that cannot be created: File open error, 0, earlier files kept")
{
    /* A directory where the expanded file would be written first. */
    PrepareCopy("kvc_plain.dll");
    REQUIRE(CreateDirectoryA("C:\\kvcopy_file\\drv\\kvc_plain.dll~new", NULL));
    CHECK(CopyNamed("kvc_plain.dll") == 0);
    CheckOneMessage("File open error.");
    CHECK(HoldsText("C:\\kvcopy_file\\drv\\kvc_plain.dll", "old"));
    CHECK(HoldsText("C:\\kvcopy_file\\drv\\3\\kvc_plain.dll", "old"));
    RemoveDirectoryA("C:\\kvcopy_file\\drv\\kvc_plain.dll~new");
    CHECK(CountEntries(DriverDir) == 2);

    /* A directory in the first destination's place is not replaced. */
    PrepareCopy(NULL);
    REQUIRE(CreateDirectoryA("C:\\kvcopy_file\\drv\\kvc_plain.dll", NULL));
    CHECK(CopyNamed("kvc_plain.dll") == 0);
    CheckOneMessage("File open error.");
    CHECK((GetFileAttributesA("C:\\kvcopy_file\\drv\\kvc_plain.dll") & FILE_ATTRIBUTE_DIRECTORY) != 0);
    CHECK(CountEntries(DriverDir) == 2);
    CHECK(CountEntries(VersionDir) == 0);
    RemoveDirectoryA("C:\\kvcopy_file\\drv\\kvc_plain.dll");
}

/* No message, the first destination holds the new kvc_plain.dll, the
   version subdirectory holds its earlier entry alone: no temporary file is
   left in either. */
static void CheckOnlyFirstReplaced(const char *directory, const char *source = "C:\\kvcopy_file\\src\\kvc_plain.dll")
{
    char first[MAX_PATH], sub[MAX_PATH];
    snprintf(first, sizeof first, "%skvc_plain.dll", directory);
    snprintf(sub, sizeof sub, "%s3\\", directory);
    CHECK(SeenCount == 0);
    CHECK(SameFiles(first, source));
    CHECK(CountEntries(directory) == 2);
    CHECK(CountEntries(sub) == 1);
}

/* An immutable earlier file: the suite "prepared" below. */
TEST_CASE("a directory in 3\\ in the file's place stays, and the copy goes on")
{
    PrepareCopy("kvc_plain.dll");
    REQUIRE(DeleteFileA("C:\\kvcopy_file\\drv\\3\\kvc_plain.dll"));
    REQUIRE(CreateDirectoryA("C:\\kvcopy_file\\drv\\3\\kvc_plain.dll", NULL));
    CHECK(CopyNamed("kvc_plain.dll") == 1);
    CheckOnlyFirstReplaced(DriverDir);
    CHECK((GetFileAttributesA("C:\\kvcopy_file\\drv\\3\\kvc_plain.dll") & FILE_ATTRIBUTE_DIRECTORY) != 0);
    RemoveDirectoryA("C:\\kvcopy_file\\drv\\3\\kvc_plain.dll");
}

TEST_CASE("a missing version subdirectory goes unnoticed")
{
    PrepareCopy(NULL);
    RemoveDirectoryA(VersionDir);
    CHECK(CopyNamed("kvc_plain.dll") == 1);
    CHECK(SeenCount == 0);
    CHECK(SameFiles("C:\\kvcopy_file\\drv\\kvc_plain.dll", "C:\\kvcopy_file\\src\\kvc_plain.dll"));
    CHECK(CountEntries(DriverDir) == 1);
    CreateDirectoryA(VersionDir, NULL);
}

/* The seam: the real copy runs (a partial file is written), then fails. */
static LONG SeamCode;
static LONG WINAPI FailingCopy(INT source, INT destination)
{
    CopyLZFile(source, destination);
    return SeamCode;
}

TEST_CASE("every LZERROR code gives its message and its result")
{
    static const struct { LONG code; const char *text; int result; } cases[] = {
        { -1, "Cannot read the source file", 1009 },
        { -2, "Cannot create the destination file.", 1009 },
        { -3, "File has damaged.", 0 },
        { -4, "Insufficient disk space.", 0 },
        { -5, "Memory exhausted.", 0 },
        { -6, "Decompression error.", 0 },
        { -7, "Unknown error accured.", 0 },
        { -8, "File has damaged.", 0 },
        { -9, "Unknown error accured.", 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.code);
        PrepareCopy("kvc_packed.dll");
        SeamCode = c.code;
        Lz.CopyLZFile = FailingCopy;
        CHECK(CopyNamed("kvc_packed.dll") == c.result);
        ResetLzApi();
        CheckOneMessage(c.text);
        CheckEarlierIntact("kvc_packed.dll");
    }
}

TEST_CASE("a failed attempt with no earlier file leaves no file at all")
{
    PrepareCopy(NULL);
    SeamCode = -2;
    Lz.CopyLZFile = FailingCopy;
    CHECK(CopyNamed("kvc_plain.dll") == 1009);
    ResetLzApi();
    CHECK(CountEntries(DriverDir) == 1);
    CHECK(CountEntries(VersionDir) == 0);
    /* The retry then succeeds. */
    CHECK(CopyNamed("kvc_plain.dll") == 1);
    CHECK(SameFiles("C:\\kvcopy_file\\drv\\3\\kvc_plain.dll", "C:\\kvcopy_file\\src\\kvc_plain.dll"));
}

TEST_CASE("driver directories that are no driver directory are refused untouched")
{
    static const char *const directories[] = {
        "", "\\", "C:\\", "C:", "C:\\kvcopy_file\\nowhere\\",
        "C:\\kvcopy_file\\src\\kvc_plain.dll\\",   /* a file, not a directory */
    };
    for (const char *directory : directories) {
        CAPTURE(directory);
        PrepareCopy(NULL);
        lstrcpyA(SetupState.DriverDirectory, directory);
        CHECK(CopyNamed("kvc_plain.dll") == 0);
        CheckOneMessage("File open error.");
        CHECK_FALSE(Exists("C:\\kvc_plain.dll"));
        CHECK_FALSE(Exists("C:\\3\\kvc_plain.dll"));
        CHECK(CountEntries(SourceDir) == 2);
    }
}

TEST_CASE("names too long for the path buffers, or not bare, are refused untouched")
{
    static char longName[1024];
    memset(longName, 'k', 1010);   /* fits FileList, not the destination */
    longName[1010] = '\0';
    static const char *const names[] = { longName, "..\\kvc_escape.dll", "sub\\kvc_plain.dll" };
    for (const char *name : names) {
        PrepareCopy(NULL);
        CHECK(CopyNamed(name) == 0);
        CheckOneMessage("File open error.");
        CHECK(CountEntries(DriverDir) == 1);
        CHECK(CountEntries(VersionDir) == 0);
        CHECK_FALSE(Exists("C:\\kvcopy_file\\kvc_escape.dll"));
    }
    /* An index beyond the list finds no name. */
    PrepareCopy(NULL);
    SetFileList(NULL, 0);
    StartWatch(NULL, NULL);
    CHECK(CopyOneFile(NULL, 0) == 0);
    StopWatch();
}

TEST_CASE("into the spooler's own driver directory")
{
    PrepareCopy(NULL);
    char directory[MAX_PATH];
    REQUIRE(ReadX86DriverDirectory(directory, sizeof directory - 1));
    lstrcatA(directory, "\\");
    lstrcpyA(SetupState.DriverDirectory, directory);
    CHECK(CopyNamed("kvc_packed.dll") == 1);
    char first[MAX_PATH], second[MAX_PATH];
    snprintf(first, sizeof first, "%skvc_packed.dll", directory);
    snprintf(second, sizeof second, "%s3\\kvc_packed.dll", directory);
    CHECK(SameFiles(first, "C:\\kvcopy_file\\src\\kvc_plain.dll"));
    CHECK(SameFiles(second, "C:\\kvcopy_file\\src\\kvc_plain.dll"));
    DeleteFileA(first);
    DeleteFileA(second);
}

/* Directories made by tests/copy/prepared-copy.sh, each holding "old"
   copies of the file in both destinations. */
TEST_SUITE("prepared" * doctest::skip())
{
    TEST_CASE("an immutable directory, a full disk: the message, 0, earlier files kept")
    {
        static const struct { const char *directory, *message; } cases[] = {
            { "C:\\kvcopy_prep\\immutable\\", "File open error." },
            { "C:\\kvcopy_prep\\full\\", "Insufficient disk space." },
        };
        for (const auto &c : cases) {
            CAPTURE(c.directory);
            PrepareCopy(NULL, "C:\\kvcopy_prep\\work\\");
            lstrcpyA(SetupState.DriverDirectory, c.directory);
            CHECK(CopyNamed("kvc_plain.dll") == 0);
            CheckOneMessage(c.message);
            char first[MAX_PATH], second[MAX_PATH], sub[MAX_PATH];
            snprintf(first, sizeof first, "%skvc_plain.dll", c.directory);
            snprintf(second, sizeof second, "%s3\\kvc_plain.dll", c.directory);
            snprintf(sub, sizeof sub, "%s3\\", c.directory);
            CHECK(HoldsText(first, "old"));
            CHECK(HoldsText(second, "old"));
            CHECK(CountEntries(c.directory) == 2);
            CHECK(CountEntries(sub) == 1);
        }
    }

    TEST_CASE("an immutable earlier file in 3\\: it stays, the first destination gets the new file")
    {
        static const char directory[] = "C:\\kvcopy_prep\\locked\\";
        PrepareCopy(NULL, "C:\\kvcopy_prep\\work\\");
        lstrcpyA(SetupState.DriverDirectory, directory);
        CHECK(CopyNamed("kvc_plain.dll") == 1);
        CheckOnlyFirstReplaced(directory, "C:\\kvcopy_prep\\work\\src\\kvc_plain.dll");
        CHECK(HoldsText("C:\\kvcopy_prep\\locked\\3\\kvc_plain.dll", "old"));
    }
}
