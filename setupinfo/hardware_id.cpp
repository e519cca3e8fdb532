#include "setupinfo.h"
#include "model_key_logic.h"
#include "model_line_logic.h"
#include "shell/setup_state.h"

/* ModelKey := the quoted model name; ModelLine := its line in the models
   section. The hardware id is the line's second field, cut at the comma
   that ends it and not trimmed; none when the line has fewer fields or the
   name is too long to be a key. */
const char *GetHardwareId(const char *model)
{
    SetupState.ModelLine[0] = '\0';
    if (!FormModelKey(model, SetupState.ModelKey, TEXT_SIZE))
        return NULL;
    GetPrivateProfileStringA(OsTable[SetupState.OsIndex].ModelsSection, SetupState.ModelKey, "",
                             SetupState.ModelLine, TEXT_SIZE, GetInfPath());
    char *cursor = SetupState.ModelLine;
    if (!TakeField(&cursor))
        return NULL;
    return TakeField(&cursor);
}
