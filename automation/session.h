/*
 * Driving setup.exe from another process under Wine: one named scenario per
 * run of a program built on this folder (walk.exe for run.sh, e2e.exe for
 * the end-to-end tests, bench.exe for the benchmarks). A scenario prepares a
 * package folder, starts the built setup.exe in it, drives its windows
 * (window_driver.h) and reads back what it left (spooler_readback.h). Every
 * wait is bounded; a failed check prints the windows on screen and saves a
 * screenshot.
 *
 * A scenario is a function returning 1 (passed), 0 (failed) or
 * SCENARIO_SKIPPED, declared with DEFINE_SCENARIO(name) at the start of a
 * line; CMake reads those lines to make a test of each, run as the table of
 * tests/e2e/tests.cmake says where it names the scenario. Scenarios run one
 * at a time; each gets its own package folder.
 */
#ifndef AUTOMATION_SESSION_H
#define AUTOMATION_SESSION_H

#include <windows.h>
#include "window_driver.h"

/* Bounds for the waits of the scenarios: Wine's first window of a process
   can take seconds on a loaded machine. */
#define WINDOW_TIMEOUT 20000
#define EXIT_TIMEOUT   20000

/* Every scenario's package folder lies under this one. */
#define PACKAGE_ROOT "C:\\e2e"

/* What the current run knows. Paths are Windows paths. */
struct SessionContext {
    const char *Scenario;
    char SetupExe[MAX_PATH];    /* the build's setup.exe */
    char SampleDir[MAX_PATH];   /* the repository's sample driver package */
    char ShotsDir[MAX_PATH];    /* where screenshots go; empty: none saved */
    int ShotEveryStep;          /* 1: every Shot() is saved; 0: only a failure's */
    char PackageDir[MAX_PATH];  /* C:\e2e\<scenario>\ once prepared */
    PROCESS_INFORMATION Setup;  /* the running setup.exe; zero when none */
    DWORD LaunchedAt;           /* GetTickCount when it was started */
};
extern SessionContext Session;

typedef int (*ScenarioFunction)(void);
int RegisterScenario(const char *name, ScenarioFunction run);

#define DEFINE_SCENARIO(name)                                                  \
    static int name(void);                                                  \
    [[maybe_unused]] static int name##_registered = RegisterScenario(#name, name); \
    static int name(void)

/* What a scenario returns, after a line saying why, when this machine cannot
   produce what it tests; e2e.exe then exits with it, which CTest counts as
   skipped. */
#define SCENARIO_SKIPPED 77

/* Reports a failed check: the message with its line, the windows on screen
   and a screenshot named "failure". Returns 0 so that a scenario can
   `return WalkFail(...)`. */
int WalkFail(const char *file, int line, const char *format, ...);

/* Ends the scenario with a failure report when the condition is false. */
#define WALK_REQUIRE(condition, ...)                                         \
    do {                                                                    \
        if (!(condition))                                                   \
            return WalkFail(__FILE__, __LINE__, __VA_ARGS__);                \
    } while (0)

/* package.cpp */

/* Makes the fresh folder C:\e2e\<scenario>\ (a leftover is deleted first),
   or C:\e2e\<scenario>\<subfolder>\ when a subfolder is named, copies
   setup.exe into it and every file directly inside `sourceDir` (NULL or a
   missing folder: none). Its path goes to Session.PackageDir. 1 on
   success. */
int PreparePackage(const char *sourceDir, const char *subfolder = NULL);

/* Copies every file directly inside `folder` into the package directory.
   1 on success. */
int CopyIntoPackage(const char *folder);

/* Writes a text file into the package directory, as it stands. */
int WritePackageFile(const char *name, const char *text);

/* Turns a Unix path into the Z: drive path Wine maps it to; a Windows path
   is copied unchanged. */
void ToWindowsPath(const char *path, char *out, size_t size);

/* setup_process.cpp */

/* Makes Wine report `version` ("win2k", "winxp", "vista", "win7",
   "win2003", "win8", "win10", "win98") to setup.exe; NULL removes the
   setting. Wine reads it when a process starts. 1 on success. */
int SetWineVersion(const char *version);

/* Makes Wine load the DLL `name` ("lz32", "winspool.drv") into setup.exe
   as `order` says ("native,builtin": a DLL beside the program first, as
   Windows looks for any DLL that is not one of its known DLLs; "": never);
   a NULL name removes every such setting. Wine reads it when a process
   starts (a child's WINEDLLOVERRIDES is not its environment block's).
   1 on success. */
int SetSetupDllOrder(const char *name, const char *order);

/* Starts the package's setup.exe with its folder as current directory and
   `arguments` (NULL: none) on its command line. 1 on success. */
int LaunchSetup(const char *arguments);

/* Waits for setup.exe to end; 1 with its exit code when it ended in time. */
int WaitForSetupExit(DWORD timeoutMs, DWORD *exitCode);

/* Ends the wizard from outside: posts WM_CLOSE to the owner window, answers
   the exit page ("Printer Driver Setup") with Ok when it comes, and waits for
   the process. 1 when it ended in time with exit code 0. */
int CloseSetupWizard(HWND owner);

/* Terminates setup.exe if it still runs and forgets it. */
void EndSetup(void);

/* Terminates every setup.exe of the prefix that an earlier, aborted run
   left behind. */
void EndStraySetups(void);

/* report.cpp */

/* Saves the screen as <shots>\<scenario>-<name>.bmp when every step's
   screenshot is asked for (walk.exe's --shots). 1 on success or when none
   is to be saved. */
int Shot(const char *name);

#endif
