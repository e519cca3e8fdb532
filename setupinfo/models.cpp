#include "setupinfo.h"
#include "model_key_logic.h"
#include "model_line_logic.h"
#include "shell/setup_state.h"

/* Reads the key list of the models section into `list`. */
static void ReadModelKeys(char *list, DWORD size)
{
    list[0] = '\0';
    GetPrivateProfileStringA(OsTable[SetupState.OsIndex].ModelsSection, NULL, "", list, size,
                             GetInfPath());
    /* The reader ends a list cut short with two NULs; make sure of it. */
    list[size - 2] = '\0';
    list[size - 1] = '\0';
}

WORD CountModels(void)
{
    char list[1024];
    ReadModelKeys(list, sizeof list);
    return (WORD)CountListNames(list, sizeof list);
}

/* The key list is read afresh for every index, into a buffer twice the size
   of CountModels' so that the last counted name comes back whole. */
void GetModelName(WORD index, char *out)
{
    char list[2048];
    ReadModelKeys(list, sizeof list);
    const char *key = ListNameAt(list, sizeof list, index);
    if (key)
        StripModelKey(key, out, TEXT_SIZE);
}
