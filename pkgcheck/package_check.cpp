#include "pkgcheck.h"
#include "setupinfo/setupinfo.h"
#include "setupinfo/model_line_logic.h"
#include "shell/setup_state.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The largest key list read whole; an INF's models section beyond it is
   not checked past that point. */
#define KEY_LIST_LIMIT (32u * 1024 * 1024)

/* Reads the whole key list of the models section into a block it
   allocates (free it), growing the block until the list fits. *size gets
   the block's size. NULL when no memory is left. */
static char *ReadWholeKeyList(DWORD *size)
{
    DWORD capacity = 65536;
    for (;;) {
        char *list = (char *)malloc(capacity);
        if (!list)
            return NULL;
        DWORD length = GetPrivateProfileStringA(OsTable[SetupState.OsIndex].ModelsSection, NULL, "",
                                                list, capacity, GetInfPath());
        /* The reader returns capacity - 2 for a list it had to cut. */
        if (length < capacity - 2 || capacity >= KEY_LIST_LIMIT) {
            list[capacity - 2] = '\0';
            list[capacity - 1] = '\0';
            *size = capacity;
            return list;
        }
        free(list);
        capacity *= 2;
    }
}

/* 1 when the INF exists as a file; reports the problem otherwise. */
static int CheckInfPresent(void)
{
    DWORD attributes = GetFileAttributesA(GetInfPath());
    const char *infName = OsTable[SetupState.OsIndex].InfFileName;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ReportProblem("no %s in the package folder", infName);
        return 0;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ReportProblem("%s is a folder, not a file", infName);
        return 0;
    }
    return 1;
}

int CheckPackage(const char *folder)
{
    printf("Package: %s\n", folder);
    printf("INF: %s\n", GetInfPath());
    if (!CheckInfPresent())
        return ProblemCount();
    CheckInfText(GetInfPath());

    LoadDriverDirectory();
    const char *driverDirectory = SetupState.DriverDirectory;
    printf("Driver directory: %s\n", driverDirectory[0] ? driverDirectory : "(the spooler gives none)");
    CheckDriverDateFile(folder);

    DWORD size = 0;
    char *keys = ReadWholeKeyList(&size);
    if (!keys)
        return -1;
    unsigned total = CountListNames(keys, size);
    WORD listed = CountModels();
    const char *section = OsTable[SetupState.OsIndex].ModelsSection;
    printf("Models section [%s]: %u keys; the model list shows %u\n", section, total, (unsigned)listed);
    if (total == 0)
        ReportProblem("the models section [%s] lists no models", section);
    else if (total > listed)
        ReportProblem("the models section has %u model keys, but the model list shows only the first %u: "
                      "it counts the keys within the first 1024 bytes of the key list", total, (unsigned)listed);

    for (WORD index = 0; index < listed; index++) {
        const char *key = ListNameAt(keys, size, index);
        if (key)
            CheckModel(index, key, folder);
    }
    free(keys);
    return ProblemCount();
}
