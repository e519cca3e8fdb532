/*
 * The whole installation that ./run.sh shows when there is no display: the
 * package's first model on the port the page selects itself, left as the
 * default printer, with a screenshot of every step and a summary of what the
 * spooler, the driver directory and the profile hold afterwards, written as
 * summary.txt beside the screenshots. The installation is taken away again
 * unless the environment variable RUN_KEEP_INSTALLATION is set (run.sh's
 * own prefix keeps it).
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include <winspool.h>

/* The bare name of a path. */
static const char *BareName(const char *path)
{
    const char *name = strrchr(path, '\\');
    return name ? name + 1 : path;
}

static void WriteFileSizes(FILE *out, const char *directory, const char *name)
{
    char first[MAX_PATH], second[MAX_PATH];
    snprintf(first, sizeof first, "%s\\%s", directory, name);
    snprintf(second, sizeof second, "%s\\3\\%s", directory, name);
    WIN32_FILE_ATTRIBUTE_DATA a, b;
    int hasFirst = GetFileAttributesExA(first, GetFileExInfoStandard, &a);
    int hasSecond = GetFileAttributesExA(second, GetFileExInfoStandard, &b);
    char firstSize[32], secondSize[32];
    snprintf(firstSize, sizeof firstSize, hasFirst ? "%lu bytes" : "missing", hasFirst ? a.nFileSizeLow : 0);
    snprintf(secondSize, sizeof secondSize, hasSecond ? "%lu bytes" : "missing", hasSecond ? b.nFileSizeLow : 0);
    fprintf(out, "  %-16s %-14s %s\n", name, firstSize, secondSize);
}

/* Writes what is registered for `model` into `path`. 1 when the printer and
   its driver were found. */
static int WriteSummary(const char *path, const char *model)
{
    FILE *out = fopen(path, "w");
    if (!out)
        return 0;
    const PRINTER_INFO_2A *info = ReadPrinterRecord(model);
    if (info) {
        fprintf(out, "Printer: %s\n  port: %s\n  driver: %s\n  data type: %s\n  print processor: %s\n",
                info->pPrinterName, info->pPortName, info->pDriverName,
                info->pDatatype ? info->pDatatype : "", info->pPrintProcessor ? info->pPrintProcessor : "");
    } else {
        fprintf(out, "Printer: none named %s\n", model);
    }

    char directory[MAX_PATH];
    ReadX86DriverDirectory(directory, sizeof directory);
    const DRIVER_INFO_3A *driver = (const DRIVER_INFO_3A *)ReadDriverRecord(model, 3);
    if (driver) {
        fprintf(out, "Driver: %s (%s, version %lu)\n", driver->pName, driver->pEnvironment, driver->cVersion);
        fprintf(out, "  driver file: %s\n  data file: %s\n  configuration file: %s\n  help file: %s\n",
                BareName(driver->pDriverPath), BareName(driver->pDataFile), BareName(driver->pConfigFile),
                driver->pHelpFile ? BareName(driver->pHelpFile) : "");
        fprintf(out, "  default data type: %s\n", driver->pDefaultDataType ? driver->pDefaultDataType : "");
        fprintf(out, "Files in %s\\ and in its 3\\:\n", directory);
        for (const char *file = driver->pDependentFiles; file && *file; file += strlen(file) + 1)
            WriteFileSizes(out, directory, BareName(file));
    } else {
        fprintf(out, "Driver: none named %s\n", model);
    }

    char device[512];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    fprintf(out, "Default printer: %s\n", device[0] ? device : "(none)");
    fclose(out);
    return info && driver;
}

DEFINE_SCENARIO(whole_installation)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    InstallPlan plan = { "win7", NULL, NULL, 1, 0, 0, NULL, 0 };
    InstallRecord record;
    if (!RunWholeInstall(&plan, &record))
        return 0;
    char summary[MAX_PATH];
    snprintf(summary, sizeof summary, "%s\\summary.txt", Session.ShotsDir[0] ? Session.ShotsDir : ".");
    int written = WriteSummary(summary, record.Model);
    printf("installed %s on %s; summary in %s\n", record.Model, record.Port, summary);
    if (!getenv("RUN_KEEP_INSTALLATION"))
        RemoveInstalled(record.Model);
    WALK_REQUIRE(written, "no printer or driver named %s after the installation", record.Model);
    return 1;
}
