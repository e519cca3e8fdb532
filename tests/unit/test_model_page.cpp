/*
 * The model page, opened in-process over an INF of this test and answered
 * by a script thread; stale printers live in Wine's real spooler.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"
#include "test_support.h"
#include "spooler_fakes.h"
#include "wizard_script.h"

static const char ModelInf[] =
    "[KestVelotic]\r\n"
    "\"Model Page Test A\" = INSTALL_A, KV_HWID_A\r\n"
    "\"Model Page Test B\" = INSTALL_B\r\n"
    "\"Model Page Test C\" = INSTALL_A, KV_HWID_C\r\n"
    "[INSTALL_A]\r\n"
    "CopyFiles = @KV_R52x.GPD,@KV_A.DLL,@KV_R52x.DLL\r\n"
    "DataSection = DATA_A\r\n"
    "[INSTALL_B]\r\n"
    "CopyFiles = @KV_B.DLL\r\n"
    "[DATA_A]\r\n"
    "DefaultDataType = NT EMF 1.008\r\n";

static const char EmptyInf[] = "[Other]\r\nkey = value\r\n";

static void UseInf(const char *name, const char *content)
{
    snprintf(SetupState.InfPath, sizeof SetupState.InfPath, "%s%s", TestProgramDirectory(), name);
    REQUIRE(WriteTextFile(SetupState.InfPath, content));
}

enum ModelAction { NEXT_ON_FIRST, NEXT_ON_THIRD, NEXT_WITHOUT_SELECTION_THEN_BACK };

struct ModelSeen {
    ModelAction action;
    int count, selection, listFocused;
    char items[4][64];
    char warning[256], warningCaption[64];
    int stayedOpen;
};

/* After the warning: is the page still there, enabled? Then go back. */
static int BackIfStillOpen(ModelSeen *seen)
{
    HWND page = WaitForDialogWith(IDC_MODEL_LIST);
    seen->stayedOpen = page != NULL;
    return page && ClickButton(page, ID_BACK);
}

static int AnswerModelPage(void *context)
{
    ModelSeen *seen = (ModelSeen *)context;
    HWND page = WaitForDialogWith(IDC_MODEL_LIST);
    if (!page)
        return 0;
    HWND list = GetDlgItem(page, IDC_MODEL_LIST);
    seen->count = ListCount(page, IDC_MODEL_LIST);
    for (int i = 0; i < seen->count && i < 4; i++)
        ListText(page, IDC_MODEL_LIST, i, seen->items[i], sizeof seen->items[i]);
    seen->selection = ListSelection(page, IDC_MODEL_LIST);
    seen->listFocused = FocusedControl(page) == list;

    HWND box;
    switch (seen->action) {
    case NEXT_ON_FIRST:
        return ClickButton(page, ID_NEXT);
    case NEXT_ON_THIRD:
        SendMessageW(list, LB_SETCURSEL, 2, 0);
        return ClickButton(page, ID_NEXT);
    case NEXT_WITHOUT_SELECTION_THEN_BACK:
        if (!ClickButton(page, ID_NEXT) || !(box = WaitForCaption("Warinig")))
            return 0;
        ReadControlText(box, IDC_MSG_TEXT, seen->warning, sizeof seen->warning);
        ReadText(box, seen->warningCaption, sizeof seen->warningCaption);
        if (!ClickButton(box, IDOK) || !WaitForWindowGone(box, SCRIPT_WAIT_MS))
            return 0;
        return BackIfStillOpen(seen);
    }
    return 0;
}

static INT_PTR RunModelPage(HWND owner, ModelSeen *seen)
{
    return RunPage(ShowModelPage, owner, AnswerModelPage, seen);
}

TEST_CASE("model page: the INF's models, the first selected, and Next loads the chosen model")
{
    UseInf("model_page_test.inf", ModelInf);
    HWND owner = CreatePageOwner();
    REQUIRE(owner);

    ModelSeen seen = {};
    seen.action = NEXT_ON_THIRD;
    CHECK(RunModelPage(owner, &seen) == ID_NEXT);
    CHECK(seen.count == 3);
    CHECK(strcmp(seen.items[0], "Model Page Test A") == 0);
    CHECK(strcmp(seen.items[1], "Model Page Test B") == 0);
    CHECK(strcmp(seen.items[2], "Model Page Test C") == 0);
    CHECK(seen.selection == 0);
    CHECK(seen.listFocused);
    CHECK(strcmp(SetupState.ModelName, "Model Page Test C") == 0);
    CHECK(SetupState.FileCount == 3);
    CHECK(memcmp(SetupState.FileList, "KV_R52x.GPD\0KV_A.DLL\0KV_R52x.DLL\0", 34) == 0);
    CHECK(strcmp(SetupState.DefaultDataType, "NT EMF 1.008") == 0);

    /* Coming back builds the page afresh: the first model is selected again. */
    seen = {};
    seen.action = NEXT_ON_FIRST;
    CHECK(RunModelPage(owner, &seen) == ID_NEXT);
    CHECK(seen.selection == 0);
    CHECK(strcmp(SetupState.ModelName, "Model Page Test A") == 0);

    DestroyWindow(owner);
}

TEST_CASE("model page: an INF without models gives an empty list, and Next warns")
{
    UseInf("model_page_empty.inf", EmptyInf);
    HWND owner = CreatePageOwner();
    REQUIRE(owner);
    strcpy(SetupState.ModelName, "unchanged");
    ModelSeen seen = {};
    seen.action = NEXT_WITHOUT_SELECTION_THEN_BACK;
    CHECK(RunModelPage(owner, &seen) == ID_BACK);
    CHECK(seen.count == 0);
    CHECK(seen.selection == -1);
    CHECK(strcmp(seen.warning, "Select printer model to install.") == 0);
    CHECK(strcmp(seen.warningCaption, "Warinig") == 0);
    CHECK(seen.stayedOpen);
    CHECK(strcmp(SetupState.ModelName, "unchanged") == 0);
    DestroyWindow(owner);
}

TEST_CASE("model page: Next deletes a stale printer only when a driver of exactly the model's name exists")
{
    UseInf("model_page_test.inf", ModelInf);
    HWND owner = CreatePageOwner();
    REQUIRE(owner);
    static const struct { const char *driver; int printerStays; } cases[] = {
        { "Model Page Test A", 0 },
        { "MODEL PAGE TEST A", 1 },  /* the name must match in letter case too */
    };
    for (const auto &c : cases) {
        CAPTURE(c.driver);
        REQUIRE(AddFixturePrinter("Model Page Test A", c.driver, "LPT1:"));
        ModelSeen seen = {};
        seen.action = NEXT_ON_FIRST;
        CHECK(RunModelPage(owner, &seen) == ID_NEXT);
        CHECK(PrinterExists("Model Page Test A") == c.printerStays);
        RemoveFixturePrinter("Model Page Test A", c.driver);
    }
    DestroyWindow(owner);
}
