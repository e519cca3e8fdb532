/*
 * The copy of the driver files against Wine's LZ library and file system, in
 * a test-owned driver directory: CopyOneFile with ShowCopyError, and the copy
 * dialog driven from this thread (dialog_watch.h answers its question and
 * messages). The LZ seam counts LZStart and LZDone, looks at the bar between
 * two files and produces the error codes Wine will not. What a destination
 * must hold is plain.bin of tests/copy/make-fixtures.sh, of which the
 * compressed source is mscompress's output.
 *
 * Suite "prepared" needs directories only a shell can make (immutable, a
 * full tmpfs): tests/copy/prepared-copy.sh makes them and runs it.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <algorithm>
#include <string>
#include "install/install.h"
#include "install/lz_api.h"
#include "setupinfo/file_list_logic.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "dialog_watch.h"
#include "install_walk.h"
#include "test_support.h"
#include "window_driver.h"

#define ROOT "C:\\kvcopy\\"
static const char SourceDir[] = ROOT "src\\", DriverDir[] = ROOT "drv\\", VersionDir[] = ROOT "drv\\3\\";
static const char Expected[] = ROOT "src\\kvc_plain.dll";  /* plain.bin as it is */
static const char OldFile[] = ROOT "old";                  /* what an earlier file holds */

/* "name size|" for every entry of a directory; with `erase` its files
   (read-only ones too) and empty subdirectories are deleted first. */
static std::string Listing(const char *directory, int erase = 0)
{
    std::string listing;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + std::string("*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return listing;
    do {
        std::string name = found.cFileName, path = directory + name;
        if (name == "." || name == "..")
            continue;
        if (erase)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (erase && (DeleteFileA(path.c_str()) || RemoveDirectoryA(path.c_str())))
            continue;
        listing += name + " " + std::to_string(found.nFileSizeLow) + "|";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return listing;
}

static int Entries(const char *directory)
{
    std::string listing = Listing(directory);
    return (int)std::count(listing.begin(), listing.end(), '|');
}

static void SetFileList(const char *names)
{
    SetupState.FileCount = BuildFileList(names, SetupState.FileList, sizeof SetupState.FileList);
}

/* Fresh directories, the sources kvc_plain.dll and kvc_packed.dll in the
   current directory, the driver directory DriverDir, and earlier files
   "old" of `earlier` at both destinations. */
static void Prepare(const char *earlier = NULL)
{
    Listing(SourceDir, 1);
    Listing(VersionDir, 1);
    Listing(DriverDir, 1);
    for (const char *directory : { ROOT, SourceDir, DriverDir, VersionDir })
        CreateDirectoryA(directory, NULL);
    std::string fixtures = std::string(TestProgramDirectory()) + "kvcopy_fixtures\\";
    REQUIRE(CopyFileA((fixtures + "plain.bin").c_str(), Expected, FALSE));
    REQUIRE(CopyFileA((fixtures + "packed.bin").c_str(), ROOT "src\\kvc_packed.dll", FALSE));
    REQUIRE(WriteTextFile(OldFile, "old"));
    if (earlier) {
        REQUIRE(WriteTextFile((DriverDir + std::string(earlier)).c_str(), "old"));
        REQUIRE(WriteTextFile((VersionDir + std::string(earlier)).c_str(), "old"));
    }
    REQUIRE(SetCurrentDirectoryA(SourceDir));
    lstrcpyA(SetupState.DriverDirectory, DriverDir);
    SetupState.DriverVersion = 3;
    SetupState.NextFileIndex = SetupState.CopyPaused = 0;
    ResetLzApi();
}

static INT_PTR CALLBACK QuietDlgProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

static std::string Shown;   /* the dialog's texts after CopyFirst: "source|destination" */

/* CopyOneFile on the first of `names` in a copy dialog of its own, every
   message answered OK. */
static int CopyFirst(const char *names)
{
    SetFileList(names);
    HWND dialog = CreateDialogParamA(SetupState.Instance, IDD_COPY, NULL, QuietDlgProc, 0);
    REQUIRE(dialog);
    StartWatch(NULL, NULL);
    int result = CopyOneFile(dialog, 0);
    StopWatch();
    char source[1100], destination[1100];
    GetDlgItemTextA(dialog, IDC_COPY_SOURCE, source, sizeof source);
    GetDlgItemTextA(dialog, IDC_COPY_DEST, destination, sizeof destination);
    Shown = std::string(source) + "|" + destination;
    DestroyWindow(dialog);
    return result;
}

/* Exactly one message: the copy error `text` with the hand icon. */
static void CheckOneError(const char *text)
{
    REQUIRE(SeenCount == 1);
    CHECK(std::string(Seen[0].caption) == "Error");
    CHECK(std::string(Seen[0].text) == text);
    CHECK(Seen[0].icon == LoadIconA(NULL, IDI_HAND));
}

enum Earlier { NONE, PLAIN, READ_ONLY_FIRST, READ_ONLY_SECOND, DIRECTORY_SECOND, NO_VERSION_DIRECTORY };

TEST_CASE("a copy puts the expanded file at both destinations over any earlier file")
{
    static const struct { const char *name; Earlier earlier; } cases[] = {
        { "kvc_packed.dll", NONE }, { "kvc_plain.dll", PLAIN }, { "kvc_packed.dll", READ_ONLY_FIRST },
        { "kvc_packed.dll", READ_ONLY_SECOND }, { "kvc_plain.dll", DIRECTORY_SECOND },
        { "kvc_packed.dll", NO_VERSION_DIRECTORY },
    };
    for (const auto &c : cases) {
        std::string name = c.name, first = DriverDir + name, second = VersionDir + name;
        CAPTURE(name);
        CAPTURE((int)c.earlier);
        Prepare(c.earlier == NONE ? NULL : c.name);
        if (c.earlier == READ_ONLY_FIRST || c.earlier == READ_ONLY_SECOND)
            REQUIRE(SetFileAttributesA((c.earlier == READ_ONLY_FIRST ? first : second).c_str(),
                                       FILE_ATTRIBUTE_READONLY));
        if (c.earlier == DIRECTORY_SECOND || c.earlier == NO_VERSION_DIRECTORY)
            REQUIRE(DeleteFileA(second.c_str()));
        if (c.earlier == DIRECTORY_SECOND)
            REQUIRE(CreateDirectoryA(second.c_str(), NULL));
        if (c.earlier == NO_VERSION_DIRECTORY)
            REQUIRE(RemoveDirectoryA(VersionDir));
        CHECK(CopyFirst(c.name) == 1);
        CHECK(SeenCount == 0);
        CHECK(Shown == name + "|" + DriverDir);
        CHECK(SameAsPackageFile(Expected, first.c_str()));
        /* Nothing beside them: no temporary file, no earlier file set aside. */
        CHECK(Entries(DriverDir) == (c.earlier == NO_VERSION_DIRECTORY ? 1 : 2));
        CHECK(Entries(VersionDir) == (c.earlier == NO_VERSION_DIRECTORY ? 0 : 1));
        /* What stands in 3\ and cannot be replaced stays, and the copy goes
           on: Wine moves a file over a read-only one, Windows refuses. */
        if (c.earlier == DIRECTORY_SECOND)
            CHECK((GetFileAttributesA(second.c_str()) & FILE_ATTRIBUTE_DIRECTORY));
        else if (c.earlier == READ_ONLY_SECOND)
            CHECK((SameAsPackageFile(Expected, second.c_str()) || SameAsPackageFile(OldFile, second.c_str())));
        else if (c.earlier != NO_VERSION_DIRECTORY)
            CHECK(SameAsPackageFile(Expected, second.c_str()));
    }
}

TEST_CASE("a copy that cannot start: File open error, 0, and nothing touched")
{
    static char longName[1011];   /* fits FileList, not a destination path */
    memset(longName, 'k', sizeof longName - 1);
    static const struct { const char *names, *directory, *blocker; } cases[] = {
        { "kvc_missing.dll", NULL, NULL },
        { "kvc_plain.dll", NULL, ROOT "drv\\kvc_plain.dll~new" },   /* no temporary file */
        { "kvc_plain.dll", NULL, ROOT "drv\\kvc_plain.dll" },       /* a directory stays */
        { "kvc_plain.dll", "", NULL }, { "kvc_plain.dll", "\\", NULL }, { "kvc_plain.dll", "C:\\", NULL },
        { "kvc_plain.dll", "C:", NULL }, { "kvc_plain.dll", ROOT "nowhere\\", NULL },
        { "kvc_plain.dll", ROOT "src\\kvc_plain.dll\\", NULL },
        { longName, NULL, NULL },
        { "", NULL, NULL },                                           /* no name at index 0 */
    };
    for (const auto &c : cases) {
        std::string row = std::string(c.names).substr(0, 16) + " in " + (c.directory ? c.directory : DriverDir);
        CAPTURE(row);
        Prepare(strlen(c.names) < 64 && c.names[0] ? c.names : NULL);
        if (c.blocker) {
            DeleteFileA(c.blocker);
            REQUIRE(CreateDirectoryA(c.blocker, NULL));
        }
        if (c.directory)
            lstrcpyA(SetupState.DriverDirectory, c.directory);
        std::string before = Listing(SourceDir) + Listing(DriverDir) + Listing(VersionDir);
        CHECK(CopyFirst(c.names) == 0);
        CheckOneError("File open error.");
        CHECK(Listing(SourceDir) + Listing(DriverDir) + Listing(VersionDir) == before);
        CHECK(GetFileAttributesA("C:\\kvc_plain.dll") == INVALID_FILE_ATTRIBUTES);
        CHECK(GetFileAttributesA("C:\\3\\kvc_plain.dll") == INVALID_FILE_ATTRIBUTES);
    }
}

/* The seam: the real copy writes a partial file, then fails with SeamCode. */
static LONG SeamCode;
static LONG WINAPI FailingCopy(INT source, INT destination)
{
    CopyLZFile(source, destination);
    return SeamCode;
}

TEST_CASE("every LZ error gives its message and its result, and leaves the destinations as they were")
{
    static const struct { LONG code; const char *text; int result; } cases[] = {
        { -1, "Cannot read the source file", 1009 }, { -2, "Cannot create the destination file.", 1009 },
        { -3, "File has damaged.", 0 }, { -4, "Insufficient disk space.", 0 },
        { -5, "Memory exhausted.", 0 }, { -6, "Decompression error.", 0 },
        { -7, "Unknown error accured.", 0 }, { -8, "File has damaged.", 0 },
        { -9, "Unknown error accured.", 0 }, { -100, "Unknown error accured.", 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.code);
        Prepare(c.code % 2 ? "kvc_packed.dll" : NULL);   /* every other one with earlier files */
        std::string before = Listing(DriverDir) + Listing(VersionDir);
        SeamCode = c.code;
        Lz.CopyLZFile = FailingCopy;
        CHECK(CopyFirst("kvc_packed.dll") == c.result);
        CheckOneError(c.text);
        CHECK(Listing(DriverDir) + Listing(VersionDir) == before);
    }
}

/* Directories that tests/copy/prepared-copy.sh makes, each with earlier
   files "old" at both destinations. */
TEST_SUITE("prepared" * doctest::skip())
{
    TEST_CASE("an immutable directory or a full disk stops the copy; an immutable file in 3\\ does not")
    {
        static const struct { const char *directory, *message; int result; } cases[] = {
            { "C:\\kvcopy_prep\\immutable\\", "File open error.", 0 },
            { "C:\\kvcopy_prep\\full\\", "Insufficient disk space.", 0 },
            { "C:\\kvcopy_prep\\locked\\", NULL, 1 },
        };
        for (const auto &c : cases) {
            std::string directory = c.directory;
            CAPTURE(directory);
            Prepare();
            lstrcpyA(SetupState.DriverDirectory, c.directory);
            CHECK(CopyFirst("kvc_plain.dll") == c.result);
            if (c.message)
                CheckOneError(c.message);
            else
                CHECK(SeenCount == 0);
            CHECK(SameAsPackageFile(c.result ? Expected : OldFile, (directory + "kvc_plain.dll").c_str()));
            CHECK(SameAsPackageFile(OldFile, (directory + "3\\kvc_plain.dll").c_str()));
            CHECK(Entries(c.directory) == 2);
            CHECK(Entries((directory + "3\\").c_str()) == 1);
        }
    }
}

/* The copy dialog over files q000, q001, ...: when Cancel is clicked (while
   file cancelAt is copied, or at the moments below), what the question gets,
   which file fails how often, and what must come of it. */
enum { NEVER = -2, BEFORE_RUN = -1, AFTER_LAST = 1000 };
struct Scenario {
    int count, cancelAt;
    INT_PTR answer;
    int failIndex;
    LONG failCode;
    int failTimes;
    INT_PTR result;
    int questions, errors, attempts, installed;
};
static Scenario Plan;

/* What the seam and the watch saw. */
static struct {
    int clicked, attempts, failures, copies[200], starts, dones, barFaults, fullAfterLast;
    int indexAtQuestion, startsAtQuestion, barRepainted;
    DWORD questionShown, lastCopy;
} Saw;
static int TextLeft, TextRight;   /* text pixels each side of the boundary at 50 % */

static HWND CopyDialog(void)
{
    return WaitForWindow(GetCurrentProcessId(), "#32770", "Copying Files...", 0);
}

/* 1 when the bar shows `done` of the files: along its top row, which the
   text never reaches, navy left of the boundary and white from it on; below,
   white or blended text on navy and black or grey text on white. */
static int BarShows(int done)
{
    HWND bar = GetDlgItem(CopyDialog(), IDC_COPY_BAR);
    RECT r;
    if (!bar || !GetClientRect(bar, &r))
        return 0;
    int percent = MulDiv(100, done, Plan.count);
    int x = percent == 100 ? r.right : r.left + percent * (r.right - r.left) / 100;
    HDC dc = GetDC(bar);
    int ok = 1;
    for (int y = r.top; y < (percent == 50 ? r.bottom : r.top + 1); ++y)
        for (int px = r.left; px < r.right; ++px) {
            COLORREF c = GetPixel(dc, px, y);
            int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
            if (px < x) {
                ok &= y == r.top ? c == RGB(0, 0, 128) : red == green && blue >= 128;
                TextLeft += y > r.top && c != RGB(0, 0, 128);
            } else {
                ok &= y == r.top ? c == RGB(255, 255, 255) : red == green && green == blue;
                TextRight += y > r.top && c != RGB(255, 255, 255);
            }
        }
    ReleaseDC(bar, dc);
    return ok;
}

static LONG WINAPI WatchedCopy(INT source, INT destination)
{
    int index = SetupState.NextFileIndex;
    ++Saw.attempts;
    if (index > 0 && !BarShows(index))
        ++Saw.barFaults;
    if (index == Plan.cancelAt && !Saw.clicked)
        Saw.clicked = ClickButton(CopyDialog(), IDCANCEL);   /* seen by the pump after this file */
    if (index == Plan.failIndex && Saw.failures < Plan.failTimes) {
        ++Saw.failures;
        return Plan.failCode;
    }
    LONG result = CopyLZFile(source, destination);
    if (result >= 0)
        ++Saw.copies[index];
    Saw.lastCopy = GetTickCount();
    return result;
}

static INT WINAPI CountedStart(void)
{
    ++Saw.starts;
    return LZStart();
}

static void WINAPI CountedDone(void)
{
    ++Saw.dones;
    LZDone();
}

static void ScenarioTick(void)
{
    HWND dialog = CopyDialog();
    int allDone = SetupState.NextFileIndex == Plan.count;
    if (!dialog)
        return;
    if (allDone && Plan.count && !SetupState.CopyPaused && !Saw.fullAfterLast)
        Saw.fullAfterLast = BarShows(Plan.count);
    if (!Saw.clicked && (Plan.cancelAt == BEFORE_RUN || (Plan.cancelAt == AFTER_LAST && allDone)))
        Saw.clicked = ClickButton(dialog, IDCANCEL);
}

/* The question stays 300 ms (the first run's timer fires meanwhile). At its
   first sight the bar is blacked out: the copy dialog's WM_ENTERIDLE repaint
   must bring it back. */
static INT_PTR ScenarioAnswer(const SeenMessage *message)
{
    if (strcmp(message->caption, "Question") != 0)
        return IDOK;
    int done = SetupState.NextFileIndex;
    HWND bar = GetDlgItem(CopyDialog(), IDC_COPY_BAR);
    if (!Saw.questionShown) {
        Saw.questionShown = GetTickCount();
        Saw.indexAtQuestion = done;
        RECT r;
        GetClientRect(bar, &r);
        HDC dc = GetDC(bar);
        FillRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
        ReleaseDC(bar, dc);
        return 0;
    }
    if (done && !Saw.barRepainted)
        Saw.barRepainted = BarShows(done);
    if (GetTickCount() - Saw.questionShown < 300)
        return 0;
    Saw.startsAtQuestion = Saw.starts;
    return Plan.answer;
}

/* 1 when file q<index> is at both destinations. */
static int Installed(int index)
{
    char name[8];
    snprintf(name, sizeof name, "q%03d", index);
    std::string source = SourceDir + std::string(name);
    return SameAsPackageFile(source.c_str(), (DriverDir + std::string(name)).c_str())
        && SameAsPackageFile(source.c_str(), (VersionDir + std::string(name)).c_str());
}

TEST_CASE("the copy dialog copies each file once, shows it on the bar, and answers Cancel")
{
    static const Scenario plans[] = {
        /* count cancelAt answer  fail: index code times  result questions errors attempts installed */
        { 0, NEVER, 0, -1, 0, 0, 1, 0, 0, 0, 0 },
        { 1, NEVER, 0, -1, 0, 0, 1, 0, 0, 1, 1 },
        { 3, NEVER, 0, -1, 0, 0, 1, 0, 0, 3, 3 },
        { 200, NEVER, 0, -1, 0, 0, 1, 0, 0, 200, 200 },
        { 4, 1, IDNO, -1, 0, 0, 1, 1, 0, 4, 4 },          /* the file under way is finished, then the rest */
        { 4, 1, IDYES, -1, 0, 0, 2, 1, 0, 2, 2 },         /* ... and no further file */
        { 3, BEFORE_RUN, IDNO, -1, 0, 0, 1, 1, 0, 3, 3 }, /* the timer's run during the question copies nothing */
        { 3, BEFORE_RUN, IDYES, -1, 0, 0, 2, 1, 0, 0, 0 },
        { 2, AFTER_LAST, IDYES, -1, 0, 0, 2, 1, 0, 2, 2 },/* during the one-second wait */
        { 3, NEVER, 0, 1, -1, 2, 1, 0, 2, 5, 3 },         /* retryable: the same file until it succeeds */
        { 3, NEVER, 0, 1, -3, 1, 2, 0, 1, 2, 1 },         /* fatal: no question, the files before it stay */
        { 3, 0, IDNO, 1, -5, 100, 2, 1, 1, 2, 1 },        /* fatal in the run resumed by No */
    };
    TextLeft = TextRight = 0;
    for (const Scenario &plan : plans) {
        CAPTURE((int)(&plan - plans));
        Prepare();
        std::string names;
        for (int i = 0; i < plan.count; ++i) {
            char name[8];
            snprintf(name, sizeof name, "q%03d", i);
            REQUIRE(WriteTextFile((SourceDir + std::string(name)).c_str(), ("file " + std::to_string(i)).c_str()));
            names += std::string(name) + ",";
        }
        SetFileList(names.c_str());
        REQUIRE(SetupState.FileCount == plan.count);
        Plan = plan;
        memset(&Saw, 0, sizeof Saw);
        Lz.CopyLZFile = WatchedCopy;
        Lz.LZStart = CountedStart;
        Lz.LZDone = CountedDone;
        DWORD start = GetTickCount();
        StartWatch(ScenarioAnswer, ScenarioTick);
        CHECK(ShowCopyDialog(NULL) == plan.result);
        StopWatch();
        DWORD end = GetTickCount();
        ResetLzApi();

        int questions = 0, wrongFiles = 0;
        for (int i = 0; i < SeenCount; ++i)
            questions += strcmp(Seen[i].caption, "Question") == 0;
        CHECK(questions == plan.questions);
        CHECK(SeenCount - questions == plan.errors);
        CHECK(Saw.attempts == plan.attempts);
        CHECK(Saw.starts > 0);
        CHECK(Saw.dones == Saw.starts);   /* every run closes the LZ bracket it opened */
        CHECK(Saw.barFaults == 0);
        if (plan.questions) {
            CHECK(Saw.indexAtQuestion == std::min(plan.cancelAt + 1, plan.count));
            CHECK(Saw.startsAtQuestion == 1);
            CHECK((Saw.barRepainted || !Saw.indexAtQuestion));
        }
        if (plan.count && plan.installed == plan.count)
            CHECK(Saw.fullAfterLast);     /* 100 % once the last file is in */
        if (plan.result == 1) {           /* the full bar stays for one second */
            DWORD after = end - (plan.count ? Saw.lastCopy : start);
            CHECK(after >= 950);
            CHECK(after < 5000);
        }
        for (int i = 0; i < plan.count; ++i)
            wrongFiles += Saw.copies[i] != (i < plan.installed) || Installed(i) != (i < plan.installed);
        CHECK(wrongFiles == 0);
    }
    /* At 50 % the boundary cuts the text: some of it on either side. */
    CHECK(TextLeft > 0);
    CHECK(TextRight > 0);
}
