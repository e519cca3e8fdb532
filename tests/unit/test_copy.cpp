/*
 * The copy of the driver files against Wine's LZ library and file system, in
 * a test-owned driver directory: CopyOneFile and its messages, and the copy
 * dialog driven from this thread (dialog_watch.h answers its question and
 * messages). The LZ seam counts LZStart and LZDone, looks at the bar between
 * two files and produces the error codes Wine will not. A destination must
 * hold plain.bin of tests/copy/make-fixtures.sh, compressed or not at the
 * source.
 */
#include <doctest/doctest.h>
#include <algorithm>
#include <string>
#include "install/install.h"
#include "install/lz_api.h"
#include "setupinfo/file_list_logic.h"
#include "shell/setup_state.h"
#include "dialog_watch.h"
#include "install_walk.h"
#include "test_support.h"
#include "window_driver.h"

#define ROOT "C:\\kvcopy\\"
static const char SourceDir[] = ROOT "src\\", DriverDir[] = ROOT "drv\\", VersionDir[] = ROOT "drv\\3\\";
static const char Expected[] = ROOT "src\\kvc_plain.dll", OldFile[] = ROOT "old";

/* "name size|" for every entry of a directory; with `erase` its files
   (read-only ones too) and empty subdirectories are deleted first. */
static std::string Listing(const char *directory, int erase = 0)
{
    std::string listing;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + std::string("*")).c_str(), &found);
    while (search != INVALID_HANDLE_VALUE) {
        std::string name = found.cFileName, path = directory + name;
        if (erase)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (name != "." && name != ".." && !(erase && (DeleteFileA(path.c_str()) || RemoveDirectoryA(path.c_str()))))
            listing += name + " " + std::to_string(found.nFileSizeLow) + "|";
        if (!FindNextFileA(search, &found))
            break;
    }
    FindClose(search);
    return listing;
}

static void SetFileList(const char *names)
{
    SetupState.FileCount = BuildFileList(names, SetupState.FileList, sizeof SetupState.FileList);
}

/* Fresh directories, the sources kvc_plain.dll and kvc_packed.dll in the
   current directory, the copy into DriverDir, and earlier files "old" of
   `earlier` at both destinations. */
static void Prepare(const char *earlier = NULL)
{
    for (const char *directory : { SourceDir, VersionDir, DriverDir })
        Listing(directory, 1);
    for (const char *directory : { ROOT, SourceDir, DriverDir, VersionDir })
        CreateDirectoryA(directory, NULL);
    std::string fixtures = std::string(TestProgramDirectory()) + "kvcopy_fixtures\\";
    REQUIRE(CopyFileA((fixtures + "plain.bin").c_str(), Expected, FALSE));
    REQUIRE(CopyFileA((fixtures + "packed.bin").c_str(), ROOT "src\\kvc_packed.dll", FALSE));
    REQUIRE(WriteTextFile(OldFile, "old"));
    for (const char *directory : { DriverDir, VersionDir })
        REQUIRE((!earlier || WriteTextFile((directory + std::string(earlier)).c_str(), "old")));
    REQUIRE(SetCurrentDirectoryA(SourceDir));
    lstrcpyA(SetupState.DriverDirectory, DriverDir);
    SetupState.DriverVersion = 3;
    SetupState.NextFileIndex = SetupState.CopyPaused = 0;
    ResetLzApi();
}

static INT_PTR CALLBACK QuietDlgProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
static std::string Shown;   /* the dialog's two texts after CopyFirst: "source|destination" */

/* CopyOneFile on the first of `names` in a copy dialog of its own, every
   message answered OK. */
static int CopyFirst(const char *names)
{
    SetFileList(names);
    HWND dialog = CreateDialogParamA(SetupState.Instance, IDD_COPY, NULL, QuietDlgProc, 0);
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
    CHECK(std::string(Seen[0].text) == std::string(text));
    CHECK(Seen[0].icon == LoadIconA(NULL, IDI_HAND));
}

/* Directories that tests/copy/prepared-copy.sh makes under C:\kvcopy_prep,
   each with earlier files "old" at both destinations: an immutable one, a
   full disk, an immutable file in 3\. Their rows are left out elsewhere. */
#define PREPARED "C:\\kvcopy_prep\\"
static int Unprepared(const char *directory)
{
    return directory && !strncmp(directory, PREPARED, 15) && GetFileAttributesA(PREPARED) == INVALID_FILE_ATTRIBUTES;
}

enum Earlier { NONE, PLAIN, READ_ONLY_FIRST, READ_ONLY_SECOND, LOCKED_SECOND, DIRECTORY_SECOND, NO_VERSION_DIRECTORY };

TEST_CASE("a copy puts the expanded file at both destinations over any earlier file")
{
    static const struct { const char *name; Earlier earlier; const char *directory; } cases[] = {
        { "kvc_packed.dll", NONE, DriverDir }, { "kvc_plain.dll", PLAIN, DriverDir },
        { "kvc_packed.dll", READ_ONLY_FIRST, DriverDir }, { "kvc_packed.dll", READ_ONLY_SECOND, DriverDir },
        { "kvc_plain.dll", LOCKED_SECOND, PREPARED "locked\\" }, { "kvc_plain.dll", DIRECTORY_SECOND, DriverDir },
        { "kvc_packed.dll", NO_VERSION_DIRECTORY, DriverDir },
    };
    for (const auto &c : cases) {
        std::string name = c.name, directory = c.directory, first = directory + name, second = directory + "3\\" + name;
        CAPTURE(name);
        CAPTURE((int)c.earlier);
        if (Unprepared(c.directory))
            continue;
        Prepare(c.earlier == NONE ? NULL : c.name);
        lstrcpyA(SetupState.DriverDirectory, c.directory);
        if (c.earlier == READ_ONLY_FIRST || c.earlier == READ_ONLY_SECOND)
            REQUIRE(SetFileAttributesA((c.earlier == READ_ONLY_FIRST ? first : second).c_str(), FILE_ATTRIBUTE_READONLY));
        if (c.earlier >= DIRECTORY_SECOND)
            REQUIRE(DeleteFileA(second.c_str()));
        REQUIRE((c.earlier != DIRECTORY_SECOND || CreateDirectoryA(second.c_str(), NULL)));
        REQUIRE((c.earlier != NO_VERSION_DIRECTORY || RemoveDirectoryA(VersionDir)));
        CHECK(CopyFirst(c.name) == 1);
        CHECK(SeenCount == 0);
        CHECK(Shown == name + "|" + directory);
        CHECK(SameAsPackageFile(Expected, first.c_str()));
        /* Nothing beside them: no temporary file, no earlier file set aside. */
        CHECK((Listing(c.directory) + Listing((directory + "3\\").c_str())).find('~') == std::string::npos);
        /* What stands in 3\ and cannot be replaced stays, and the copy goes
           on: Wine moves a file over a read-only one, Windows refuses. */
        if (c.earlier == DIRECTORY_SECOND)
            CHECK((GetFileAttributesA(second.c_str()) & FILE_ATTRIBUTE_DIRECTORY));
        else if (c.earlier != NO_VERSION_DIRECTORY)
            CHECK((SameAsPackageFile(Expected, second.c_str())
                   || ((c.earlier == READ_ONLY_SECOND || c.earlier == LOCKED_SECOND) && SameAsPackageFile(OldFile, second.c_str()))));
    }
}

/* The seam: the real copy writes a partial file, then fails with SeamCode. */
static LONG SeamCode;
static LONG WINAPI FailingCopy(INT source, INT destination)
{
    CopyLZFile(source, destination);
    return SeamCode;
}

TEST_CASE("a failed copy shows its message, gives its result, and leaves every file as it was")
{
    static char longName[1011];   /* fits FileList, not a destination path */
    memset(longName, 'k', sizeof longName - 1);
    static const char Open[] = "File open error.", Unknown[] = "Unknown error accured.";
    static const struct { const char *names, *directory, *blocker; LONG code; const char *text; int result; } cases[] = {
        { "kvc_missing.dll", NULL, NULL, 0, Open, 0 },
        { "kvc_plain.dll", NULL, ROOT "drv\\kvc_plain.dll~new", 0, Open, 0 },
        { "kvc_plain.dll", NULL, ROOT "drv\\kvc_plain.dll", 0, Open, 0 },   /* a directory stays */
        { "kvc_plain.dll", "C:\\", NULL, 0, Open, 0 }, { "kvc_plain.dll", ROOT "nowhere\\", NULL, 0, Open, 0 },
        { "kvc_plain.dll", ROOT "src\\kvc_plain.dll\\", NULL, 0, Open, 0 },   /* a file, not a directory */
        { "kvc_plain.dll", PREPARED "immutable\\", NULL, 0, Open, 0 },
        { "kvc_plain.dll", PREPARED "full\\", NULL, 0, "Insufficient disk space.", 0 },
        { longName, NULL, NULL, 0, Open, 0 }, { "", NULL, NULL, 0, Open, 0 },
        { "kvc_packed.dll", NULL, NULL, -1, "Cannot read the source file", 1009 },
        { "kvc_plain.dll", NULL, NULL, -2, "Cannot create the destination file.", 1009 },
        { "kvc_packed.dll", NULL, NULL, -3, "File has damaged.", 0 },
        { "kvc_plain.dll", NULL, NULL, -4, "Insufficient disk space.", 0 },
        { "kvc_packed.dll", NULL, NULL, -5, "Memory exhausted.", 0 },
        { "kvc_plain.dll", NULL, NULL, -6, "Decompression error.", 0 },
        { "kvc_packed.dll", NULL, NULL, -7, Unknown, 0 }, { "kvc_plain.dll", NULL, NULL, -8, "File has damaged.", 0 },
        { "kvc_packed.dll", NULL, NULL, -9, Unknown, 0 }, { "kvc_plain.dll", NULL, NULL, -100, Unknown, 0 },
    };
    for (const auto &c : cases) {
        std::string row = std::string(c.names).substr(0, 16) + " in " + (c.directory ? c.directory : DriverDir);
        CAPTURE(row);
        CAPTURE(c.code);
        if (Unprepared(c.directory))
            continue;
        /* Earlier files at both destinations, but for every other LZ error. */
        Prepare(strlen(c.names) < 64 && c.names[0] && c.code % 2 == 0 ? c.names : NULL);
        if (c.blocker) {
            DeleteFileA(c.blocker);
            REQUIRE(CreateDirectoryA(c.blocker, NULL));
        }
        if (c.directory)
            lstrcpyA(SetupState.DriverDirectory, c.directory);
        SeamCode = c.code;
        if (c.code)
            Lz.CopyLZFile = FailingCopy;
        std::string directory = c.directory && !strncmp(c.directory, PREPARED, 15) ? c.directory : DriverDir;
        std::string before = Listing(SourceDir) + Listing(directory.c_str()) + Listing((directory + "3\\").c_str());
        CHECK(CopyFirst(c.names) == c.result);
        CheckOneError(c.text);
        CHECK(Listing(SourceDir) + Listing(directory.c_str()) + Listing((directory + "3\\").c_str()) == before);
        CHECK(GetFileAttributesA("C:\\kvc_plain.dll") == INVALID_FILE_ATTRIBUTES);
        CHECK(GetFileAttributesA("C:\\3\\kvc_plain.dll") == INVALID_FILE_ATTRIBUTES);
    }
}

/* The copy dialog over files q000, q001, ...: when Cancel is clicked (while
   file cancelAt is copied, or at the moments below), what the question gets,
   which file fails how often, and what must come of it. */
enum { NEVER = -2, BEFORE_RUN = -1, AFTER_LAST = 1000 };
static struct Scenario {
    int count, cancelAt;
    INT_PTR answer;
    int failIndex, failCode, failTimes, result, questions, errors, attempts, installed;
} Plan;

/* What the seam and the watch saw. */
static struct {
    int clicked, attempts, failures, starts, dones, barFaults, fullAfterLast;
    int indexAtQuestion, barRepainted;
    DWORD questionShown, lastCopy;
} Saw;
static int TextLeft, TextRight;   /* text pixels either side of the boundary at 50 % */

static HWND CopyBar(void)
{
    return GetDlgItem(WaitForWindow(GetCurrentProcessId(), "#32770", "Copying Files...", 0), IDC_COPY_BAR);
}

/* 1 when the bar shows `done` of the files: along its top row, which the
   text never reaches, navy left of the boundary and white from it on; below,
   white or blended text on navy and black or grey text on white. */
static int BarShows(int done)
{
    HWND bar = CopyBar();
    RECT r;
    if (!GetClientRect(bar, &r))
        return 0;
    int percent = MulDiv(100, done, Plan.count), ok = 1;
    int x = percent == 100 ? r.right : r.left + percent * (r.right - r.left) / 100;
    HDC dc = GetDC(bar);
    for (int y = r.top; y < (percent == 50 ? r.bottom : r.top + 1); ++y)
        for (int px = r.left; px < r.right; ++px) {
            COLORREF c = GetPixel(dc, px, y), fill = px < x ? RGB(0, 0, 128) : RGB(255, 255, 255);
            int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
            ok &= y == r.top ? c == fill : red == green && (px < x ? blue >= 128 : green == blue);
            (px < x ? TextLeft : TextRight) += y > r.top && c != fill;
        }
    ReleaseDC(bar, dc);
    return ok;
}

static LONG WINAPI WatchedCopy(INT source, INT destination)
{
    int index = SetupState.NextFileIndex;
    ++Saw.attempts;
    Saw.barFaults += index > 0 && !BarShows(index);
    if (index == Plan.cancelAt && !Saw.clicked)   /* seen by the pump after this file */
        Saw.clicked = ClickButton(GetParent(CopyBar()), IDCANCEL);
    if (index == Plan.failIndex && Saw.failures++ < Plan.failTimes)
        return Plan.failCode;
    Saw.lastCopy = GetTickCount();
    return CopyLZFile(source, destination);
}

static INT WINAPI CountedStart(void) { ++Saw.starts; return LZStart(); }
static void WINAPI CountedDone(void) { ++Saw.dones; LZDone(); }

static void ScenarioTick(void)
{
    int allDone = SetupState.NextFileIndex == Plan.count;
    if (!CopyBar())
        return;
    if (allDone && Plan.count && !SetupState.CopyPaused && !Saw.fullAfterLast)
        Saw.fullAfterLast = BarShows(Plan.count);
    if (!Saw.clicked && (Plan.cancelAt == BEFORE_RUN || (Plan.cancelAt == AFTER_LAST && allDone)))
        Saw.clicked = ClickButton(GetParent(CopyBar()), IDCANCEL);
}

/* The question stays 300 ms (the first run's timer fires meanwhile). When
   it shows, the bar is painted over as a window covering it would leave it:
   the copy dialog's WM_ENTERIDLE repaint must bring it back. */
static INT_PTR ScenarioAnswer(const SeenMessage *message)
{
    int done = SetupState.NextFileIndex;
    if (strcmp(message->caption, "Question") != 0)
        return IDOK;
    if (!Saw.questionShown) {
        Saw.questionShown = GetTickCount();
        Saw.indexAtQuestion = done;
        InvalidateRect(CopyBar(), NULL, TRUE);
        UpdateWindow(CopyBar());
        return 0;
    }
    if (done && !Saw.barRepainted)
        Saw.barRepainted = BarShows(done);
    if (GetTickCount() - Saw.questionShown < 300)
        return 0;
    return Plan.answer;
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
            std::string name = "q" + std::to_string(1000 + i).substr(1);
            REQUIRE(WriteTextFile((SourceDir + name).c_str(), ("file " + name).c_str()));
            names += name + ",";
        }
        SetFileList(names.c_str());
        Plan = plan;
        Saw = {};
        Lz.CopyLZFile = WatchedCopy;
        Lz.LZStart = CountedStart;
        Lz.LZDone = CountedDone;
        DWORD start = GetTickCount();
        StartWatch(ScenarioAnswer, ScenarioTick);
        CHECK(ShowCopyDialog(NULL) == plan.result);
        StopWatch();
        DWORD after = GetTickCount() - (plan.count ? Saw.lastCopy : start);
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
            CHECK((Saw.barRepainted || !Saw.indexAtQuestion));
        }
        if (plan.count && plan.installed == plan.count)
            CHECK(Saw.fullAfterLast);     /* 100 % once the last file is in */
        if (plan.result == 1) {           /* the full bar stays for one second */
            CHECK(after >= 950);
            CHECK(after < 5000);
        }
        for (int i = 0; i < plan.count; ++i) {
            std::string name = "q" + std::to_string(1000 + i).substr(1), source = SourceDir + name;
            wrongFiles += (i < plan.installed) != (SameAsPackageFile(source.c_str(), (DriverDir + name).c_str())
                                                   && SameAsPackageFile(source.c_str(), (VersionDir + name).c_str()));
        }
        CHECK(wrongFiles == 0);
    }
    /* At 50 % the boundary cuts the text: some of it on either side. */
    CHECK(TextLeft > 0);
    CHECK(TextRight > 0);
}
