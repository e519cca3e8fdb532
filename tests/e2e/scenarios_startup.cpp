/*
 * Start-up under each Windows version Wine can report but the four the
 * wizard supports (whose installations tests/e2e/scenarios_install.cpp
 * runs): the unsupported-system message, no window, and exit code 0.
 */
#include <stdio.h>
#include <string.h>
#include "session.h"

#define OWNER_CLASS "KV_R52X_Driver_Setup"

DEFINE_SCENARIO(startup_refused)
{
    static const char *const versions[] = { "win2003", "win8", "win10", "win98" };
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    for (const char *version : versions) {
        WALK_REQUIRE(SetWineVersion(version), "Wine version %s not set", version);
        WALK_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
        DWORD process = Session.Setup.dwProcessId;
        char text[256];
        HWND box = WaitForMessageBox(process, "Install Error", text, sizeof text, WINDOW_TIMEOUT);
        WALK_REQUIRE(box, "no \"Install Error\" message under %s", version);
        Shot("message");
        WALK_REQUIRE(strcmp(text, "This Driver is not supported on this Operating System.") == 0,
                     "message text \"%s\" under %s", text, version);
        WALK_REQUIRE(!WaitForAnyWindow(process, OWNER_CLASS, NULL, 0), "a window of class " OWNER_CLASS
                     " exists under %s", version);
        WALK_REQUIRE(ClickButton(box, IDOK) || ClickButton(box, IDCANCEL), "the message has no Ok button");
        DWORD exitCode = 1;
        WALK_REQUIRE(WaitForSetupExit(EXIT_TIMEOUT, &exitCode), "setup.exe still runs after the message");
        WALK_REQUIRE(exitCode == 0, "exit code %lu under %s", exitCode, version);
        EndSetup();
        printf("refused under %s\n", version);
    }
    return 1;
}
