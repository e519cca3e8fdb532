/*
 * End-to-end scenarios: e2e.exe runs one scenario by name; each starts the
 * built setup.exe in its own package directory under the Wine prefix, drives
 * its windows from outside (tests/driver/ui_driver.h) and checks what the
 * user would see. Every wait is bounded; a failed check prints the windows on
 * screen and saves a screenshot.
 *
 * A scenario is a function returning 1 (passed), 0 (failed) or E2E_SKIPPED,
 * declared with E2E_SCENARIO(name) at the start of a line of a
 * tests/e2e/scenarios_*.cpp file; tests.cmake reads those lines and makes the
 * CTest test e2e_<name>.
 * Scenarios run one at a time; each gets its own package folder.
 */
#ifndef E2E_H
#define E2E_H

#include <windows.h>
#include "ui_driver.h"

/* Bounds for the waits of the scenarios: Wine's first window of a process
   can take seconds on a loaded machine. */
#define E2E_WINDOW_TIMEOUT 20000
#define E2E_EXIT_TIMEOUT   20000

/* Every scenario's package folder lies under this one. */
#define PACKAGE_ROOT "C:\\e2e"

/* What the current run knows. Paths are Windows paths. */
struct E2eContext {
    const char *Scenario;
    char SetupExe[MAX_PATH];    /* the build's setup.exe */
    char SampleDir[MAX_PATH];   /* the repository's sample driver package */
    char ShotsDir[MAX_PATH];    /* where screenshots go; empty: none saved */
    char PackageDir[MAX_PATH];  /* C:\e2e\<scenario>\ once prepared */
    PROCESS_INFORMATION Setup;  /* the running setup.exe; zero when none */
};
extern E2eContext E2e;

typedef int (*ScenarioFunction)(void);
int RegisterScenario(const char *name, ScenarioFunction run);

#define E2E_SCENARIO(name)                                                  \
    static int name(void);                                                  \
    [[maybe_unused]] static int name##_registered = RegisterScenario(#name, name); \
    static int name(void)

/* What a scenario returns, after a line saying why, when this machine cannot
   produce what it tests; e2e.exe then exits with it, which CTest counts as
   skipped. */
#define E2E_SKIPPED 77

/* Reports a failed check: the message with its line, the windows on screen
   and a screenshot named "failure". Returns 0 so that a scenario can
   `return E2eFail(...)`. */
int E2eFail(const char *file, int line, const char *format, ...);

/* Ends the scenario with a failure report when the condition is false. */
#define E2E_REQUIRE(condition, ...)                                         \
    do {                                                                    \
        if (!(condition))                                                   \
            return E2eFail(__FILE__, __LINE__, __VA_ARGS__);                \
    } while (0)

/* e2e_package.cpp */

/* Makes the fresh folder C:\e2e\<scenario>\ (a leftover is deleted first),
   copies setup.exe into it and every file directly inside `sourceDir` (NULL
   or a missing folder: none). Its path goes to E2e.PackageDir. 1 on
   success. */
int PreparePackage(const char *sourceDir);

/* Writes a text file into the package directory, as it stands. */
int WritePackageFile(const char *name, const char *text);

/* Turns a Unix path into the Z: drive path Wine maps it to; a Windows path
   is copied unchanged. */
void ToWindowsPath(const char *path, char *out, size_t size);

/* e2e_setup_process.cpp */

/* Makes Wine report `version` ("win2k", "winxp", "vista", "win7",
   "win2003", "win8", "win10", "win98") to setup.exe; NULL removes the
   setting. Wine reads it when a process starts. 1 on success. */
int SetWineVersion(const char *version);

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

/* e2e_report.cpp */

/* Saves the screen as <shots>\<scenario>-<name>.bmp. 1 on success or when
   no shots folder was given. */
int Shot(const char *name);

#endif
