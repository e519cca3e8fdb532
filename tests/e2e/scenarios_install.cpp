/*
 * Whole installations of the sample package under every supported Windows
 * version, each checked in the spooler and the driver directory afterwards.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "file_write.h"
#include <winspool.h>

/* The sample package's models and their files; the model page selects the
   first, and the port page COM1: in a prefix without infrared ports. */
#define R521 "Kest KV-R521"
#define R524 "Kest KV-R524 Duplex"
#define R528 "Kest KV-R528 Color"
static const struct { const char *model, *files; } SampleModels[] = {
    { R521, "KV_R52x.GPD,KV_R52x.DLL,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP" },
    { R524, "KV_R52x.GPD,KV_R52x.DLL,KV_DUPLX.GPD,KV_R52x.INI,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP" },
    { R528, "KV_R52x.GPD,KV_R52x.DLL,KV_COLOR.ICM,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP" },
};

/* One whole installation of the sample package by `plan`, checked and then
   undone so that the next scenario starts from a clean spooler. The package
   lies in `subfolder` of the scenario's folder when one is given. */
static int InstallSample(InstallPlan plan, InstallRecord *record, const char *subfolder = NULL)
{
    const char *model = plan.Model ? plan.Model : R521, *port = plan.Port ? plan.Port : "COM1:", *files = NULL;
    for (const auto &sample : SampleModels)
        files = strcmp(sample.model, model) == 0 ? sample.files : files;
    WALK_REQUIRE(files, "%s is no model of the sample", model);
    WALK_REQUIRE(PreparePackage(Session.SampleDir, subfolder), "package folder not prepared");
    RemoveInstalled(model);
    plan.SlowStepTimeout = 30000;
    int passed = RunWholeInstall(&plan, record);
    if (passed && (strcmp(record->Model, model) != 0 || strcmp(record->Port, port) != 0))
        passed = WalkFail(__FILE__, __LINE__, "chose %s on %s, expected %s on %s", record->Model, record->Port,
                          model, port);
    passed = passed && CheckInstalled(model, port, files, plan.SetDefault);
    if (passed)
        printf("installed %s on %s under %s\n", model, port, plan.WineVersion);
    RemoveInstalled(model);
    return passed;
}

static int InstallUnder(const InstallPlan &plan, const char *subfolder = NULL)
{
    InstallRecord record;
    return InstallSample(plan, &record, subfolder);
}

/* `plan` with the default printer box left checked. */
static InstallPlan AsDefault(InstallPlan plan)
{
    plan.SetDefault = 1;
    return plan;
}

DEFINE_SCENARIO(install_win2k) { return InstallUnder(PlanInstall("win2k", R521, "LPT1:")); }
/* The program has no command-line options: arguments change nothing. */
DEFINE_SCENARIO(install_winxp)
{
    InstallPlan plan = AsDefault(PlanInstall("winxp", R524, "COM2:"));
    plan.Arguments = "/s /q -uninstall x.inf";
    return InstallUnder(plan);
}
DEFINE_SCENARIO(install_vista) { return InstallUnder(PlanInstall("vista", R528, "FILE:")); }

/* A package unpacked deep in a user's folders: with the longest names,
   "C:\e2e\install_deep_folder\" + a folder of 160 characters with blanks and
   dots + "\KV_DUPLX.GPD" make paths of 200 characters, beyond the 127 that
   the platform's old file-open call takes. */
DEFINE_SCENARIO(install_deep_folder)
{
    std::string folder;
    while (folder.size() < 160)
        folder += "Kest KV-R52x driver 5.2.1 ";
    folder.replace(159, std::string::npos, "x");   /* Windows drops a final blank or dot */
    return InstallUnder(PlanInstall("winxp", R524, "LPT1:"), folder.c_str());
}

/* The pages' own choices: the sample's three models with the first
   selected, and COM1:; the welcome page names the Windows 7 editions of the
   x86 environment. */
DEFINE_SCENARIO(install_win7)
{
    InstallRecord record;
    if (!InstallSample(AsDefault(PlanInstall("win7", NULL, NULL)), &record))
        return 0;
    static const char welcome[] = "Supported operating system:\r\n\tWindows 7 Home x86";
    WALK_REQUIRE(strncmp(record.WelcomeText, welcome, strlen(welcome)) == 0, "welcome text \"%s\"",
                 record.WelcomeText);
    WALK_REQUIRE(record.ModelCount == 3, "%d models listed", record.ModelCount);
    return 1;
}

/* 1 when the directory holds no temporary file of the copy (a name ending
   in "~new" or "~old"). */
static int NoTemporaryFiles(const char *directory)
{
    std::string left;
    for (const char *pattern : { "\\*~new", "\\*~old" })
        ForEachFound(directory + std::string(pattern), [&left](const std::string &path, const WIN32_FIND_DATAA &) {
            left = path;
        });
    WALK_REQUIRE(left.empty(), "%s is left", left.c_str());
    return 1;
}

/* An earlier KV_R52x.DLL in 3\ that cannot be replaced: this process holds
   it open without sharing through the whole run (Wine enforces share modes
   across processes). The installation completes; the driver directory gets
   the new file, the earlier one in 3\ stays whole, the files after it are
   installed in both places, and no temporary file is left. */
DEFINE_SCENARIO(install_locked_in_version_dir)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    RemoveInstalled(R521);
    char directory[MAX_PATH], version[MAX_PATH], first[MAX_PATH], locked[MAX_PATH], source[MAX_PATH];
    WALK_REQUIRE(ReadX86DriverDirectory(directory, sizeof directory), "no driver directory");
    snprintf(version, sizeof version, "%s\\3", directory);
    snprintf(first, sizeof first, "%s\\KV_R52x.DLL", directory);
    snprintf(locked, sizeof locked, "%s\\KV_R52x.DLL", version);
    snprintf(source, sizeof source, "%sKV_R52x.DLL", Session.PackageDir);
    static const char earlier[] = "earlier version";
    const char *const earlierFiles[] = { first, locked };
    for (const char *path : earlierFiles)
        WALK_REQUIRE(WriteWholeFile(path, earlier, sizeof earlier - 1), "%s not written", path);
    HANDLE lock = CreateFileA(locked, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    WALK_REQUIRE(lock != INVALID_HANDLE_VALUE, "%s not opened", locked);

    InstallPlan plan = PlanInstall("win7", R521, "LPT1:");
    InstallRecord record;
    int passed = RunWholeInstall(&plan, &record);
    CloseHandle(lock);
    /* Read through a new handle: the held one would still read a file that
       was renamed over. */
    char held[64] = "";
    DWORD got = 0;
    HANDLE file = CreateFileA(locked, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, held, sizeof held - 1, &got, NULL);
        CloseHandle(file);
    }

    if (passed && strcmp(held, earlier) != 0)
        passed = WalkFail(__FILE__, __LINE__, "%s holds \"%s\"", locked, held);
    if (passed && !SameAsPackageFile(source, first))
        passed = WalkFail(__FILE__, __LINE__, "%s is not the expanded KV_R52x.DLL", first);
    static const char *const later[] = { "UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP" };
    for (const char *name : later) {
        char from[MAX_PATH], into[MAX_PATH], intoVersion[MAX_PATH];
        snprintf(from, sizeof from, "%s%s", Session.PackageDir, name);
        snprintf(into, sizeof into, "%s\\%s", directory, name);
        snprintf(intoVersion, sizeof intoVersion, "%s\\%s", version, name);
        if (passed && !(SameAsPackageFile(from, into) && SameAsPackageFile(from, intoVersion)))
            passed = WalkFail(__FILE__, __LINE__, "%s is not installed in both places", name);
    }
    if (passed && !PrinterExists(R521))
        passed = WalkFail(__FILE__, __LINE__, "no printer %s", R521);
    passed = passed && NoTemporaryFiles(directory) && NoTemporaryFiles(version);
    if (passed)
        printf("installed %s with the earlier %s held open\n", R521, locked);
    RemoveInstalled(R521);
    DeleteFileA(locked);
    DeleteFileA(first);
    return passed;
}

/* A printer the spooler refuses. A 64-bit process's spooler adds no printer
   whose driver exists only for "Windows NT x86", as on 64-bit Windows: with
   no driver staged for its own environment, each registration run shows
   "Add a printer error " with "Cannot add a printer!", and the installation
   ends with the failure page and no default printer. A 32-bit spooler adds
   that printer, so the refusal cannot be produced on that road; the unit
   tests refuse it through the spooler seam. */
DEFINE_SCENARIO(install_printer_refused)
{
    if (OwnEnvironmentIsX86()) {
        printf("a 32-bit process's spooler adds a printer on a \"Windows NT x86\" driver: no refusal to "
               "produce on this road (skipped)\n");
        return SCENARIO_SKIPPED;
    }
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    RemoveInstalled(R521);
    InstallPlan plan = AsDefault(PlanInstall("win7", R521, "LPT1:"));
    plan.PrinterRefused = 1;
    InstallRecord record;
    int passed = RunWholeInstall(&plan, &record);
    static const char expected[] = "Cannot add a printer!\r\n(System Error Code : ";
    int code = atoi(record.RefusalText + strlen(expected));
    if (passed && (strncmp(record.RefusalText, expected, strlen(expected)) != 0 || code <= 0))
        passed = WalkFail(__FILE__, __LINE__, "the box says \"%s\"", record.RefusalText);
    if (passed)
        printf("printer refused with system error code %d in both runs\n", code);
    if (passed && PrinterExists(R521))
        passed = WalkFail(__FILE__, __LINE__, "a printer %s exists", R521);
    char device[512];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    if (passed && strncmp(device, R521 ",", strlen(R521 ",")) == 0)
        passed = WalkFail(__FILE__, __LINE__, "default printer entry \"%s\"", device);
    RemoveInstalled(R521);
    return passed;
}

/* Run by tests.cmake's table in a 64-bit prefix: the 32-bit program
   installs the x86 driver there too. */
DEFINE_SCENARIO(install_win7_64bit) { return InstallUnder(AsDefault(PlanInstall("win7", R528, "LPT1:"))); }

/* Run by tests.cmake's table at a DPI and under a colour scheme, in a
   prefix set to both (KEST_DPI and KEST_SCHEME name them): a whole
   installation under the Windows whose colours they are, whose pages the
   walk checks by their pixels, with another model, port and so icons under
   each, and under each scheme's face colour. */
DEFINE_SCENARIO(install_on_display)
{
    static const struct { const char *scheme; COLORREF face; InstallPlan install; } cases[] = {
        { "luna", RGB(236, 233, 216), PlanInstall("winxp", R524, "LPT1:") },
        { "win7", RGB(240, 240, 240), AsDefault(PlanInstall("win7", R528, "FILE:")) },
        { "win2000", RGB(212, 208, 200), AsDefault(PlanInstall("win2k", NULL, NULL)) },
    };
    const char *dpi = getenv("KEST_DPI"), *scheme = getenv("KEST_SCHEME");
    HDC screen = GetDC(NULL);
    int shown = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    WALK_REQUIRE(dpi && shown == atoi(dpi), "the prefix runs at %d DPI, not %s", shown, dpi ? dpi : "(none)");
    for (const auto &c : cases)
        if (scheme && strcmp(scheme, c.scheme) == 0) {
            WALK_REQUIRE(GetSysColor(COLOR_BTNFACE) == c.face, "the face colour is not %s's", c.scheme);
            return InstallUnder(c.install);
        }
    return WalkFail(__FILE__, __LINE__, "no installation planned under %s", scheme ? scheme : "(none)");
}
