/*
 * Start-ups that end at once: under each Windows version Wine can report but
 * the four the wizard supports (whose installations
 * tests/e2e/scenarios_install.cpp runs), with the spooler library that
 * cannot be loaded (Wine told never to load it), and beside a file or a
 * folder named "setup.exe.local". Each shows its message, no window, and
 * ends with exit code 0.
 */
#include <stdio.h>
#include <string.h>
#include "session.h"

#define OWNER_CLASS "KV_R52X_Driver_Setup"
#define UNSUPPORTED "This Driver is not supported on this Operating System."
#define LOCAL_REFUSED "setup.exe cannot run from this folder: it holds \"setup.exe.local\", which makes " \
    "Windows load system files from this folder instead of from Windows itself.\n\nCopy the package into a " \
    "new, empty folder and start setup.exe from there."

enum LocalRedirection { NO_LOCAL, LOCAL_FILE, LOCAL_FOLDER };

DEFINE_SCENARIO(startup_refused)
{
    static const struct {
        const char *version;
        LocalRedirection local;
        const char *disabledDll;    /* Wine loads no DLL of this name into setup.exe */
        const char *message;        /* the message, or its start when it ends in a blank */
    } cases[] = {
        { "win2003", NO_LOCAL, NULL, UNSUPPORTED },
        { "win8", NO_LOCAL, NULL, UNSUPPORTED },
        { "win10", NO_LOCAL, NULL, UNSUPPORTED },
        { "win98", NO_LOCAL, NULL, UNSUPPORTED },
        { "win7", NO_LOCAL, "winspool.drv",
          "setup.exe cannot load the system file C:\\windows\\system32\\WINSPOOL.DRV (system error code " },
        { "win2k", LOCAL_FILE, NULL, LOCAL_REFUSED },
        { "win7", LOCAL_FOLDER, NULL, LOCAL_REFUSED },
    };
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    char local[MAX_PATH];
    snprintf(local, sizeof local, "%ssetup.exe.local", Session.PackageDir);
    for (const auto &c : cases) {
        WALK_REQUIRE(SetWineVersion(c.version), "Wine version %s not set", c.version);
        WALK_REQUIRE(!c.disabledDll || SetSetupDllOrder(c.disabledDll, ""), "%s not disabled", c.disabledDll);
        WALK_REQUIRE(c.local != LOCAL_FILE || WritePackageFile("setup.exe.local", ""), "no file %s", local);
        WALK_REQUIRE(c.local != LOCAL_FOLDER || CreateDirectoryA(local, NULL), "no folder %s", local);
        WALK_REQUIRE(LaunchSetup(NULL), "setup.exe not started");
        DWORD process = Session.Setup.dwProcessId;
        char text[512];
        HWND box = WaitForMessageBox(process, "Install Error", text, sizeof text, WINDOW_TIMEOUT);
        WALK_REQUIRE(box, "no \"Install Error\" message under %s", c.version);
        Shot("message");
        size_t length = strlen(c.message);
        WALK_REQUIRE(c.message[length - 1] == ' ' ? strncmp(text, c.message, length) == 0
                                                   : strcmp(text, c.message) == 0,
                     "message text \"%s\" under %s", text, c.version);
        WALK_REQUIRE(!WaitForAnyWindow(process, OWNER_CLASS, NULL, 0), "a window of class " OWNER_CLASS
                     " exists under %s", c.version);
        WALK_REQUIRE(ClickButton(box, IDOK) || ClickButton(box, IDCANCEL), "the message has no Ok button");
        DWORD exitCode = 1;
        WALK_REQUIRE(WaitForSetupExit(EXIT_TIMEOUT, &exitCode), "setup.exe still runs after the message");
        WALK_REQUIRE(exitCode == 0, "exit code %lu under %s", exitCode, c.version);
        EndSetup();
        SetSetupDllOrder(NULL, NULL);
        DeleteFileA(local);
        RemoveDirectoryA(local);
        printf("refused under %s: %s\n", c.version, text);
    }
    return 1;
}
