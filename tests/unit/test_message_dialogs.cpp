/*
 * The wizard's message dialogs and status window under Wine's dialog
 * manager: template, icon, caption and text by style, the result of every
 * button, Enter and Escape, centring on the owner, and the hidden status
 * window. A thread timer presses the keys and buttons from inside the modal
 * loop.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "ui/ui.h"
#include "window_driver.h"
#include "test_support.h"

static const int AllButtons[] = { IDOK, IDCANCEL, IDRETRY, IDYES, IDNO };
#define PRESS_ESCAPE -1
#define PRESS_ENTER -2

/* What the timer saw of the one message dialog, and what it pressed. */
static struct {
    int press;                /* a button id, PRESS_ESCAPE or PRESS_ENTER */
    const char *screenshot;   /* file name to save the screen as, or NULL */
    int done;
    HWND dialog;
    char caption[128];
    char text[256];
    HICON icon;
    char buttons[8][32];      /* text of each of AllButtons, "" when absent */
    RECT frame;
} Press;

static BOOL CALLBACK FindMessageDialog(HWND window, LPARAM)
{
    if (IsWindowVisible(window) && GetDlgItem(window, IDC_MSG_TEXT))
        Press.dialog = window;
    return TRUE;
}

static void CALLBACK PressTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Press.done)
        return;
    Press.dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageDialog, 0);
    HWND dialog = Press.dialog;
    if (!dialog)
        return;
    Press.done = 1;
    GetWindowTextA(dialog, Press.caption, sizeof Press.caption);
    GetDlgItemTextA(dialog, IDC_MSG_TEXT, Press.text, sizeof Press.text);
    Press.icon = (HICON)SendDlgItemMessageA(dialog, IDC_MSG_ICON, STM_GETICON, 0, 0);
    for (int i = 0; i < 5; ++i) {
        Press.buttons[i][0] = '\0';
        if (GetDlgItem(dialog, AllButtons[i]))
            GetDlgItemTextA(dialog, AllButtons[i], Press.buttons[i], sizeof Press.buttons[i]);
    }
    GetWindowRect(dialog, &Press.frame);
    if (Press.screenshot)
        SaveTestScreenshot(Press.screenshot);
    if (Press.press == PRESS_ESCAPE)
        PostKey(dialog, VK_ESCAPE);
    else if (Press.press == PRESS_ENTER)
        PostKey(dialog, VK_RETURN);
    else
        ClickButton(dialog, Press.press);
}

static INT_PTR ShowAndPress(HWND owner, const char *text, UINT style, int press)
{
    memset(&Press, 0, sizeof Press);
    Press.press = press;
    UINT_PTR timer = SetTimer(NULL, 0, 20, PressTick);
    INT_PTR result = ShowMessage(owner, text, "Caption", style);
    KillTimer(NULL, timer);
    return result;
}

/* A visible owner somewhere off-centre, as a page would be. */
static HWND MakeOwner(int x, int y, int width, int height)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                 x, y, width, height, NULL, NULL, NULL, NULL);
    REQUIRE(owner);
    return owner;
}

TEST_CASE("each style's template, icon and button results")
{
    static const struct {
        UINT style;
        const char *buttons[5];   /* texts of OK, Cancel, Retry, Yes, No */
        LPCSTR icon;
    } cases[] = {
        { 0x00, { "&Ok", "", "", "", "" }, IDI_APPLICATION },
        { 0x02, { "&Ok", "", "", "", "" }, IDI_APPLICATION },
        { 0x11, { "&Ok", "&Cancel", "", "", "" }, IDI_HAND },
        { 0x33, { "", "&Cancel", "", "&Yes", "&No" }, IDI_EXCLAMATION },
        { 0x24, { "", "", "", "&Yes", "&No" }, IDI_QUESTION },
        { 0x45, { "", "&Cancel", "&Retry", "", "" }, IDI_ASTERISK },
        { 0x10, { "&Ok", "", "", "", "" }, IDI_HAND },
        { 0x50, { "&Ok", "", "", "", "" }, IDI_APPLICATION },
    };
    HWND owner = MakeOwner(100, 60, 640, 420);
    for (const auto &c : cases) {
        for (int b = 0; b < 5; ++b) {
            if (!c.buttons[b][0])
                continue;
            CAPTURE(c.style);
            CAPTURE(AllButtons[b]);
            CHECK(ShowAndPress(owner, "Some text", c.style, AllButtons[b]) == AllButtons[b]);
            REQUIRE(Press.done);
            CHECK(strcmp(Press.caption, "Caption") == 0);
            CHECK(strcmp(Press.text, "Some text") == 0);
            CHECK(Press.icon == LoadIconA(NULL, c.icon));
            for (int i = 0; i < 5; ++i)
                CHECK(strcmp(Press.buttons[i], c.buttons[i]) == 0);
        }
    }
    DestroyWindow(owner);
}

TEST_CASE("Enter gives the default button; Escape gives 2 without a Cancel button")
{
    HWND owner = MakeOwner(0, 0, 800, 600);
    static const struct { UINT style; int press; INT_PTR result; } cases[] = {
        { 0x24, PRESS_ESCAPE, 2 }, { 0x00, PRESS_ESCAPE, 2 }, { 0x05, PRESS_ESCAPE, 2 },
        { 0x24, PRESS_ENTER, 6 }, { 0x10, PRESS_ENTER, 1 }, { 0x05, PRESS_ENTER, 4 },
        { 0x03, PRESS_ENTER, 6 }, { 0x01, PRESS_ENTER, 1 },
    };
    for (const auto &c : cases) {
        CAPTURE(c.style);
        CAPTURE(c.press);
        CHECK(ShowAndPress(owner, "Keys", c.style, c.press) == c.result);
    }
    DestroyWindow(owner);
}

TEST_CASE("a message dialog is centred on its owner")
{
    HWND owner = MakeOwner(120, 90, 506, 327);
    ShowAndPress(owner, "Centred", 0x10, IDOK);
    RECT ownerFrame;
    GetWindowRect(owner, &ownerFrame);
    int width = Press.frame.right - Press.frame.left;
    int height = Press.frame.bottom - Press.frame.top;
    CHECK(Press.frame.left == ownerFrame.left + (506 - width) / 2);
    CHECK(Press.frame.top == ownerFrame.top + (327 - height) / 2);
    DestroyWindow(owner);
}

TEST_CASE("ConfirmCancel asks the one question, Yes and No with the question icon")
{
    HWND owner = MakeOwner(0, 0, 1024, 768);
    static const int presses[] = { IDYES, IDNO, PRESS_ESCAPE };
    static const INT_PTR results[] = { 6, 7, 2 };
    for (int i = 0; i < 3; ++i) {
        memset(&Press, 0, sizeof Press);
        Press.press = presses[i];
        Press.screenshot = i == 0 ? "message_dialog" : NULL;
        UINT_PTR timer = SetTimer(NULL, 0, 20, PressTick);
        CHECK(ConfirmCancel(owner) == results[i]);
        KillTimer(NULL, timer);
        CHECK(strcmp(Press.caption, "Question") == 0);
        CHECK(strcmp(Press.text, "Are you sure you want to cancel Kest Printer driver installation?") == 0);
        CHECK(Press.icon == LoadIconA(NULL, IDI_QUESTION));
        CHECK(strcmp(Press.buttons[3], "&Yes") == 0);
        CHECK(strcmp(Press.buttons[4], "&No") == 0);
        CHECK(Press.buttons[1][0] == '\0');
    }
    DestroyWindow(owner);
}

TEST_CASE("ShowMessageById: strings by their low 16 bits, a missing one empty")
{
    memset(&Press, 0, sizeof Press);
    Press.press = IDOK;
    UINT_PTR timer = SetTimer(NULL, 0, 20, PressTick);
    CHECK(ShowMessageById(NULL, 0x10000 + IDS_SELECT_PORT, 4999, 0x10) == 1);
    KillTimer(NULL, timer);
    CHECK(strcmp(Press.text, "Select printer port to connect.") == 0);
    CHECK(Press.caption[0] == '\0');
}

TEST_CASE("a message dialog that cannot be created gives -1")
{
    HINSTANCE own = SetupState.Instance;
    SetupState.Instance = GetModuleHandleA("kernel32.dll");   /* no templates */
    CHECK(ShowMessage(NULL, "x", "y", 0) == -1);
    SetupState.Instance = own;
}

TEST_CASE("the status window is created hidden, centred, with its string")
{
    HWND owner = MakeOwner(0, 0, 1024, 768);
    static const struct { UINT id; const char *text; } cases[] = {
        { IDS_READING_INFO, "Reading setup information..." },
        { 0x30000 + IDS_WRITING_INFO, "Writing system information..." },
    };
    for (const auto &c : cases) {
        HWND status = ShowStatus(owner, c.id);
        REQUIRE(status);
        CHECK_FALSE(IsWindowVisible(status));
        char text[128];
        GetDlgItemTextA(status, IDC_STATUS_TEXT, text, sizeof text);
        CHECK(strcmp(text, c.text) == 0);
        RECT frame;
        GetWindowRect(status, &frame);
        CHECK(frame.left == (1024 - (frame.right - frame.left)) / 2);
        CHECK(frame.top == (768 - (frame.bottom - frame.top)) / 2);
        ShowWindow(status, SW_SHOW);
        UpdateWindow(status);
        CHECK(IsWindowVisible(status));
        PumpFor(100);
        if (c.id == IDS_READING_INFO)
            SaveTestScreenshot("status_window");
        DestroyWindow(status);
    }
    HINSTANCE own = SetupState.Instance;
    SetupState.Instance = GetModuleHandleA("kernel32.dll");
    CHECK(ShowStatus(owner, IDS_READING_INFO) == NULL);
    SetupState.Instance = own;
    DestroyWindow(owner);
}
