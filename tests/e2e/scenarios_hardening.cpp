/*
 * The wizard on hostile driver packages: an INF of 5,000 models, an INF of
 * binary garbage, no INF at all. Each gives a usable wizard (a shortened or
 * empty model list, the warning "Select printer model to install." on Next),
 * never a crash, and no file written anywhere on drive C: but in the
 * spooler's driver directory.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "file_write.h"
#include "ui/resources/resource.h"
#include <winspool.h>


typedef std::vector<std::string> FileLines;

/* Every file of a folder tree with its size and last-write time, one line
   each. C:\users is left out: Wine links its profile folders (Desktop,
   Documents...) to the host's home folder, and keeps its own state there. */
static void ListTree(const char *folder, FileLines *out)
{
    ForEachFound(std::string(folder) + "\\*", [out](const std::string &path, const WIN32_FIND_DATAA &entry) {
        char line[MAX_PATH + 64];
        snprintf(line, sizeof line, "%s %lu %lu:%lu", path.c_str(), entry.nFileSizeLow,
                 entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime);
        int isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        out->push_back(isFolder ? path + "\\" : std::string(line));
        if (isFolder && _stricmp(path.c_str(), "C:\\users") != 0
            && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            ListTree(path.c_str(), out);
    });
}

/* Prints every line of `after` that `before` lacks and that does not lie in
   the driver directory or Wine's temporary folder. Returns how many. */
static int CountUnexpectedWrites(FileLines *before, const FileLines &after)
{
    char driverDirectory[MAX_PATH];
    ReadX86DriverDirectory(driverDirectory, sizeof driverDirectory);
    static const char TempFolder[] = "C:\\windows\\temp\\";
    std::sort(before->begin(), before->end());
    int count = 0;
    for (const std::string &line : after) {
        if (std::binary_search(before->begin(), before->end(), line) ||
            _strnicmp(line.c_str(), TempFolder, strlen(TempFolder)) == 0 ||
            (driverDirectory[0] && _strnicmp(line.c_str(), driverDirectory, strlen(driverDirectory)) == 0))
            continue;
        printf("written outside the driver directory: %s\n", line.c_str());
        count++;
    }
    return count;
}

/* Random bytes from a fixed seed, without the '[' of a section header. */
static std::string GarbageInf(void)
{
    std::string text;
    unsigned state = 6122026u;
    while (text.size() < 512 * 1024) {
        state = state * 1103515245u + 12345u;
        char c = (char)(state >> 16);
        text += c == '[' ? ']' : c;
    }
    return text;
}

/* With an empty model list: Next gives the "Warinig" message and the page
   stays; Cancel and Yes end the wizard on the failure page, exit code 0. */
static int WalkEmptyModelList(void)
{
    HWND welcome = StartToWelcome("win7", NULL);
    HWND model = welcome ? ClickTo(welcome, ID_NEXT, IDC_MODEL_LIST) : NULL;
    WALK_REQUIRE(model, "no model page");
    WALK_REQUIRE(ListCount(model, IDC_MODEL_LIST) == 0, "%d models listed", ListCount(model, IDC_MODEL_LIST));
    WALK_REQUIRE(ClickButton(model, ID_NEXT), "no Next on the model page");
    if (!AcknowledgeMessage("Warinig", "Select printer model to install."))
        return 0;
    WALK_REQUIRE(WaitForPage(IDC_MODEL_LIST, WINDOW_TIMEOUT) == model, "the model page did not stay");
    return AnswerCancel(model, CANCEL_BUTTON, IDYES) && FinishExitPage(0, EXIT_OK);
}

/* Runs `walk` on a package whose INF is `inf` (NULL: no INF), and checks
   that nothing was written on drive C: outside the driver directory. */
static int RunOnPackage(const std::string *inf, int (*walk)(void))
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    char infPath[MAX_PATH];
    snprintf(infPath, sizeof infPath, "%sKV_R52x.INF", Session.PackageDir);
    if (inf)
        WALK_REQUIRE(WriteWholeFile(infPath, inf->data(), (DWORD)inf->size()), "INF not written");
    else
        WALK_REQUIRE(DeleteFileA(infPath), "INF not deleted");
    FileLines before, after;
    ListTree("C:", &before);
    int passed = walk();
    ListTree("C:", &after);
    int unexpected = CountUnexpectedWrites(&before, after);
    printf("%u files and folders of drive C: compared\n", (unsigned)after.size());
    WALK_REQUIRE(passed, "the walk through the wizard failed");
    WALK_REQUIRE(unexpected == 0, "%d files written outside the driver directory", unexpected);
    return 1;
}

DEFINE_SCENARIO(hardening_garbage_inf)
{
    std::string inf = GarbageInf();
    return RunOnPackage(&inf, WalkEmptyModelList);
}

DEFINE_SCENARIO(hardening_no_inf) { return RunOnPackage(NULL, WalkEmptyModelList); }

/* The last model of the shortened list installs like any other. */
static int InstallLastListedOfMany(void)
{
    InstallPlan plan = PlanInstall("win7", "Hardening KV 0051", "LPT2:");
    InstallRecord record;
    RemoveInstalled(plan.Model);
    int passed = RunWholeInstall(&plan, &record) &&
                 CheckInstalled(plan.Model, "LPT2:", "KV_R52x.GPD,KV_R52x.DLL,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP", 0);
    RemoveInstalled(plan.Model);
    return passed;
}

DEFINE_SCENARIO(hardening_five_thousand_models)
{
    /* Each key, "Hardening KV 0000" in quotation marks, takes 20 bytes of
       the key list: 51 whole keys and a 52nd cut short fill 1024 bytes, and
       the model list still shows that 52nd whole. */
    std::string inf = "[KestVelotic]\r\n";
    for (int i = 0; i < 5000; i++) {
        char line[80];
        snprintf(line, sizeof line, "\"Hardening KV %04d\" = KVR521_Install, HARDKV%04d\r\n", i, i);
        inf += line;
    }
    inf += "[KVR521_Install]\r\nCopyFiles=@KV_R52x.GPD,@KV_R52x.DLL,@UNIDRV.DLL,@UNIDRVUI.DLL,@UNIDRV.HLP\r\n"
           "DataSection=KVR521_Data\r\n[KVR521_Data]\r\nDefaultDataType=RAW\r\n";
    return RunOnPackage(&inf, InstallLastListedOfMany);
}

/* Prints the planted DLLs that left their mark in the package folder (see
   planted_dll.cpp) and returns how many. */
static int CountLoadedPlantedDlls(void)
{
    int loaded = 0;
    ForEachFound(std::string(Session.PackageDir) + "*.loaded", [&loaded](const std::string &, const WIN32_FIND_DATAA &entry) {
        printf("loaded into setup.exe: %s\n", entry.cFileName);
        loaded++;
    });
    return loaded;
}

/* A whole installation from a package folder that holds, beside setup.exe,
   a DLL under each name the wizard loads (tests.cmake builds them into
   planted\ beside e2e.exe), with Wine told to prefer a DLL beside the
   program for each name, as Windows does for any DLL that is not one of its
   known DLLs. The installation completes exactly, and none of them loads.
   With `unhardened`, setup.exe is the test build whose search-limiting
   calls are hidden, which must have been asked for them. */
static int InstallBesidePlantedDlls(const char *version, int unhardened)
{
    char planted[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, planted, MAX_PATH);
    char *slash = strrchr(planted, '\\');
    WALK_REQUIRE(length < MAX_PATH && slash, "no path of e2e.exe");
    strcpy(slash + 1, "planted");
    WALK_REQUIRE(PreparePackage(Session.SampleDir) && CopyIntoPackage(planted), "package folder not prepared");
    int names = 0;
    ForEachFound(std::string(planted) + "\\*.*", [&names](const std::string &, WIN32_FIND_DATAA entry) {
        /* Wine's names: lower case, without ".dll". */
        char *name = _strlwr(entry.cFileName);
        size_t size = strlen(name);
        if (size > 4 && strcmp(name + size - 4, ".dll") == 0)
            name[size - 4] = '\0';
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names += SetSetupDllOrder(name, "native,builtin");
    });
    WALK_REQUIRE(names > 0, "nothing in %s", planted);

    static const char model[] = "Kest KV-R521";
    RemoveInstalled(model);
    InstallPlan plan = PlanInstall(version, model, "LPT1:");
    InstallRecord record;
    int installed = RunWholeInstall(&plan, &record)
        && CheckInstalled(model, "LPT1:", "KV_R52x.GPD,KV_R52x.DLL,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP", 0);
    SetSetupDllOrder(NULL, NULL);
    RemoveInstalled(model);

    int loaded = CountLoadedPlantedDlls();
    WALK_REQUIRE(loaded == 0, "%d planted DLLs loaded into setup.exe", loaded);
    char asked[MAX_PATH];
    snprintf(asked, sizeof asked, "%ssetup.exe.unhardened", Session.PackageDir);
    WALK_REQUIRE(!unhardened || GetFileAttributesA(asked) != INVALID_FILE_ATTRIBUTES,
                 "setup.exe did not look up the search-limiting calls through the hidden look-up");
    WALK_REQUIRE(installed, "the installation beside the planted DLLs failed");
    return 1;
}

DEFINE_SCENARIO(hardening_planted_dlls) { return InstallBesidePlantedDlls("win7", 0); }

/* Run by tests.cmake's table with the test build setup_unhardened.exe: as
   on Windows 2000, which has neither call. */
DEFINE_SCENARIO(hardening_planted_dlls_unhardened) { return InstallBesidePlantedDlls("win2k", 1); }
