/*
 * The copy progress dialog driven from inside the test program's thread:
 * a thread timer (dialog_watch.h) clicks Cancel and answers the questions and
 * messages, and a CopyLZFile wrapper behind the LZ seam counts the copies,
 * looks at the bar between two files and injects errors. The files are real
 * and copied by Wine's LZ library into a test-owned driver directory.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "install/bar_geometry_logic.h"
#include "install/install.h"
#include "install/lz_api.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "window_driver.h"
#include "copy_test_files.h"
#include "dialog_watch.h"

static const char SourceDir[] = "C:\\kvcopy_dlg\\src\\";
static const char DriverDir[] = "C:\\kvcopy_dlg\\drv\\";
static const char VersionDir[] = "C:\\kvcopy_dlg\\drv\\3\\";

#define NAVY RGB(0, 0, 128)
#define WHITE RGB(255, 255, 255)
#define MAX_FILES 200

/* What a scenario does and what it saw. */
struct Scenario {
    int cancelAtIndex;      /* click Cancel while this file is copied (-1: never) */
    int cancelBeforeRun;    /* click Cancel as soon as the dialog shows */
    int cancelAfterLast;    /* click Cancel once every file is copied */
    INT_PTR answer;         /* answer to the question, IDYES or IDNO */
    DWORD questionHoldMs;   /* keep the question open this long */
    int failIndex;          /* this file's copy fails ... */
    LONG failCode;          /* ... with this code ... */
    int failTimes;          /* ... this many times */
    int checkBar;           /* check the bar before each file after the first */

    int clicked;
    int copies[MAX_FILES];
    int attempts;
    int lzStarts;
    int indexAtQuestion;
    int attemptsAtQuestion;
    int lzStartsAtQuestion;
    DWORD questionShown;
    int barChecks;
    int barFaults;
    int barRepainted;       /* the bar came back while the question was open */
    DWORD lastCopyDone;
};
static Scenario Run;

static HWND CopyDialog(void);

/* 1 when the bar shows the boundary of `percent`: navy left of x, white
   from x on, along the top row, which the text never reaches. */
static int BarShows(HWND bar, int percent)
{
    RECT client;
    GetClientRect(bar, &client);
    int x = BarBoundary(percent, client.left, client.right);
    HDC dc = GetDC(bar);
    int ok = 1;
    for (int px = client.left; px < client.right; ++px) {
        COLORREF expected = px < x ? NAVY : WHITE;
        if (GetPixel(dc, px, client.top) != expected)
            ok = 0;
    }
    ReleaseDC(bar, dc);
    return ok;
}

static void CheckBarBeforeFile(void)
{
    HWND dialog = CopyDialog();
    if (!dialog)
        return;
    int done = SetupState.NextFileIndex;
    ++Run.barChecks;
    if (!BarShows(GetDlgItem(dialog, IDC_COPY_BAR), CopyPercent(done, SetupState.FileCount)))
        ++Run.barFaults;
}

static LONG WINAPI WatchedCopy(INT source, INT destination)
{
    int index = SetupState.NextFileIndex;
    ++Run.attempts;
    if (Run.checkBar && index > 0)
        CheckBarBeforeFile();
    if (index == Run.cancelAtIndex && !Run.clicked) {
        Run.clicked = 1;
        ClickButton(CopyDialog(), IDCANCEL);   /* seen by the pump after this file */
    }
    if (index == Run.failIndex && Run.failTimes > 0) {
        --Run.failTimes;
        return Run.failCode;
    }
    LONG result = CopyLZFile(source, destination);
    if (result >= 0 && index < MAX_FILES)
        ++Run.copies[index];
    Run.lastCopyDone = GetTickCount();
    return result;
}

static INT WINAPI CountedStart(void)
{
    ++Run.lzStarts;
    return LZStart();
}

static BOOL CALLBACK FindCopyDialog(HWND window, LPARAM lParam)
{
    char caption[64];
    GetWindowTextA(window, caption, sizeof caption);
    if (strcmp(caption, "Copying Files...") == 0 && IsWindowVisible(window)) {
        *(HWND *)lParam = window;
        return FALSE;
    }
    return TRUE;
}

static HWND CopyDialog(void)
{
    HWND found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindCopyDialog, (LPARAM)&found);
    return found;
}

static void ScenarioTick(void)
{
    HWND dialog = CopyDialog();
    if (!dialog || Run.clicked)
        return;
    if (Run.cancelBeforeRun
        || (Run.cancelAfterLast && SetupState.NextFileIndex == SetupState.FileCount)) {
        Run.clicked = 1;
        ClickButton(dialog, IDCANCEL);
    }
}

/* Scribbles over the bar once the question shows; the copy dialog's
   WM_ENTERIDLE repaint must bring it back before the answer. */
static void ScribbleOverBar(void)
{
    HWND bar = GetDlgItem(CopyDialog(), IDC_COPY_BAR);
    RECT client;
    GetClientRect(bar, &client);
    HDC dc = GetDC(bar);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &client, red);
    DeleteObject(red);
    ReleaseDC(bar, dc);
}

static INT_PTR ScenarioAnswer(const SeenMessage *message)
{
    if (strcmp(message->caption, "Question") != 0)
        return IDOK;
    if (!Run.questionShown) {
        Run.questionShown = GetTickCount();
        Run.indexAtQuestion = SetupState.NextFileIndex;
        Run.attemptsAtQuestion = Run.attempts;
        if (SetupState.NextFileIndex > 0 && SetupState.FileCount > 0)
            ScribbleOverBar();
        return 0;
    }
    if (SetupState.NextFileIndex > 0 && SetupState.FileCount > 0 && !Run.barRepainted) {
        HWND bar = GetDlgItem(CopyDialog(), IDC_COPY_BAR);
        Run.barRepainted = BarShows(bar, CopyPercent(SetupState.NextFileIndex, SetupState.FileCount));
    }
    if (GetTickCount() - Run.questionShown < Run.questionHoldMs)
        return 0;
    Run.lzStartsAtQuestion = Run.lzStarts;
    return Run.answer;
}

/* Sources q000, q001, ... of different sizes in a fresh source directory,
   made current, and an empty driver directory. */
static void PrepareFiles(int count)
{
    CreateDirectoryA("C:\\kvcopy_dlg", NULL);
    CreateDirectoryA(SourceDir, NULL);
    CreateDirectoryA(DriverDir, NULL);
    CreateDirectoryA(VersionDir, NULL);
    EmptyDirectory(SourceDir);
    EmptyDirectory(DriverDir);
    EmptyDirectory(VersionDir);
    static char names[MAX_FILES][8];
    static const char *list[MAX_FILES];
    for (int i = 0; i < count; ++i) {
        snprintf(names[i], sizeof names[i], "q%03d", i);
        list[i] = names[i];
        char path[MAX_PATH], text[64];
        snprintf(path, sizeof path, "%s%s", SourceDir, names[i]);
        snprintf(text, sizeof text, "file %d of %d", i, count);
        REQUIRE(WriteTextFile(path, text));
    }
    SetFileList(list, count);
    REQUIRE(SetCurrentDirectoryA(SourceDir));
    lstrcpyA(SetupState.DriverDirectory, DriverDir);
    SetupState.DriverVersion = 3;
    SetupState.NextFileIndex = 0;
    SetupState.CopyPaused = 0;
    memset(&Run, 0, sizeof Run);
    Run.cancelAtIndex = -1;
    Run.failIndex = -1;
    Run.answer = IDNO;
    ResetLzApi();
    Lz.CopyLZFile = WatchedCopy;
    Lz.LZStart = CountedStart;
}

static INT_PTR ShowWatched(void)
{
    StartWatch(ScenarioAnswer, ScenarioTick);
    INT_PTR result = ShowCopyDialog(NULL);
    StopWatch();
    ResetLzApi();
    return result;
}

static int Installed(int index)
{
    char first[MAX_PATH], second[MAX_PATH], source[MAX_PATH];
    snprintf(source, sizeof source, "%sq%03d", SourceDir, index);
    snprintf(first, sizeof first, "%sq%03d", DriverDir, index);
    snprintf(second, sizeof second, "%sq%03d", VersionDir, index);
    return SameFiles(first, source) && SameFiles(second, source);
}

static int Questions(void)
{
    int count = 0;
    for (int i = 0; i < SeenCount; ++i)
        count += strcmp(Seen[i].caption, "Question") == 0;
    return count;
}

TEST_CASE("every file is copied once, the bar follows, and the dialog ends with 1")
{
    static const int counts[] = { 0, 1, 3, 200 };
    for (int count : counts) {
        CAPTURE(count);
        PrepareFiles(count);
        Run.checkBar = 1;
        DWORD start = GetTickCount();
        CHECK(ShowWatched() == 1);
        CHECK(SetupState.NextFileIndex == count);
        CHECK(SeenCount == 0);
        CHECK(Run.attempts == count);
        CHECK(Run.barFaults == 0);
        CHECK(Run.barChecks == (count > 0 ? count - 1 : 0));
        for (int i = 0; i < count; ++i) {
            CAPTURE(i);
            REQUIRE(Run.copies[i] == 1);
            REQUIRE(Installed(i));
        }
        /* The full bar stays for one second after the last file. */
        DWORD after = GetTickCount() - (count ? Run.lastCopyDone : start);
        CHECK(after >= 950);
        CHECK(after < 5000);
    }
}

TEST_CASE("Cancel, then No: copying goes on with the next file, each copied once")
{
    PrepareFiles(4);
    Run.cancelAtIndex = 1;
    Run.answer = IDNO;
    Run.questionHoldMs = 150;
    CHECK(ShowWatched() == 1);
    CHECK(Questions() == 1);
    CHECK(Run.indexAtQuestion == 2);     /* the file under way was finished */
    CHECK(Run.barRepainted);             /* WM_ENTERIDLE brought the bar back */
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        CHECK(Run.copies[i] == 1);
        CHECK(Installed(i));
    }
    CHECK(SetupState.CopyPaused == 0);
}

TEST_CASE("Cancel, then Yes: stops after the file under way with 2")
{
    PrepareFiles(4);
    Run.cancelAtIndex = 1;
    Run.answer = IDYES;
    CHECK(ShowWatched() == 2);
    CHECK(Questions() == 1);
    CHECK(Installed(0));
    CHECK(Installed(1));
    CHECK_FALSE(Exists("C:\\kvcopy_dlg\\drv\\q002"));
    CHECK(Run.attempts == 2);
}

TEST_CASE("Cancel before the first run: a run during the question copies nothing")
{
    static const INT_PTR answers[] = { IDNO, IDYES };
    for (INT_PTR answer : answers) {
        CAPTURE(answer);
        PrepareFiles(3);
        Run.cancelBeforeRun = 1;
        Run.answer = answer;
        Run.questionHoldMs = 300;   /* TIMER_COPY_START fires meanwhile */
        CHECK(ShowWatched() == (answer == IDNO ? 1 : 2));
        CHECK(Questions() == 1);
        CHECK(Run.indexAtQuestion == 0);
        CHECK(Run.lzStartsAtQuestion == 1);  /* the timer's run came and went */
        CHECK(Run.attempts == (answer == IDNO ? 3 : 0));
        CHECK(SetupState.NextFileIndex == (answer == IDNO ? 3 : 0));
    }
}

TEST_CASE("Cancel after the last file, during the one-second wait: Yes gives 2")
{
    PrepareFiles(2);
    Run.cancelAfterLast = 1;
    Run.answer = IDYES;
    CHECK(ShowWatched() == 2);
    CHECK(Questions() == 1);
    CHECK(Installed(0));
    CHECK(Installed(1));
}

TEST_CASE("a retryable error repeats the same file until it succeeds")
{
    PrepareFiles(3);
    Run.failIndex = 1;
    Run.failCode = -1;
    Run.failTimes = 2;
    Run.checkBar = 1;
    CHECK(ShowWatched() == 1);
    REQUIRE(SeenCount == 2);
    for (int i = 0; i < 2; ++i) {
        CHECK(strcmp(Seen[i].caption, "Error") == 0);
        CHECK(strcmp(Seen[i].text, "Cannot read the source file") == 0);
    }
    CHECK(Run.attempts == 5);
    CHECK(Run.barFaults == 0);           /* the bar stayed at 33 % meanwhile */
    for (int i = 0; i < 3; ++i)
        CHECK(Installed(i));
}

TEST_CASE("a fatal error ends with 2 at once and keeps the files before it")
{
    PrepareFiles(3);
    REQUIRE(WriteTextFile("C:\\kvcopy_dlg\\drv\\q001", "old"));
    Run.failIndex = 1;
    Run.failCode = -3;
    Run.failTimes = 1;
    CHECK(ShowWatched() == 2);
    REQUIRE(SeenCount == 1);
    CHECK(strcmp(Seen[0].text, "File has damaged.") == 0);
    CHECK(Installed(0));
    CHECK(HoldsText("C:\\kvcopy_dlg\\drv\\q001", "old"));
    CHECK_FALSE(Exists("C:\\kvcopy_dlg\\drv\\q002"));
    CHECK(Run.attempts == 2);
}

TEST_CASE("a fatal error in the run resumed by No: one attempt, one message, 2")
{
    PrepareFiles(3);
    Run.cancelAtIndex = 0;
    Run.answer = IDNO;
    Run.failIndex = 1;
    Run.failCode = -5;
    Run.failTimes = 100;
    CHECK(ShowWatched() == 2);
    CHECK(Questions() == 1);
    CHECK(SeenCount == 2);               /* the question and one error message */
    CHECK(Run.attempts == 2);            /* file 0, then file 1 once */
    CHECK(Installed(0));
    CHECK_FALSE(Exists("C:\\kvcopy_dlg\\drv\\q001"));
}

/* Looks at the text rows of the bar at 50 %, where the boundary cuts the
   text "50 %": left of x only navy and white text, right of it only white
   and black text (greys where glyph edges blend), and text on both sides. */
static int TextSplitFaults;
static int TextLeft, TextRight;
static LONG WINAPI SplitCopy(INT source, INT destination)
{
    if (SetupState.NextFileIndex == 1) {
        HWND dialog = CopyDialog();
        HWND bar = GetDlgItem(dialog, IDC_COPY_BAR);
        RECT client;
        GetClientRect(bar, &client);
        int x = BarBoundary(50, client.left, client.right);
        HDC dc = GetDC(bar);
        for (int y = client.top; y < client.bottom; ++y)
            for (int px = client.left; px < client.right; ++px) {
                COLORREF c = GetPixel(dc, px, y);
                int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
                if (px < x) {
                    if (r != g || b < 128)
                        ++TextSplitFaults;
                    TextLeft += c != NAVY;
                } else {
                    if (r != g || g != b)
                        ++TextSplitFaults;
                    TextRight += c != WHITE;
                }
            }
        ReleaseDC(bar, dc);
        SaveTestScreenshot("copy_dialog");
    }
    return CopyLZFile(source, destination);
}

TEST_CASE("the text reads white on navy and black on white, split at x")
{
    PrepareFiles(2);
    Lz.CopyLZFile = SplitCopy;
    TextSplitFaults = TextLeft = TextRight = 0;
    CHECK(ShowWatched() == 1);
    CHECK(TextSplitFaults == 0);
    CHECK(TextLeft > 0);
    CHECK(TextRight > 0);
}
