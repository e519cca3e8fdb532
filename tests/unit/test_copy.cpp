/* The copy of the driver files under Wine, into a test-owned driver directory:
   CopyOneFile, and the copy dialog driven from this thread (dialog_watch.h
   answers its messages). The LZ seam counts LZStart and LZDone, looks at the
   bar between two files, sees every close of a source and gives the error
   codes Wine will not. A destination must hold plain.bin of
   tests/copy/make-fixtures.sh, whatever the source, and its last-write time. */
#include <doctest/doctest.h>
#include <algorithm>
#include <string>
#include "install/install.h"
#include "install/lz_api.h"
#include "setupinfo/file_list_logic.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "dialog_watch.h"
#include "file_write.h"
#include "install_walk.h"
#include "test_support.h"
#include "window_driver.h"

#define ROOT "C:\\kvcopy\\"
static const char SourceDir[] = ROOT "src\\", DriverDir[] = ROOT "drv\\", VersionDir[] = ROOT "drv\\3\\";
static const char Expected[] = ROOT "src\\kvc_plain.dll", OldFile[] = ROOT "old";

/* "name size|" for every entry of a directory; with `erase` its files
   (read-only ones too) and empty subdirectories are deleted first. */
static std::string Listing(const std::string &directory, int erase = 0)
{
    std::string listing;
    ForEachFound(directory + "*", [&](const std::string &path, const WIN32_FIND_DATAA &found) {
        if (erase)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!(erase && (DeleteFileA(path.c_str()) || RemoveDirectoryA(path.c_str()))))
            listing += found.cFileName + (" " + std::to_string(found.nFileSizeLow)) + "|";
    });
    return listing;
}

static LONG (WINAPI *RealCopy)(INT source, INT destination);

/* Fresh directories, the sources kvc_<fixture>.dll current,
   FileList `names`, the copy into `directory`, and in DriverDir and its 3\
   an earlier file "old" named `earlier`. */
static void Prepare(const char *names, const char *earlier = NULL, const char *directory = DriverDir)
{
    for (const char *emptied : { SourceDir, VersionDir, DriverDir })
        Listing(emptied, 1);
    for (const char *made : { ROOT, SourceDir, DriverDir, VersionDir })
        CreateDirectoryA(made, NULL);
    std::string fixtures = std::string(TestProgramDirectory()) + "kvcopy_fixtures\\";
    for (std::string fixture : { "plain", "packed", "short", "cut" })
        REQUIRE(CopyFileA((fixtures + fixture + ".bin").c_str(), (SourceDir + ("kvc_" + fixture) + ".dll").c_str(), FALSE));
    REQUIRE(WriteTextFile(OldFile, "old"));
    for (const char *destination : { DriverDir, VersionDir })
        REQUIRE((!earlier || WriteTextFile((destination + std::string(earlier)).c_str(), "old")));
    REQUIRE(SetCurrentDirectoryA(SourceDir));
    SetupState.FileCount = BuildFileList(names, SetupState.FileList, sizeof SetupState.FileList);
    lstrcpyA(SetupState.DriverDirectory, directory);
    SetupState.DriverVersion = 3;
    SetupState.NextFileIndex = SetupState.CopyPaused = 0;
    ResetLzApi();
    RealCopy = Lz.CopyLZFile;
}

/* The copy dialog over `count` files q000, q001, ...: Files(count) copies
   each once and ends with 1. Cancel(at, answer): Cancel clicked while file
   `at` is copied (or at a moment below) and the question answered. Fail:
   the seam fails a file `times` times with `code`. Result, Errors (error
   messages), Tried (copies) and Installed: what must come of it instead. */
enum { NEVER = -2, BEFORE_RUN = -1, AFTER_LAST = 1000 };
static struct Scenario {
    int count = 0, cancelAt = NEVER;
    INT_PTR answer = 0;
    int failIndex = -1, failCode = 0, failTimes = 0, result = 1, questions = 0, errors = 0, attempts = 0, installed = 0;
    Scenario Cancel(int at, INT_PTR with) const { Scenario s = *this; s.cancelAt = at; s.answer = with; s.questions = 1; return s; }
    Scenario Fail(int file, int code, int times) const
    { Scenario s = *this; s.failIndex = file; s.failCode = code; s.failTimes = times; return s; }
    Scenario Result(int value) const { Scenario s = *this; s.result = value; return s; }
    Scenario Errors(int value) const { Scenario s = *this; s.errors = value; return s; }
    Scenario Tried(int value) const { Scenario s = *this; s.attempts = value; return s; }
    Scenario Installed(int value) const { Scenario s = *this; s.installed = value; return s; }
} Plan;

static Scenario Files(int count)
{
    Scenario s;
    s.count = s.attempts = s.installed = count;
    return s;
}

static struct {   /* what the seam and the watch saw */
    int clicked, attempts, failures, starts, dones, barFaults, fullAfterLast, indexAtQuestion, barRepainted,
        closedTwice;
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

/* The seam's copy: the real one, whose partial file a failure leaves. */
static LONG WINAPI WatchedCopy(INT source, INT destination)
{
    int index = SetupState.NextFileIndex;
    ++Saw.attempts;
    Saw.barFaults += index > 0 && !BarShows(index);
    if (index == Plan.cancelAt && !Saw.clicked)   /* seen by the pump after this file */
        Saw.clicked = ClickButton(GetParent(CopyBar()), IDCANCEL);
    Saw.lastCopy = GetTickCount();
    LONG copied = RealCopy(source, destination);
    return index == Plan.failIndex && Saw.failures++ < Plan.failTimes ? Plan.failCode : copied;
}

static INT WINAPI CountedStart(void) { ++Saw.starts; return LZStart(); }
/* A handle already closed (an LZ handle freed, or a file closed with it)
   answers LZSeek with an error. */
static void WINAPI CheckedClose(INT handle) { Saw.closedTwice += LZSeek(handle, 0, 1) < 0; LZClose(handle); }
static void WINAPI CountedDone(void) { ++Saw.dones; LZDone(); }

/* The set-aside name's probe on a file whose deletion is pending (a virus
   scanner held it when it was deleted): "access denied" for NAME~old. */
static DWORD WINAPI DeletePendingOld(LPCSTR path)
{
    size_t length = strlen(path);
    if (length < 4 || strcmp(path + length - 4, "~old") != 0)
        return GetFileAttributesA(path);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_FILE_ATTRIBUTES;
}

/* 1 unless a handle still holds the file open (Wine keeps share modes). */
static int NotHeldOpen(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    int held = file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return !held;
}

/* The low half of the last-write time, in 100 ns: enough to tell two apart. */
static DWORD LastWrite(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime.dwLowDateTime;
}

/* The files the system is to delete or rename at the next restart, as the
   registry lists them; the list is emptied. */
static std::string TakePendingRenames(void)
{
    static char value[16384];
    DWORD size = sizeof value;
    HKEY key = NULL;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_ALL_ACCESS, &key);
    if (RegQueryValueExA(key, "PendingFileRenameOperations", NULL, NULL, (BYTE *)value, &size) != ERROR_SUCCESS)
        size = 0;
    RegDeleteValueA(key, "PendingFileRenameOperations");
    RegCloseKey(key);
    return std::string(value, size);
}

/* Replaces a file by a directory of its name. */
static int DirectoryInPlace(const std::string &path)
{
    DeleteFileA(path.c_str());
    return CreateDirectoryA(path.c_str(), NULL);
}

/* The earlier files a copy meets. tests/copy/prepared-copy.sh makes C:\kvcopy_prep: an
   immutable directory, a full disk, an immutable file in 3\; without it their rows are left out. */
#define PREPARED "C:\\kvcopy_prep\\"
enum Layout { NONE, PLAIN, READ_ONLY_FIRST, READ_ONLY_SECOND, LOCKED_SECOND, IN_USE_FIRST, DEEP_SOURCE,
               DIRECTORY_FIRST, NEW_BLOCKED, OLD_NAME_TAKEN, OLD_NAME_BUSY, DIRECTORY_SECOND, NO_VERSION_DIRECTORY };

TEST_CASE("a copy puts the expanded file at both destinations, or tells why not and leaves every file as it was")
{
    static char longName[1011];   /* fits FileList, not a destination path */
    memset(longName, 'k', sizeof longName - 1);
    static const char Plain[] = "kvc_plain.dll", Packed[] = "kvc_packed.dll", Short[] = "kvc_short.dll",
                      Cut[] = "kvc_cut.dll", Open[] = "File open error.",
                      Damaged[] = "File has damaged.", Unknown[] = "Unknown error accured.";
    static const struct { const char *name; Layout layout; const char *directory; int code, result; const char *text; }
        cases[] = {
        { Packed, NONE, DriverDir, 0, 1, NULL }, { Plain, PLAIN, DriverDir, 0, 1, NULL },
        { Packed, READ_ONLY_FIRST, DriverDir, 0, 1, NULL }, { Packed, READ_ONLY_SECOND, DriverDir, 0, 1, NULL },
        { Plain, LOCKED_SECOND, PREPARED "locked\\", 0, 1, NULL }, { Plain, DIRECTORY_SECOND, DriverDir, 0, 1, NULL },
        { Packed, NO_VERSION_DIRECTORY, DriverDir, 0, 1, NULL }, { Plain, OLD_NAME_TAKEN, DriverDir, 0, 1, NULL },
        { Plain, OLD_NAME_BUSY, DriverDir, 0, 1, NULL },
        { Packed, IN_USE_FIRST, DriverDir, 0, 1, NULL }, { Packed, DEEP_SOURCE, DriverDir, 0, 1, NULL },
        { "kvc_missing.dll", PLAIN, DriverDir, 0, 0, Open }, { Plain, NEW_BLOCKED, DriverDir, 0, 0, Open },
        { Plain, DIRECTORY_FIRST, DriverDir, 0, 0, Open }, { Plain, NONE, "C:\\", 0, 0, Open },
        { Plain, NONE, ROOT "nowhere\\", 0, 0, Open }, { Plain, NONE, ROOT "src\\kvc_plain.dll\\", 0, 0, Open },
        { Plain, NONE, PREPARED "immutable\\", 0, 0, Open },
        { Plain, NONE, PREPARED "full\\", 0, 0, "Insufficient disk space." },
        { Short, PLAIN, DriverDir, 0, 0, Damaged }, { Cut, NONE, DriverDir, 0, 0, Damaged },
        { longName, NONE, DriverDir, 0, 0, Open }, { "", NONE, DriverDir, 0, 0, Open },
        { Packed, NONE, DriverDir, -1, 1009, "Cannot read the source file" },
        { Plain, PLAIN, DriverDir, -2, 1009, "Cannot create the destination file." },
        { Packed, NONE, DriverDir, -3, 0, Damaged }, { Plain, PLAIN, DriverDir, -4, 0, "Insufficient disk space." },
        { Packed, NONE, DriverDir, -5, 0, "Memory exhausted." },
        { Plain, PLAIN, DriverDir, -6, 0, "Decompression error." },
        { Packed, NONE, DriverDir, -7, 0, Unknown }, { Plain, PLAIN, DriverDir, -8, 0, Damaged },
        { Packed, NONE, DriverDir, -9, 0, Unknown }, { Plain, PLAIN, DriverDir, -100, 0, Unknown },
    };
    for (const auto &c : cases) {
        std::string directory = c.directory, first = directory + c.name, second = directory + "3\\" + c.name;
        std::string watched = strncmp(c.directory, PREPARED, 15) ? DriverDir : c.directory;
        std::string row = first.substr(0, 40) + " " + std::to_string(c.layout) + " " + std::to_string(c.code);
        CAPTURE(row);
        if (watched != DriverDir && GetFileAttributesA(PREPARED) == INVALID_FILE_ATTRIBUTES)
            continue;
        Prepare(c.name, c.layout == NONE ? NULL : c.name, c.directory);
        switch (c.layout) {   /* the earlier file made read-only, or a directory in a file's place */
        case READ_ONLY_FIRST: REQUIRE(SetFileAttributesA(first.c_str(), FILE_ATTRIBUTE_READONLY)); break;
        case READ_ONLY_SECOND: REQUIRE(SetFileAttributesA(second.c_str(), FILE_ATTRIBUTE_READONLY)); break;
        case DIRECTORY_FIRST: REQUIRE(DirectoryInPlace(first)); break;
        case DIRECTORY_SECOND: REQUIRE(DirectoryInPlace(second)); break;
        case NEW_BLOCKED: REQUIRE(DirectoryInPlace(first + "~new")); break;
        case OLD_NAME_TAKEN: case OLD_NAME_BUSY: REQUIRE(DirectoryInPlace(first + "~old")); break;
        case NO_VERSION_DIRECTORY: REQUIRE((DeleteFileA(second.c_str()) && RemoveDirectoryA(VersionDir))); break;
        default: break;
        }
        /* An earlier file that a program has loaded: it moves, but is not deleted. */
        HMODULE loaded = NULL;
        if (c.layout == IN_USE_FIRST) {
            char program[MAX_PATH];
            GetModuleFileNameA(NULL, program, sizeof program);
            TakePendingRenames();
            REQUIRE(CopyFileA(program, first.c_str(), FALSE));
            REQUIRE((loaded = LoadLibraryExA(first.c_str(), NULL, DONT_RESOLVE_DLL_REFERENCES)));
        }
        /* The source in a current directory too deep for the old open call,
           under its compressed copy's name. */
        std::string source = SourceDir + std::string(c.name), deep = SourceDir + std::string(120, 'd') + "\\";
        if (c.layout == DEEP_SOURCE) {
            Listing(deep, 1);
            CreateDirectoryA(deep.c_str(), NULL);
            REQUIRE(MoveFileA(source.c_str(), (deep + "kvc_packed.dl_").c_str()));
            REQUIRE(SetCurrentDirectoryA(deep.c_str()));
            source = deep + "kvc_packed.dl_";
        }
        Plan = Files(1).Fail(c.code ? 0 : -1, c.code, 1);
        Saw = {};
        Lz.CopyLZFile = WatchedCopy;
        Lz.LZClose = CheckedClose;
        std::string before = Listing(SourceDir) + Listing(watched) + Listing(watched + "3\\");
        SetAsideNameAttributes = c.layout == OLD_NAME_BUSY ? DeletePendingOld : GetFileAttributesA;
        StartWatch(NULL, NULL);
        CHECK(CopyOneFile(NULL, 0) == c.result);
        StopWatch();
        SetAsideNameAttributes = GetFileAttributesA;
        CHECK(Saw.closedTwice == 0);
        CHECK(NotHeldOpen(source));
        CHECK(SeenCount == (c.text != NULL));   /* Seen is zeroed: an absent message reads empty */
        if (c.text) {
            CHECK(std::string(Seen[0].caption) == std::string("Error"));
            CHECK(std::string(Seen[0].text) == std::string(c.text));
            CHECK(Seen[0].icon == LoadIconA(NULL, IDI_HAND));
            CHECK(Listing(SourceDir) + Listing(watched) + Listing(watched + "3\\") == before);
            CHECK(GetFileAttributesA("C:\\kvc_plain.dll") == INVALID_FILE_ATTRIBUTES);
            continue;
        }
        CHECK(SameAsPackageFile(Expected, first.c_str()));
        CHECK(LastWrite(first) == LastWrite(source));
        /* Nothing beside them: no temporary file, no earlier file set aside
           but in a taken name's place, or left for the next restart. */
        std::string listing = Listing(directory) + Listing(directory + "3\\");
        int setAside = c.layout == OLD_NAME_TAKEN || c.layout == OLD_NAME_BUSY || c.layout == IN_USE_FIRST;
        CHECK(std::count(listing.begin(), listing.end(), '~') == setAside);
        CHECK((!setAside || listing.find(c.name + std::string("~old ")) != std::string::npos));
        if (c.layout == IN_USE_FIRST) {
            CHECK(TakePendingRenames().find("\\??\\" + first + "~old" + std::string(2, '\0')) != std::string::npos);
            FreeLibrary(loaded);
        }
        /* What stands in 3\ and cannot be replaced stays, and the copy goes
           on: Wine moves a file over a read-only one, Windows refuses. */
        if (c.layout == DIRECTORY_SECOND)
            CHECK((GetFileAttributesA(second.c_str()) & FILE_ATTRIBUTE_DIRECTORY));
        else if (c.layout == READ_ONLY_SECOND || c.layout == LOCKED_SECOND)
            CHECK((SameAsPackageFile(Expected, second.c_str()) || SameAsPackageFile(OldFile, second.c_str())));
        else if (c.layout != NO_VERSION_DIRECTORY)
            CHECK((SameAsPackageFile(Expected, second.c_str()) && LastWrite(second) == LastWrite(source)));
    }
}

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
    return GetTickCount() - Saw.questionShown < 300 ? 0 : Plan.answer;
}

static std::string FileName(int index)
{
    return "q" + std::to_string(1000 + index).substr(1);
}

TEST_CASE("the copy dialog copies each file once, shows it on the bar, and answers Cancel")
{
    static const Scenario plans[] = {
        Files(0), Files(1), Files(3), Files(200),
        Files(4).Cancel(1, IDNO),   /* the file under way is finished, then the rest */
        Files(4).Cancel(1, IDYES).Result(2).Tried(2).Installed(2),   /* ... and no further file */
        Files(3).Cancel(BEFORE_RUN, IDNO),   /* the timer's run during the question copies nothing */
        Files(3).Cancel(BEFORE_RUN, IDYES).Result(2).Tried(0).Installed(0),
        Files(2).Cancel(AFTER_LAST, IDYES).Result(2),   /* during the one-second wait */
        /* Retryable: the same file until it succeeds. Fatal: no question, the files before it stay. */
        Files(3).Fail(1, LZERROR_BADINHANDLE, 2).Errors(2).Tried(5),
        Files(3).Fail(1, LZERROR_READ, 1).Errors(1).Result(2).Tried(2).Installed(1),
        Files(3).Cancel(0, IDNO).Fail(1, LZERROR_GLOBALLOC, 100).Errors(1).Result(2).Tried(2).Installed(1),
    };
    TextLeft = TextRight = 0;
    for (const Scenario &plan : plans) {
        CAPTURE((int)(&plan - plans));
        std::string names;
        for (int i = 0; i < plan.count; ++i)
            names += FileName(i) + ",";
        Prepare(names.c_str());
        for (int i = 0; i < plan.count; ++i)
            REQUIRE(WriteTextFile((SourceDir + FileName(i)).c_str(), ("file " + FileName(i)).c_str()));
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
        CAPTURE(after);
        CHECK((plan.result != 1 || (after >= 950 && after < 5000)));   /* the full bar stays a second */
        for (int i = 0; i < plan.count; ++i) {
            std::string name = FileName(i), source = SourceDir + name;
            wrongFiles += (i < plan.installed) != (SameAsPackageFile(source.c_str(), (DriverDir + name).c_str())
                                                   && SameAsPackageFile(source.c_str(), (VersionDir + name).c_str()));
        }
        CHECK(wrongFiles == 0);
    }
    /* At 50 % the boundary cuts the text: some of it on either side. */
    CHECK(TextLeft > 0);
    CHECK(TextRight > 0);
}
