/*
 * The setup information catalogue: the INF beside the program, its models,
 * and the chosen model's files, data type and hardware id. The INF is read
 * only through GetPrivateProfileStringA.
 */
#ifndef SETUP_SETUPINFO_H
#define SETUP_SETUPINFO_H

#include <windows.h>

/* Full path of the INF: the program's directory + OsTable's file name.
   Built on the first call into SetupState.InfPath and kept. */
const char *GetInfPath(void);

/* Number of keys in the models section (only those within the first 1024
   bytes of the key list count). */
WORD CountModels(void);

/* Writes the model name of that index (the key without its first and last
   character) into out (1024 bytes); leaves out untouched past the last key. */
void GetModelName(WORD index, char *out);

/* The key list is read once for a whole fill of the model list: between
   ReadModelList and FreeModelList, GetModelName answers from that one
   reading; otherwise each call reads the INF afresh. */
void ReadModelList(void);
void FreeModelList(void);

/* Reads the model selected in the page's IDC_MODEL_LIST: ModelName,
   FileList, FileCount, DriverDirectory, DefaultDataType. Returns 0 and changes
   nothing when no item is selected, 1 otherwise. */
int LoadModelData(HWND page);

/* The model's hardware id (second field of its line), or NULL when the line
   has none. Writes ModelKey and ModelLine; the result points into ModelLine
   and stays valid until the next call. */
const char *GetHardwareId(const char *model);

#endif
