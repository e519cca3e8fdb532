/*
 * The exit page, opened in-process and answered by a script thread: its
 * result icon and text, the default-printer box, and which ways of closing
 * it make the new printer the default printer in Wine's profile.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"
#include "spooler_fakes.h"
#include "wizard_script.h"

static const char TestPrinter[] = "Exit Page Test Printer";
static const char TestDriver[] = "Exit Page Test Driver";

static void ReadDefaultEntry(char *out, DWORD size)
{
    GetProfileStringA("windows", "device", "", out, size);
}

enum CloseWay { PRESS_OK, CLEAR_BOX_THEN_OK, PRESS_ESCAPE, CLOSE_BOX };

struct ExitCase {
    CloseWay way;
    /* What the script saw. */
    char caption[128], text[256], notice[256];
    int successIcon, failureIcon;
    int boxVisible, boxChecked, okFocused;
};

static int Result;
static INT_PTR ShowExitPageOfResult(HWND owner)
{
    return ShowExitPage(owner, Result);
}

static int ReadAndCloseExitPage(void *context)
{
    ExitCase *c = (ExitCase *)context;
    HWND page = WaitForDialogWith(IDC_EXIT_TEXT);
    if (!page)
        return 0;
    ReadText(page, c->caption, sizeof c->caption);
    ReadControlText(page, IDC_EXIT_TEXT, c->text, sizeof c->text);
    ReadControlText(page, IDC_EXIT_NOTICE, c->notice, sizeof c->notice);
    HICON icon = (HICON)SendDlgItemMessageA(page, IDC_MSG_ICON, STM_GETICON, 0, 0);
    c->successIcon = icon != NULL && icon == LoadIconA(NULL, IDI_ASTERISK);
    c->failureIcon = icon != NULL && icon == LoadIconA(NULL, IDI_HAND);
    c->boxVisible = IsWindowVisible(GetDlgItem(page, IDC_SET_DEFAULT));
    c->boxChecked = CheckState(page, IDC_SET_DEFAULT) == BST_CHECKED;
    c->okFocused = FocusedControl(page) == GetDlgItem(page, IDOK);

    switch (c->way) {
    case PRESS_OK:
        return ClickButton(page, IDOK);
    case CLEAR_BOX_THEN_OK:
        return ClickButton(page, IDC_SET_DEFAULT) && ClickButton(page, IDOK);
    case PRESS_ESCAPE:
        PostEscape(page);
        return 1;
    case CLOSE_BOX:
        PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 1;
    }
    return 0;
}

TEST_CASE("exit page: result, icon, default-printer box, and Ok on success alone sets the default printer")
{
    RemoveFixturePrinter(TestPrinter, TestDriver);
    REQUIRE(AddFixturePrinter(TestPrinter, TestDriver, "LPT2:"));
    char original[1024];
    ReadDefaultEntry(original, sizeof original);
    HWND owner = CreatePageOwner();
    REQUIRE(owner);
    strcpy(SetupState.ModelName, TestPrinter);

    char expectedDefault[256];
    snprintf(expectedDefault, sizeof expectedDefault, "%s,%s,LPT2:", TestPrinter, TestDriver);

    static const struct { int result; CloseWay way; int setsDefault; } cases[] = {
        { 1, CLEAR_BOX_THEN_OK, 0 },
        { 1, PRESS_ESCAPE, 0 },
        { 1, CLOSE_BOX, 0 },
        { 2, PRESS_OK, 0 },
        { 0, PRESS_OK, 0 },
        { 0x10002, PRESS_OK, 0 },
        { 1, PRESS_OK, 1 },
    };
    for (const auto &row : cases) {
        CAPTURE(row.result);
        CAPTURE((int)row.way);
        char before[1024], after[1024];
        ReadDefaultEntry(before, sizeof before);
        ExitCase c = {};
        c.way = row.way;
        Result = row.result;
        CHECK(RunPage(ShowExitPageOfResult, owner, ReadAndCloseExitPage, &c) == 1);
        ReadDefaultEntry(after, sizeof after);
        int success = row.result == 1;
        CHECK(strcmp(c.caption, "Printer Driver Setup") == 0);
        CHECK(strcmp(c.text, success ? "The Installation has done successfully." : "The Installation has failed.") == 0);
        CHECK(c.successIcon == success);
        CHECK(c.failureIcon == !success);
        CHECK(c.boxVisible == success);
        CHECK(c.boxChecked == success);
        CHECK(c.okFocused);
        CHECK(c.notice[0] != '\0');
        CHECK(strchr(c.notice, '\n') == NULL);
        if (row.setsDefault)
            CHECK(strcmp(after, expectedDefault) == 0);
        else
            CHECK(strcmp(after, before) == 0);
    }

    WriteProfileStringA("windows", "device", original[0] ? original : NULL);
    DestroyWindow(owner);
    RemoveFixturePrinter(TestPrinter, TestDriver);
}
