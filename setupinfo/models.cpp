#include "setupinfo.h"
#include "model_key_logic.h"
#include "model_line_logic.h"
#include "shell/setup_state.h"

/* GetModelName reads the key list into a buffer twice the size of
   CountModels' so that the last counted name comes back whole. */
#define NAME_LIST_SIZE 2048

/* The key list held by ReadModelList until FreeModelList, for GetModelName. */
static int ModelListHeld;
static char HeldModelKeys[NAME_LIST_SIZE];

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

void ReadModelList(void)
{
    ReadModelKeys(HeldModelKeys, sizeof HeldModelKeys);
    ModelListHeld = 1;
}

void FreeModelList(void)
{
    ModelListHeld = 0;
}

WORD CountModels(void)
{
    char list[1024];
    ReadModelKeys(list, sizeof list);
    return (WORD)CountListNames(list, sizeof list);
}

/* From the held key list, or else from one read afresh. */
void GetModelName(WORD index, char *out)
{
    char fresh[NAME_LIST_SIZE];
    const char *list = HeldModelKeys;
    if (!ModelListHeld) {
        ReadModelKeys(fresh, sizeof fresh);
        list = fresh;
    }
    const char *key = ListNameAt(list, NAME_LIST_SIZE, index);
    if (key)
        StripModelKey(key, out, TEXT_SIZE);
}
