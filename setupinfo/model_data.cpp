#include "setupinfo.h"
#include "file_list_logic.h"
#include "model_key_logic.h"
#include "model_line_logic.h"
#include "selected_model.h"
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"

#include <string.h>

/* Reads one value of the INF into `value`, `fallback` when the key is
   missing. A missing or empty section name reads nothing and gives the
   fallback. */
static void ReadInfValue(InfValue *value, const char *section, const char *key, const char *fallback)
{
    value->section = section && section[0] ? section : NULL;
    value->key = key;
    lstrcpynA(value->text, fallback, TEXT_SIZE);
    DWORD length = value->section
        ? GetPrivateProfileStringA(section, key, fallback, value->text, TEXT_SIZE, GetInfPath()) : 0;
    /* A value cut to the buffer comes back TEXT_SIZE - 1 bytes long, or
       one byte shorter where a double-byte character did not fit. */
    value->filled = length + 2 >= TEXT_SIZE;
}

/* DriverDirectory := the spooler's driver directory of Environment and one
   backslash, or empty when the spooler gives none: an empty path plus a
   backslash would name the root of the current drive, and the copy deletes
   and creates files in this directory. The environment is named rather than
   left to the spooler, which would answer with the directory of the
   caller's own: the same for this 32-bit program on 32-bit and 64-bit
   Windows alike, but another one for a 64-bit build of it. */
void LoadDriverDirectory(void)
{
    char *directory = SetupState.DriverDirectory;
    DWORD needed = 0;
    if (!Spooler.GetPrinterDriverDirectoryA(NULL, (LPSTR)SetupState.Environment, 1, (LPBYTE)directory,
                                            TEXT_SIZE, &needed)) {
        directory[0] = '\0';
        return;
    }
    directory[TEXT_SIZE - 1] = '\0';
    size_t length = strlen(directory);
    /* No room for the backslash: no usable directory either. */
    if (length == 0 || length + 2 > TEXT_SIZE) {
        directory[0] = '\0';
        return;
    }
    directory[length] = '\\';
    directory[length + 1] = '\0';
}

void LoadModelByName(const char *name, ModelSource *source)
{
    lstrcpynA(SetupState.ModelName, name, TEXT_SIZE);
    /* A name too long for its key is looked up nowhere. */
    FormModelKey(name, source->key, sizeof source->key);
    ReadInfValue(&source->line, source->key[0] ? OsTable[SetupState.OsIndex].ModelsSection : NULL, source->key, "");
    char *cursor = source->line.text;
    source->installSection = TakeField(&cursor);

    ReadInfValue(&source->copyFiles, source->installSection, "CopyFiles", "");
    ReadInfValue(&source->dataSection, source->installSection, "DataSection", "");
    ReadInfValue(&source->dataType, source->dataSection.text, "DefaultDataType", "RAW");

    SetupState.FileCount = BuildFileList(source->copyFiles.text, SetupState.FileList, sizeof SetupState.FileList);
    LoadDriverDirectory();
    lstrcpynA(SetupState.DefaultDataType, source->dataType.text, TEXT_SIZE);
}

int LoadModelData(HWND page)
{
    char name[TEXT_SIZE];
    if (!ReadSelectedModel(page, name, TEXT_SIZE))
        return 0;
    ModelSource source;
    LoadModelByName(name, &source);
    return 1;
}
