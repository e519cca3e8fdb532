#include "pkgcheck.h"
#include "package_rules_logic.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"

#include <stdio.h>
#include <string.h>

/* A buffer long enough to tell whether a value fits the wizard's 1024 bytes. */
#define WHOLE_VALUE_SIZE 4096

/* Reports a value of the model that the wizard reads only in part. Only a
   value that filled the wizard's buffer is read again, whole. */
static void CheckValueLength(const InfValue *value, const char *what)
{
    if (!value->filled)
        return;
    static char whole[WHOLE_VALUE_SIZE];
    GetPrivateProfileStringA(value->section, value->key, "", whole, sizeof whole, GetInfPath());
    size_t length = strlen(whole);
    if (length > TEXT_SIZE - 1)
        ReportProblem("%s is %s%u characters long; the wizard reads only the first %d",
                      what, length >= sizeof whole - 1 ? "at least " : "", (unsigned)length, TEXT_SIZE - 1);
}

/* Checks the key itself and what the model list shows for it. */
static void CheckModelKey(const char *key, const char *listed)
{
    char shown[96];
    DisplayText(key, shown, sizeof shown);
    size_t length = strlen(key);
    if (!IsQuotedModelKey(key))
        ReportProblem("model key %s is not enclosed in double quotation marks; the model list shows it "
                      "without its first and last character and the wizard cannot find its line", shown);
    if (length > TEXT_SIZE - 1) {
        ReportProblem("model key is %u characters long; the wizard handles keys of at most %d",
                      (unsigned)length, TEXT_SIZE - 1);
        return;
    }
    if (length >= 2 && (strlen(listed) != length - 2 || memcmp(listed, key + 1, length - 2) != 0))
        ReportProblem("the model list shows this model's name cut short: its key ends beyond the "
                      "first 2048 bytes of the key list");
}

void CheckModel(WORD index, const char *key, const char *folder)
{
    /* What the model list shows is what the wizard later looks up. */
    char name[TEXT_SIZE];
    name[0] = '\0';
    GetModelName(index, name);

    char shownName[96];
    DisplayText(name[0] ? name : "(an empty name)", shownName, sizeof shownName);
    char context[128];
    snprintf(context, sizeof context, "model %u (%s)", (unsigned)index + 1, shownName);
    SetProblemContext(context);
    printf("\nModel %u: %s\n", (unsigned)index + 1, shownName);
    CheckModelKey(key, name);

    static ModelSource source;
    LoadModelByName(name, &source);
    CheckValueLength(&source.line, "the model line");
    CheckValueLength(&source.copyFiles, "the CopyFiles value");
    CheckValueLength(&source.dataSection, "the DataSection value");
    CheckValueLength(&source.dataType, "the DefaultDataType value");
    const char *installSection = source.installSection;
    const char *hardwareId = GetHardwareId(name);

    char shown[96];
    DisplayText(installSection ? installSection : "(none)", shown, sizeof shown);
    printf("  install section: %s\n", shown);
    DisplayText(hardwareId ? hardwareId : "(none)", shown, sizeof shown);
    printf("  hardware id: %s\n", shown);
    DisplayText(SetupState.DefaultDataType, shown, sizeof shown);
    printf("  data type: %s\n", shown);
    printf("  files: %d\n", SetupState.FileCount);
    if (hardwareId && (hardwareId[0] == ' ' || hardwareId[0] == '\t'))
        ReportNote("the hardware id begins with a blank, and is registered with it");

    if (!installSection) {
        ReportProblem("the model line names no install section");
    } else if (!source.copyFiles.text[0]) {
        DisplayText(installSection, shown, sizeof shown);
        ReportProblem("install section [%s] has no CopyFiles value", shown);
    }
    const char *file = SetupState.FileList;
    for (int i = 0; i < SetupState.FileCount; i++) {
        CheckPackageFile(folder, file, SetupState.DriverDirectory);
        file += strlen(file) + 1;
    }
    /* The driver record names KV_R52x.GPD as its data file, so the copy must
       bring it. KV_R52x.DLL need not be listed: the driver's date is read from
       the package folder (CheckDriverDateFile). */
    if ((SetupState.FileCount > 0 || source.copyFiles.text[0])
        && !ListHasFileName(SetupState.FileList, sizeof SetupState.FileList, "KV_R52x.GPD"))
        ReportProblem("the file list lacks KV_R52x.GPD (the driver's data file)");
    SetProblemContext(NULL);
}
