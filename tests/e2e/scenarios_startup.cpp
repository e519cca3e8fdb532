/*
 * Start-up under each Windows version Wine can report: the four supported
 * versions start the wizard with its hidden owner window; every other one
 * gets the unsupported-system message, no window, and exit code 0.
 */
#include <stdio.h>
#include <string.h>
#include "session.h"

#define OWNER_CLASS "KV_R52X_Driver_Setup"
#define OWNER_TITLE "Printer Driver Setup"
#define WIZARD_CAPTION "Kest Printer Driver Install Wizard"

static int StartsUnder(const char *version, const char *arguments)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    WALK_REQUIRE(SetWineVersion(version), "Wine version %s not set", version);
    WALK_REQUIRE(LaunchSetup(arguments), "setup.exe not started");
    DWORD process = Session.Setup.dwProcessId;

    HWND owner = WaitForAnyWindow(process, OWNER_CLASS, NULL, WINDOW_TIMEOUT);
    WALK_REQUIRE(owner, "no window of class " OWNER_CLASS " under %s", version);
    char title[256];
    ReadText(owner, title, sizeof title);
    WALK_REQUIRE(strcmp(title, OWNER_TITLE) == 0, "owner window titled \"%s\"", title);

    /* The wizard's first page, when there is one, follows the one-second
       status window; closing before it shows would race with its timers. */
    HWND page = WaitForWindow(process, "#32770", WIZARD_CAPTION, 4000);
    Shot(page ? "welcome" : "started");
    WALK_REQUIRE(!IsWindowVisible(owner), "the owner window is visible");
    WALK_REQUIRE(!WaitForWindow(process, "#32770", "Install Error", 0),
                "the unsupported-system message came under %s", version);
    DWORD exitCode = 0;
    WALK_REQUIRE(!WaitForSetupExit(0, &exitCode), "setup.exe ended by itself (exit code %lu)", exitCode);

    WALK_REQUIRE(CloseSetupWizard(owner), "setup.exe did not end cleanly after WM_CLOSE");
    return 1;
}

static int RefusedUnder(const char *version)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    WALK_REQUIRE(SetWineVersion(version), "Wine version %s not set", version);
    WALK_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
    DWORD process = Session.Setup.dwProcessId;

    char text[256];
    HWND box = WaitForMessageBox(process, "Install Error", text, sizeof text, WINDOW_TIMEOUT);
    WALK_REQUIRE(box, "no \"Install Error\" message under %s", version);
    Shot("message");
    WALK_REQUIRE(strcmp(text, "This Driver is not supported on this Operating System.") == 0,
                "message text \"%s\"", text);
    WALK_REQUIRE(!WaitForAnyWindow(process, OWNER_CLASS, NULL, 0),
                "a window of class " OWNER_CLASS " exists under %s", version);

    WALK_REQUIRE(ClickButton(box, IDOK) || ClickButton(box, IDCANCEL), "the message has no Ok button");
    DWORD exitCode = 1;
    WALK_REQUIRE(WaitForSetupExit(EXIT_TIMEOUT, &exitCode), "setup.exe still runs after the message");
    WALK_REQUIRE(exitCode == 0, "exit code %lu", exitCode);
    return 1;
}

DEFINE_SCENARIO(startup_runs_win2k) { return StartsUnder("win2k", NULL); }
DEFINE_SCENARIO(startup_runs_winxp) { return StartsUnder("winxp", NULL); }
DEFINE_SCENARIO(startup_runs_vista) { return StartsUnder("vista", NULL); }
DEFINE_SCENARIO(startup_runs_win7) { return StartsUnder("win7", NULL); }
/* The program has no command-line options: arguments change nothing. */
DEFINE_SCENARIO(startup_ignores_arguments) { return StartsUnder("win7", "/s /q -uninstall x.inf"); }

DEFINE_SCENARIO(startup_refused_win2003) { return RefusedUnder("win2003"); }
DEFINE_SCENARIO(startup_refused_win8) { return RefusedUnder("win8"); }
DEFINE_SCENARIO(startup_refused_win10) { return RefusedUnder("win10"); }
DEFINE_SCENARIO(startup_refused_win98) { return RefusedUnder("win98"); }
