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
#include "wide_text.h"
#include <winspool.h>

/* The bare name of a path, in UTF-8 for the summary. */
static std::string BareName(const wchar_t *path)
{
    const wchar_t *name = path ? wcsrchr(path, L'\\') : NULL;
    return Utf8(name ? name + 1 : path);
}

static void WriteFileSizes(FILE *out, const wchar_t *directory, const std::string &name)
{
    std::wstring first = std::wstring(directory) + L"\\" + Utf16(name.c_str());
    std::wstring second = std::wstring(directory) + L"\\3\\" + Utf16(name.c_str());
    WIN32_FILE_ATTRIBUTE_DATA a, b;
    int hasFirst = GetFileAttributesExW(first.c_str(), GetFileExInfoStandard, &a);
    int hasSecond = GetFileAttributesExW(second.c_str(), GetFileExInfoStandard, &b);
    char firstSize[32], secondSize[32];
    snprintf(firstSize, sizeof firstSize, hasFirst ? "%lu bytes" : "missing", hasFirst ? a.nFileSizeLow : 0);
    snprintf(secondSize, sizeof secondSize, hasSecond ? "%lu bytes" : "missing", hasSecond ? b.nFileSizeLow : 0);
    fprintf(out, "  %-16s %-14s %s\n", name.c_str(), firstSize, secondSize);
}

/* Writes what is registered for `model` (in this process's code page) into
   `path`, in UTF-8. 1 when the printer and its driver were found. */
static int WriteSummary(const char *path, const char *model)
{
    FILE *out = fopen(path, "w");
    if (!out)
        return 0;
    wchar_t wideModel[256];
    if (!MultiByteToWideChar(CP_ACP, 0, model, -1, wideModel, sizeof wideModel / sizeof wideModel[0]))
        wideModel[0] = L'\0';
    const PRINTER_INFO_2W *info = ReadPrinterRecord(wideModel);
    if (info) {
        fprintf(out, "Printer: %s\n  port: %s\n  driver: %s\n  data type: %s\n  print processor: %s\n",
                Utf8(info->pPrinterName).c_str(), Utf8(info->pPortName).c_str(), Utf8(info->pDriverName).c_str(),
                Utf8(info->pDatatype).c_str(), Utf8(info->pPrintProcessor).c_str());
    } else {
        fprintf(out, "Printer: none named %s\n", Utf8(wideModel).c_str());
    }

    wchar_t directory[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(NULL, (LPWSTR)L"Windows NT x86", 1, (LPBYTE)directory, sizeof directory, &needed))
        directory[0] = L'\0';
    const DRIVER_INFO_3W *driver = (const DRIVER_INFO_3W *)ReadDriverRecord(wideModel, 3);
    if (driver) {
        fprintf(out, "Driver: %s (%s, version %lu)\n", Utf8(driver->pName).c_str(), Utf8(driver->pEnvironment).c_str(),
                driver->cVersion);
        fprintf(out, "  driver file: %s\n  data file: %s\n  configuration file: %s\n  help file: %s\n",
                BareName(driver->pDriverPath).c_str(), BareName(driver->pDataFile).c_str(),
                BareName(driver->pConfigFile).c_str(), BareName(driver->pHelpFile).c_str());
        fprintf(out, "  default data type: %s\n", Utf8(driver->pDefaultDataType).c_str());
        fprintf(out, "Files in %s\\ and in its 3\\:\n", Utf8(directory).c_str());
        for (const wchar_t *file = driver->pDependentFiles; file && *file; file += wcslen(file) + 1)
            WriteFileSizes(out, directory, BareName(file));
    } else {
        fprintf(out, "Driver: none named %s\n", Utf8(wideModel).c_str());
    }

    wchar_t device[512];
    GetProfileStringW(L"windows", L"device", L"", device, sizeof device / sizeof device[0]);
    fprintf(out, "Default printer: %s\n", device[0] ? Utf8(device).c_str() : "(none)");
    fclose(out);
    return info && driver;
}

DEFINE_SCENARIO(whole_installation)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    InstallPlan plan = PlanInstall("win7", NULL, NULL);
    plan.SetDefault = 1;
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
