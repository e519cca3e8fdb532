/*
 * pkgcheck FOLDER: checks the driver package in FOLDER (the current folder
 * when none is given) and prints, per model, its install section, hardware
 * id, data type and files, every problem the wizard would meet and notes
 * of advice. Exit status: 0 for a clean package (notes or none), 1 when
 * problems were found, 2 when the folder cannot be checked at all or
 * pkgcheck refuses to start (StartSafely).
 */
#include "pkgcheck.h"
#include "shell/ansi_text.h"
#include "shell/setup_state.h"
#include "shell/startup.h"

#include <stdio.h>
#include <string.h>

/* Sets InfPath to FOLDER\<INF name>, as GetInfPath would build it for a
   setup.exe in that folder; `folder` receives the full folder path without
   a trailing backslash. 0 when the path does not fit. */
static int UsePackageFolder(const char *argument, char *folder, DWORD size)
{
    DWORD length = GetFullPathNameA(argument, size, folder, NULL);
    if (length == 0 || length >= size)
        return 0;
    folder[LengthWithoutTrailing(folder, "\\/", IsAnsiLeadByte)] = '\0';
    int written = snprintf(SetupState.InfPath, sizeof SetupState.InfPath, "%s\\%s", folder,
                           OsTable[SetupState.OsIndex].InfFileName);
    return written > 0 && written < (int)sizeof SetupState.InfPath;
}

/* Prints why start-up ends. */
static void PrintStartupError(const char *text)
{
    printf("pkgcheck: %s\n", text);
}

int main(int argc, char **argv)
{
    /* Vendors run it in their build folders, with whatever lies there. */
    if (!StartSafely(PrintStartupError))
        return 2;
    if (argc > 2 || (argc == 2 && (strcmp(argv[1], "/?") == 0 || strcmp(argv[1], "--help") == 0))) {
        printf("usage: pkgcheck [FOLDER]\n"
               "Checks the printer driver package in FOLDER (default: the current folder).\n"
               "Exit status 0 when it is clean (NOTE lines are advice), 1 when problems were found.\n");
        return 2;
    }
    /* Every supported system reads the same INF and section; an unsupported
       one leaves the first row. The driver directory is the one the wizard
       copies into, its environment's. */
    SetupState.OsIndex = 0;
    DetectEnvironment();
    SetupState.Environment = SetupEnvironment;

    static char folder[TEXT_SIZE];
    if (!UsePackageFolder(argc == 2 ? argv[1] : ".", folder, sizeof folder)) {
        printf("pkgcheck: the folder's path is too long\n");
        return 2;
    }
    int problems = CheckPackage(folder);
    if (problems < 0) {
        printf("pkgcheck: not enough memory to read the models section\n");
        return 2;
    }
    if (problems == 0)
        printf("\nResult: the package is clean.");
    else
        printf("\nResult: %d problem%s.", problems, problems == 1 ? "" : "s");
    int notes = NoteCount();
    if (notes > 0)
        printf(" %d note%s.", notes, notes == 1 ? "" : "s");
    printf("\n");
    fflush(stdout);
    return problems == 0 ? 0 : 1;
}
