/*
 * The setup information catalogue: the INF beside the program, its models,
 * and the chosen model's files, data type and hardware id. The INF is read
 * only through GetPrivateProfileStringA.
 */
#ifndef SETUP_SETUPINFO_H
#define SETUP_SETUPINFO_H

#include <windows.h>
#include "shell/setup_state.h"

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

/* One value of the INF as the catalogue read it for a model. */
struct InfValue {
    const char *section;        /* where it was read; NULL: nowhere, for want
                                   of a section name */
    const char *key;
    char text[TEXT_SIZE];       /* the value, or the fallback */
    int filled;                 /* 1 when it filled the buffer: the INF may hold
                                   more of it than the wizard reads */
};

/* The values a model's data are read from; `installSection` and the
   sections and keys of the values point into the record itself. */
struct ModelSource {
    char key[TEXT_SIZE];        /* the model name in double quotation marks;
                                   empty when it does not fit */
    InfValue line;              /* the key's value in the models section, cut
                                   after its first field */
    const char *installSection; /* that first field; NULL when there is none */
    InfValue copyFiles, dataSection, dataType;
};

/* Reads the model `name` as the wizard installs it: ModelName, FileList and
   FileCount (its install section's CopyFiles), DriverDirectory
   (LoadDriverDirectory) and DefaultDataType (its data section's, "RAW" by
   default), keeping in `source` what they were read from. A model whose
   line names no install section gets no files and "RAW". */
void LoadModelByName(const char *name, ModelSource *source);

/* Reads the model selected in the page's IDC_MODEL_LIST as LoadModelByName
   does. Returns 0 and changes nothing when no item is selected, 1
   otherwise. */
int LoadModelData(HWND page);

/* DriverDirectory := the spooler's driver directory of Environment and one
   backslash; empty when the spooler gives none or no room is left for the
   backslash. */
void LoadDriverDirectory(void);

/* The model's hardware id (second field of its line), or NULL when the line
   has none. Writes ModelKey and ModelLine; the result points into ModelLine
   and stays valid until the next call. */
const char *GetHardwareId(const char *model);

#endif
