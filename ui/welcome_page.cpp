/*
 * The welcome page (IDD_WELCOME): the supported systems and Next or Cancel.
 */
#include "shell/setup_state.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

#include <string.h>

static const char X86Text[] =
    "Supported operating system:\r\n"
    "\tWindows 7 Home x86\r\n"
    "\tWindows 7 Professional x86\r\n"
    "\tWindows 7 Ultimate x86\r\n"
    "\r\n"
    "Terminate all running applications before installing driver.";

static const char X64Text[] =
    "Supported operating system:\r\n"
    "\tWindows 7 Home x64\r\n"
    "\tWindows 7 Professional x64\r\n"
    "\tWindows 7 Ultimate x64\r\n"
    "\r\n"
    "Terminate all running applications before installing driver.";

/* The text for "Windows NT x86" or "Windows x64" (compared exactly), or
   NULL for any other environment, a null one included. */
static const char *SupportedSystemText(const char *environment)
{
    if (!environment)
        return NULL;
    if (strcmp(environment, "Windows NT x86") == 0)
        return X86Text;
    if (strcmp(environment, "Windows x64") == 0)
        return X64Text;
    return NULL;
}

/* Next focused, and the supported-system text of the environment; for an
   environment without one the template's text stays. */
static void OnWelcomeInit(HWND page)
{
    SetFocus(GetDlgItem(page, ID_NEXT));
    const char *text = SupportedSystemText(SetupState.Environment);
    if (text)
        SetDlgItemTextA(page, IDC_WELCOME_TEXT, text);
}

/* No Back: the first page. */
static const PageParts WelcomePage = {
    OnWelcomeInit, 0, NULL, { { ID_NEXT, EndPageWithNext }, { IDCANCEL, CancelPageOnYes } }
};

INT_PTR ShowWelcomePage(HWND owner)
{
    return ShowPage(owner, IDD_WELCOME, &WelcomePage);
}
