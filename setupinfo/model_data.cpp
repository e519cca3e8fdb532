#include "setupinfo.h"
#include "file_list_logic.h"
#include "model_key_logic.h"
#include "model_line_logic.h"
#include "selected_model.h"
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"

#include <string.h>

/* Reads one value of the INF, `fallback` when the key is missing. A missing
   or empty section name reads nothing and gives the fallback. */
static void ReadInfValue(const char *section, const char *key, const char *fallback, char *out)
{
    lstrcpynA(out, fallback, TEXT_SIZE);
    if (section && section[0])
        GetPrivateProfileStringA(section, key, fallback, out, TEXT_SIZE, GetInfPath());
}

/* DriverDirectory := the spooler's driver directory of Environment and one
   backslash, or empty when the spooler gives none: an empty path plus a
   backslash would name the root of the current drive, and the copy deletes
   and creates files in this directory. The environment is named rather than
   left to the spooler, which would answer with the directory of the
   caller's own: the same for this 32-bit program on 32-bit and 64-bit
   Windows alike, but another one for a 64-bit build of it. */
static void ReadDriverDirectory(void)
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

/* Reads the model selected on the page: its name, its files (CopyFiles of
   its install section), the driver directory and its data type
   (DefaultDataType of its data section, "RAW" by default). A model whose
   line has no install section gets no files and "RAW". Returns 0 and
   changes nothing when no model is selected. */
int LoadModelData(HWND page)
{
    if (!ReadSelectedModel(page, SetupState.ModelName, TEXT_SIZE))
        return 0;

    char key[TEXT_SIZE];
    char line[TEXT_SIZE];
    line[0] = '\0';
    if (FormModelKey(SetupState.ModelName, key, sizeof key))
        ReadInfValue(OsTable[SetupState.OsIndex].ModelsSection, key, "", line);
    char *cursor = line;
    const char *installSection = TakeField(&cursor);

    char copyFiles[TEXT_SIZE];
    char dataSection[TEXT_SIZE];
    ReadInfValue(installSection, "CopyFiles", "", copyFiles);
    ReadInfValue(installSection, "DataSection", "", dataSection);

    SetupState.FileCount = BuildFileList(copyFiles, SetupState.FileList, sizeof SetupState.FileList);
    ReadDriverDirectory();
    ReadInfValue(dataSection, "DefaultDataType", "RAW", SetupState.DefaultDataType);
    return 1;
}
