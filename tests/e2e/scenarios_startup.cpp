/*
 * Start-up under each Windows version Wine can report: the four supported
 * versions start the wizard with its hidden owner window; every other one
 * gets the unsupported-system message, no window, and exit code 0.
 */
#include <stdio.h>
#include <string.h>
#include "e2e.h"

#define OWNER_CLASS "KV_R52X_Driver_Setup"
#define OWNER_TITLE "Printer Driver Setup"
#define WIZARD_CAPTION "Kest Printer Driver Install Wizard"

static int StartsUnder(const char *version, const char *arguments)
{
    E2E_REQUIRE(PreparePackage(E2e.SampleDir), "package folder not prepared");
    E2E_REQUIRE(SetWineVersion(version), "Wine version %s not set", version);
    E2E_REQUIRE(LaunchSetup(arguments), "setup.exe not started");
    DWORD process = E2e.Setup.dwProcessId;

    HWND owner = WaitForAnyWindow(process, OWNER_CLASS, NULL, E2E_WINDOW_TIMEOUT);
    E2E_REQUIRE(owner, "no window of class " OWNER_CLASS " under %s", version);
    char title[256];
    ReadText(owner, title, sizeof title);
    E2E_REQUIRE(strcmp(title, OWNER_TITLE) == 0, "owner window titled \"%s\"", title);

    /* The wizard's first page, when there is one, follows the one-second
       status window; closing before it shows would race with its timers. */
    HWND page = WaitForWindow(process, "#32770", WIZARD_CAPTION, 4000);
    Shot(page ? "welcome" : "started");
    E2E_REQUIRE(!IsWindowVisible(owner), "the owner window is visible");
    E2E_REQUIRE(!WaitForWindow(process, "#32770", "Install Error", 0),
                "the unsupported-system message came under %s", version);
    DWORD exitCode = 0;
    E2E_REQUIRE(!WaitForSetupExit(0, &exitCode), "setup.exe ended by itself (exit code %lu)", exitCode);

    E2E_REQUIRE(CloseSetupWizard(owner), "setup.exe did not end cleanly after WM_CLOSE");
    return 1;
}

static int RefusedUnder(const char *version)
{
    E2E_REQUIRE(PreparePackage(E2e.SampleDir), "package folder not prepared");
    E2E_REQUIRE(SetWineVersion(version), "Wine version %s not set", version);
    E2E_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
    DWORD process = E2e.Setup.dwProcessId;

    char text[256];
    HWND box = WaitForMessageBox(process, "Install Error", text, sizeof text, E2E_WINDOW_TIMEOUT);
    E2E_REQUIRE(box, "no \"Install Error\" message under %s", version);
    Shot("message");
    E2E_REQUIRE(strcmp(text, "This Driver is not supported on this Operating System.") == 0,
                "message text \"%s\"", text);
    E2E_REQUIRE(!WaitForAnyWindow(process, OWNER_CLASS, NULL, 0),
                "a window of class " OWNER_CLASS " exists under %s", version);

    E2E_REQUIRE(ClickButton(box, IDOK) || ClickButton(box, IDCANCEL), "the message has no Ok button");
    DWORD exitCode = 1;
    E2E_REQUIRE(WaitForSetupExit(E2E_EXIT_TIMEOUT, &exitCode), "setup.exe still runs after the message");
    E2E_REQUIRE(exitCode == 0, "exit code %lu", exitCode);
    return 1;
}

E2E_SCENARIO(startup_runs_win2k) { return StartsUnder("win2k", NULL); }
E2E_SCENARIO(startup_runs_winxp) { return StartsUnder("winxp", NULL); }
E2E_SCENARIO(startup_runs_vista) { return StartsUnder("vista", NULL); }
E2E_SCENARIO(startup_runs_win7) { return StartsUnder("win7", NULL); }
/* The program has no command-line options: arguments change nothing. */
E2E_SCENARIO(startup_ignores_arguments) { return StartsUnder("win7", "/s /q -uninstall x.inf"); }

E2E_SCENARIO(startup_refused_win2003) { return RefusedUnder("win2003"); }
E2E_SCENARIO(startup_refused_win8) { return RefusedUnder("win8"); }
E2E_SCENARIO(startup_refused_win10) { return RefusedUnder("win10"); }
E2E_SCENARIO(startup_refused_win98) { return RefusedUnder("win98"); }
