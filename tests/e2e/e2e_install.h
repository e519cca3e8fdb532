/*
 * A whole installation driven from outside, as a user would click through
 * it: welcome page, model, port, the copy, the registration, the exit page.
 * Used by the installation scenarios, by run.sh's headless run and by the
 * benchmarks. Every wait is bounded.
 */
#ifndef E2E_INSTALL_H
#define E2E_INSTALL_H

#include <windows.h>

struct InstallPlan {
    const char *WineVersion;    /* what Wine reports to setup.exe: "win2k", "win7"... */
    const char *Model;          /* the model list item to choose; NULL: the first */
    const char *Port;           /* the port list item to choose; NULL: the page's own choice */
    int SetDefault;             /* leave "Set as default printer" checked (1) or clear it (0) */
    DWORD SlowStepTimeout;      /* longest wait for the port page, the copy dialog and the
                                   exit page, ms; 0: 60 s */
    int StopOnPortPage;         /* 1: return once the port page shows, setup.exe left
                                   running on it (EndSetup ends it) */
};

/* What RunWholeInstall saw, in GetTickCount milliseconds from the launch. */
struct InstallRecord {
    DWORD WelcomeShown;
    DWORD WelcomeNextClicked;
    DWORD ModelShown;
    DWORD ModelNextClicked;
    DWORD PortShown;            /* after Next on the model page */
    DWORD PortNextClicked;
    DWORD CopyShown;
    DWORD CopyGone;
    DWORD ExitShown;
    SIZE_T PeakWorkingSet;      /* setup.exe's, in bytes, read on the exit page */
    SIZE_T PeakPagefile;
    char Model[256];            /* the model and port chosen */
    char Port[256];
};

/* Runs setup.exe of the prepared package (PreparePackage) through a whole
   installation (or up to the port page) with Shot() at every step
   ("01-reading" ... "07-exit"),
   checks that the exit page reports success and that the program ends with
   exit code 0. 1 when all of that held; reports the failure otherwise. */
int RunWholeInstall(const InstallPlan *plan, InstallRecord *record);

/* Checks what the installation left: the printer of the model's name on the
   port with the model's driver, the level-3 driver record with the model's
   files, every file in the driver directory and its "3" subdirectory with
   the expanded content of the package's file, and the default printer when
   asked. `files` is the model's file list, comma-separated. */
int CheckInstalled(const char *model, const char *port, const char *files, int isDefault);

/* Removes the printer and driver of the model's name and clears the default
   printer entry when it names the model. */
void RemoveInstalled(const char *model);

#endif
