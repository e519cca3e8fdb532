/*
 * A whole installation driven from outside, as a user would click through
 * it: welcome page, model, port, the copy, the registration, the exit page;
 * and what it left behind. Used by run.sh's headless run (walk.exe), by the
 * benchmarks and by the end-to-end scenarios. Every wait is bounded.
 */
#ifndef AUTOMATION_INSTALL_WALK_H
#define AUTOMATION_INSTALL_WALK_H

#include <windows.h>

struct InstallPlan {
    const char *WineVersion;    /* what Wine reports to setup.exe: "win2k", "win7"... */
    const char *Model;          /* the model list item to choose; NULL: the first */
    const char *Port;           /* the port list item to choose; NULL: the page's own choice */
    int SetDefault;             /* leave "Set as default printer" checked (1) or clear it (0) */
    DWORD SlowStepTimeout;      /* longest wait for the port page, the copy dialog and the
                                   exit page, ms; 0: 60 s */
    int PrinterRefused;         /* 1: no driver is staged for this process's own environment,
                                   so that a 64-bit spooler refuses the printer; each
                                   registration run's "Add a printer error " box is answered
                                   and the failure page expected */
};

/* What RunWholeInstall saw, in GetTickCount milliseconds from the launch. */
struct InstallRecord {
    DWORD WelcomeShown;
    DWORD PortNextClicked;
    DWORD PortShown;            /* after Next on the model page */
    DWORD ModelNextClicked;
    DWORD CopyShown;
    DWORD CopyGone;
    DWORD ExitShown;
    SIZE_T PeakWorkingSet;      /* setup.exe's, in bytes, read on the exit page */
    SIZE_T PeakPagefile;
    char Model[256];            /* the model and port chosen */
    char Port[256];
    int Refusals;               /* "Add a printer error " boxes answered */
    char RefusalText[256];      /* the first one's text */
};

/* Runs setup.exe of the prepared package (PreparePackage) through a whole
   installation with Shot() at every step ("01-reading" ... "07-exit"),
   checks that the exit page reports success (failure, without the default
   printer box, for a refused printer) and that the program ends with exit
   code 0. 1 when all of that held; reports the failure otherwise. */
int RunWholeInstall(const InstallPlan *plan, InstallRecord *record);

/* Checks what the installation left: the printer of the model's name on the
   port with the model's driver, the level-3 driver record with the model's
   files, every file in the driver directory and its "3" subdirectory with
   the expanded content of the package's file, and the default printer when
   asked. `files` is the model's file list, comma-separated. */
int CheckInstalled(const char *model, const char *port, const char *files, int isDefault);

/* 1 when the file at `installed` holds exactly the package file
   `packageFile`, expanded when it is LZ-compressed. */
int SameAsPackageFile(const char *packageFile, const char *installed);

/* Removes the printer and driver of the model's name and clears the default
   printer entry when it names the model. */
void RemoveInstalled(const char *model);

#endif
