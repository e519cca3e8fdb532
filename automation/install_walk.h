/*
 * The walk through the wizard, driven from outside as a user would click
 * through it, step by step or as a whole installation; and what an
 * installation left behind. Used by run.sh's headless run (walk.exe), by the
 * benchmarks and by the end-to-end scenarios. Every wait is bounded; a step
 * that fails reports why (WalkFail) and returns 0 or NULL.
 */
#ifndef AUTOMATION_INSTALL_WALK_H
#define AUTOMATION_INSTALL_WALK_H

#include <windows.h>

#define SUCCESS_TEXT "The Installation has done successfully."
#define FAILURE_TEXT "The Installation has failed."

/* An enabled, visible dialog of setup.exe holding the control: the pages
   share one caption, their controls tell them apart, and a page under its
   message dialog is disabled. NULL when none came in time. */
HWND WaitForPage(int controlId, DWORD timeoutMs);

/* Checks the page as it shows on screen, by its pixels: every visible
   control inside the page, no row or column of the page showing only the
   dialog's face colour outside them (the background picture covers the
   page), no box of that colour in a text, icon or check box (the picture
   shows around them), and, with a list (listId not 0), its selected row at
   least the standard icon's height and two margins high, showing the whole icon of the group `iconGroup` (as
   setup.exe's resources draw it) with the item's text after it. Waits up
   to 3 s for the page to paint so. 1 when it holds. */
int CheckPageLayout(HWND page, int listId, const char *iconGroup);

/* Waits for the wizard's own message dialog with that caption, checks that
   it says `expected`, and answers it with Ok. */
int AcknowledgeMessage(const char *caption, const char *expected);

/* Selects the list item whose text is `wanted`; NULL keeps the page's
   selection, or takes the first item when none is selected. The selected
   item's text goes to `chosen`. 1 when an item is selected. */
int ChooseListItem(HWND page, int listId, const char *wanted, char *chosen, int size);

/* The selected item's text, empty when none is selected. */
void SelectedText(HWND page, int listId, char *out, int size);

/* Makes Wine report `wineVersion`, starts setup.exe of the prepared package
   with `arguments` (NULL: none) and waits for the welcome page after the
   "Reading setup information..." status window. */
HWND StartToWelcome(const char *wineVersion, const char *arguments);

/* Clicks `buttonId` on `page` and waits for the page holding `controlId`. */
HWND ClickTo(HWND page, int buttonId, int controlId);

enum CancelWay { CANCEL_BUTTON, CANCEL_ESCAPE, CANCEL_CLOSE_BOX };

/* Asks to cancel on a page or in the copy dialog and answers the question
   "Are you sure you want to cancel..." with IDYES or IDNO. 1 when the
   question came with its text and went. */
int AnswerCancel(HWND page, CancelWay way, int answer);

enum ExitWay { EXIT_OK, EXIT_OK_BOX_CLEARED, EXIT_ESCAPE };

/* Waits for the exit page and checks it: the success or the failure text,
   the default-printer box checked on success and hidden on failure, Ok
   with the focus. Ends it the given way and waits for setup.exe to end
   with exit code 0. */
int FinishExitPage(int success, ExitWay way);

struct InstallPlan {
    const char *WineVersion;    /* what Wine reports to setup.exe: "win2k", "win7"... */
    const char *Model;          /* the model list item to choose; NULL: the page's own */
    const char *Port;           /* the port list item to choose; NULL: the page's own */
    int SetDefault;             /* leave "Set as default printer" checked (1) or clear it (0) */
    DWORD SlowStepTimeout;      /* longest wait for the port page, the copy dialog and the
                                   exit page, ms; 0: 60 s */
    int PrinterRefused;         /* 1: no driver is staged for this process's own environment,
                                   so that a 64-bit spooler refuses the printer; each
                                   registration run's "Add a printer error " box is answered
                                   and the failure page expected */
    const char *Arguments;      /* setup.exe's command line after its name; NULL: none */
    int StopOnPortPage;         /* 1: return once the port page shows, setup.exe left
                                   running on it (EndSetup ends it) */
};

/* A plan under `wineVersion` that chooses `model` and `port` (NULL: the
   page's own) and zero for every other field; set those by name. */
InstallPlan PlanInstall(const char *wineVersion, const char *model, const char *port);

/* What RunWholeInstall saw; times in GetTickCount milliseconds from the
   launch. */
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
    char WelcomeText[512];
    int ModelCount;
    char Model[256];            /* the model and port chosen */
    char Port[256];
    int Refusals;               /* "Add a printer error " boxes answered */
    char RefusalText[256];      /* the first one's text */
};

/* Runs setup.exe of the prepared package (PreparePackage) through a whole
   installation (or up to the port page) with Shot() at every step
   ("01-reading" ... "07-exit").
   Checks on the way what every installation shows: the reading status
   before the welcome page, the focus and the layout (CheckPageLayout) of
   each page, the writing status for the two registration runs and their
   waits, the exit page (success, or failure for a refused printer) and
   exit code 0. 1 when all of that held. */
int RunWholeInstall(const InstallPlan *plan, InstallRecord *record);

/* Checks what the installation left: the printer of the model's name on the
   port with the model's driver, the level-3 driver record with exactly the
   model's files, every file in the driver directory and its "3"
   subdirectory with the expanded content of the package's file, and
   whether the default printer entry names the model. `files` is the
   model's file list, comma-separated. The texts are UTF-8: the spooler's
   records and the profile entry are read back in UTF-16 and compared with
   them; the files are looked for under their names in this process's
   code page. */
int CheckInstalled(const char *model, const char *port, const char *files, int isDefault);

/* 1 when the file at `installed` holds exactly the package file
   `packageFile`, expanded when it is LZ-compressed. */
int SameAsPackageFile(const char *packageFile, const char *installed);

/* Removes the printer and driver of the model's name and clears the default
   printer entry when it names the model. */
void RemoveInstalled(const char *model);

#endif
