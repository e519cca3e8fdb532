/*
 * The welcome and port pages, opened in-process and answered by a script
 * thread. The port lists come from the seam (UseFakePorts): the rule cases
 * need lists without COM1:, which the shared Wine prefix cannot lose while
 * other tests run.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"
#include "ui/ui.h"
#include "ui/welcome_text_logic.h"
#include "ui/resources/resource.h"
#include "spooler_fakes.h"
#include "wizard_script.h"

/* ---- welcome page ---- */

enum Answer { NEXT, CANCEL_NO_THEN_NEXT, CANCEL_YES, ESCAPE_YES, CLOSE_BOX_YES, ESCAPE_ON_QUESTION_THEN_NEXT };

struct WelcomeSeen {
    Answer answer;
    char text[512];
    char question[256], questionCaption[64];
    int stillOpenAfterNo;
};

/* Cancels in the way asked and answers the question. */
static int CancelAndAnswer(HWND page, Answer answer, char *question, int questionSize, char *caption, int captionSize)
{
    if (answer == ESCAPE_YES || answer == ESCAPE_ON_QUESTION_THEN_NEXT)
        PostEscape(page);
    else if (answer == CLOSE_BOX_YES)
        PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (!ClickButton(page, IDCANCEL))
        return 0;
    HWND box = WaitForCaption("Question");
    if (!box)
        return 0;
    ReadControlText(box, IDC_MSG_TEXT, question, questionSize);
    ReadText(box, caption, captionSize);
    if (answer == CANCEL_NO_THEN_NEXT)
        return ClickButton(box, IDNO) && WaitForWindowGone(box, SCRIPT_WAIT_MS);
    if (answer == ESCAPE_ON_QUESTION_THEN_NEXT) {
        PostEscape(box);
        return WaitForWindowGone(box, SCRIPT_WAIT_MS);
    }
    return ClickButton(box, IDYES);
}

static int AnswerWelcome(void *context)
{
    WelcomeSeen *seen = (WelcomeSeen *)context;
    HWND page = WaitForDialogWith(IDC_WELCOME_TEXT);
    if (!page)
        return 0;
    ReadControlText(page, IDC_WELCOME_TEXT, seen->text, sizeof seen->text);
    if (seen->answer == NEXT)
        return ClickButton(page, ID_NEXT);
    if (!CancelAndAnswer(page, seen->answer, seen->question, sizeof seen->question, seen->questionCaption,
                         sizeof seen->questionCaption))
        return 0;
    if (seen->answer == CANCEL_NO_THEN_NEXT || seen->answer == ESCAPE_ON_QUESTION_THEN_NEXT) {
        page = WaitForDialogWith(IDC_WELCOME_TEXT);
        seen->stillOpenAfterNo = page != NULL;
        return page && ClickButton(page, ID_NEXT);
    }
    return 1;
}

TEST_CASE("welcome page: the x86 text, Next, and the cancel question answered every way")
{
    static const struct { Answer answer; INT_PTR result; } cases[] = {
        { NEXT, ID_NEXT },
        { CANCEL_NO_THEN_NEXT, ID_NEXT },
        { ESCAPE_ON_QUESTION_THEN_NEXT, ID_NEXT },
        { CANCEL_YES, IDCANCEL },
        { ESCAPE_YES, IDCANCEL },
        { CLOSE_BOX_YES, IDCANCEL },
    };
    HWND owner = CreatePageOwner();
    REQUIRE(owner);
    for (const auto &c : cases) {
        CAPTURE((int)c.answer);
        WelcomeSeen seen = {};
        seen.answer = c.answer;
        CHECK(RunPage(ShowWelcomePage, owner, AnswerWelcome, &seen) == c.result);
        CHECK(strcmp(seen.text, "Supported operating system:\r\n\tWindows 7 Home x86\r\n\tWindows 7 Professional x86\r\n"
                                "\tWindows 7 Ultimate x86\r\n\r\nTerminate all running applications before installing driver.") == 0);
        if (c.answer != NEXT) {
            CHECK(strcmp(seen.question, "Are you sure you want to cancel Kest Printer driver installation?") == 0);
            CHECK(strcmp(seen.questionCaption, "Question") == 0);
        }
        if (c.answer == CANCEL_NO_THEN_NEXT || c.answer == ESCAPE_ON_QUESTION_THEN_NEXT)
            CHECK(seen.stillOpenAfterNo);
    }
    DestroyWindow(owner);
}

TEST_CASE("supported-system text: one per known environment, none for any other")
{
    CHECK(strstr(SupportedSystemText("Windows NT x86"), "\tWindows 7 Ultimate x86\r\n\r\nTerminate") != NULL);
    CHECK(strstr(SupportedSystemText("Windows x64"), "\tWindows 7 Home x64\r\n") != NULL);
    CHECK(SupportedSystemText("Windows NT x86 ") == NULL);
    CHECK(SupportedSystemText("windows nt x86") == NULL);
    CHECK(SupportedSystemText("") == NULL);
    CHECK(SupportedSystemText(NULL) == NULL);
}

/* ---- port page ---- */

struct PortSeen {
    int count, selection;
    char items[8][64];
    char warning[256], warningCaption[64];
    int warned;
    HGDIOBJ background;     /* the bitmap the background picture shows */
};

/* The bitmap shown by the page's first picture control, or NULL. */
static HGDIOBJ PageBitmap(HWND page)
{
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HGDIOBJ bitmap = (HGDIOBJ)SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0);
        if (bitmap)
            return bitmap;
    }
    return NULL;
}

static int AnswerPortPage(void *context)
{
    PortSeen *seen = (PortSeen *)context;
    HWND page = WaitForDialogWith(IDC_PORT_LIST);
    if (!page)
        return 0;
    seen->background = PageBitmap(page);
    seen->count = ListCount(page, IDC_PORT_LIST);
    for (int i = 0; i < seen->count && i < 8; i++)
        ListText(page, IDC_PORT_LIST, i, seen->items[i], sizeof seen->items[i]);
    seen->selection = ListSelection(page, IDC_PORT_LIST);
    if (!ClickButton(page, ID_NEXT))
        return 0;
    if (seen->selection >= 0)
        return 1;
    /* Nothing selected: the warning, the page stays, then Back. */
    HWND box = WaitForCaption("Warinig");
    if (!box)
        return 0;
    seen->warned = 1;
    ReadControlText(box, IDC_MSG_TEXT, seen->warning, sizeof seen->warning);
    ReadText(box, seen->warningCaption, sizeof seen->warningCaption);
    if (!ClickButton(box, IDOK) || !WaitForWindowGone(box, SCRIPT_WAIT_MS))
        return 0;
    page = WaitForDialogWith(IDC_PORT_LIST);
    return page && ClickButton(page, ID_BACK);
}

static const char *const IrFirstRule[] = { "COM1:", "IR:", "LPT1:" };
static const char *const ComRule[] = { "LPT1:", "COM1:", "FILE:" };
static const char *const NoRule[] = { "LPT1:", "FILE:" };
static const char *const LowerIr[] = { "com1:", "lpt1:", "irda", "IR:" };
static const char *const LowerCom[] = { "com10:", "com1:", "lpt1:" };
static const char *const Duplicates[] = { "COM1:", "com1:", "LPT1:", "COM1:" };

TEST_CASE("port page: the initial selection rule, the warning without a selection, the port stored on Next")
{
    static const struct {
        const char *const *ports;
        int count;
        int listed;
        int selection;
    } cases[] = {
        { IrFirstRule, 3, 3, 1 },  /* the first "IR" item wins over COM1: */
        { ComRule, 3, 3, 1 },
        { NoRule, 2, 2, -1 },
        { LowerIr, 4, 4, 2 },      /* any letter case, the first from the top */
        { LowerCom, 3, 3, 1 },     /* "com10:" does not begin with "COM1:" */
        { Duplicates, 4, 2, 0 },
    };
    HWND owner = CreatePageOwner();
    REQUIRE(owner);
    for (const auto &c : cases) {
        CAPTURE(c.ports[0]);
        UseFakePorts(c.ports, c.count);
        strcpy(SetupState.ModelName, "Port Page Test No Such Printer");
        strcpy(SetupState.PortName, "unchanged");
        PortSeen seen = {};
        INT_PTR returned = RunPage(ShowPortPage, owner, AnswerPortPage, &seen);
        CHECK(seen.count == c.listed);
        CHECK(seen.selection == c.selection);
        /* One reading of the list fills it: the size query and one call. */
        CHECK(FakePortCalls == 2);
        /* The page's picture went with it (Wine's picture control keeps it). */
        CHECK(seen.background != NULL);
        CHECK(GetObjectType(seen.background) == 0);
        if (c.selection < 0) {
            CHECK(seen.warned);
            CHECK(strcmp(seen.warning, "Select printer port to connect.") == 0);
            CHECK(strcmp(seen.warningCaption, "Warinig") == 0);
            CHECK(returned == ID_BACK);
            CHECK(strcmp(SetupState.PortName, "unchanged") == 0);
        } else {
            CHECK(returned == ID_NEXT);
            CHECK(strcmp(SetupState.PortName, seen.items[c.selection]) == 0);
        }
    }
    ResetSpoolerApi();
    DestroyWindow(owner);
}

static const char StalePrinter[] = "Port Page Stale Printer";
static const char OtherDriver[] = "Port Page Other Driver";

struct SetupErrorSeen {
    char text[512];
    int shown;
};

static int AnswerSetupError(void *context)
{
    SetupErrorSeen *seen = (SetupErrorSeen *)context;
    HWND page = WaitForDialogWith(IDC_PORT_LIST);
    if (!page || !ClickButton(page, ID_NEXT))
        return 0;
    HWND box = WaitForCaption("Setup error");
    if (!box)
        return 0;
    seen->shown = 1;
    ReadControlText(box, 0xFFFF, seen->text, sizeof seen->text);
    return ClickButton(box, IDOK);
}

/* A printer of the model's name on a driver of another name: the printer
   goes, but no driver of the model's name can be deleted, so the removal
   fails for real. */
TEST_CASE("port page: a previous installation that cannot be removed ends it with \"Setup error\"")
{
    REQUIRE(AddFixturePrinter(StalePrinter, OtherDriver, "LPT1:"));
    HWND owner = CreatePageOwner();
    REQUIRE(owner);
    UseFakePorts(ComRule, 3);
    strcpy(SetupState.ModelName, StalePrinter);
    SetupErrorSeen seen = {};
    CHECK(RunPage(ShowPortPage, owner, AnswerSetupError, &seen) == IDCANCEL);
    ResetSpoolerApi();
    CHECK(seen.shown);
    CHECK(strcmp(seen.text, "Previous verion driver is currently used by an application.\n"
                            "Terminate all applications. And then delete previous version driver from printer "
                            "folderand retry.") == 0);
    CHECK(strcmp(SetupState.PortName, "COM1:") == 0);
    DeletePrinterDriverA(NULL, (LPSTR)SetupEnvironment, (LPSTR)OtherDriver);
    DestroyWindow(owner);
}
