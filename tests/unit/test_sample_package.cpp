/*
 * The sample driver package (sample/) installs through the catalogue and
 * the spooler calls: its models are listed, each model's files expand with
 * the platform's LZ library into the driver directory, and driver and
 * printer register with Wine's spooler.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include <lzexpand.h>
#include <winspool.h>
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"
#include "spooler/spooler.h"

/* The source tree's sample directory as Wine sees it. */
static std::string SampleSource(void)
{
    std::string path = std::string("Z:") + SAMPLE_SOURCE_DIR;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path + "\\";
}

static std::string ReadWholeFile(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, NULL) && got)
        content.append(chunk, got);
    CloseHandle(file);
    return content;
}

/* Copies the package's files (not src/) to a directory beside the program. */
static std::string CopyPackage(void)
{
    std::string target = BesideProgram("sample_package\\");
    CreateDirectoryA(target.c_str(), NULL);
    std::string source = SampleSource();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((source + "*").c_str(), &found);
    REQUIRE(search != INVALID_HANDLE_VALUE);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CHECK(CopyFileA((source + found.cFileName).c_str(), (target + found.cFileName).c_str(), FALSE));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return target;
}

/* Expands (or copies) one file by its bare name from the current directory
   into the driver directory, as the wizard's copy does. */
static int ExpandIntoDriverDirectory(const char *name)
{
    OFSTRUCT sourceInfo, targetInfo;
    std::string target = std::string(SetupState.DriverDirectory) + name;
    INT source = LZOpenFileA((LPSTR)name, &sourceInfo, OF_READ);
    if (source < 0)
        return 0;
    INT destination = LZOpenFileA((LPSTR)target.c_str(), &targetInfo, OF_CREATE);
    if (destination < 0) {
        LZClose(source);
        return 0;
    }
    LONG copied = LZCopy(source, destination);
    LZClose(source);
    LZClose(destination);
    return copied >= 0;
}

static const DRIVER_INFO_3A *FindDriver(std::string &block, const char *name)
{
    DWORD needed = 0, count = 0;
    EnumPrinterDriversA(NULL, (LPSTR)SetupState.Environment, 3, NULL, 0, &needed, &count);
    block.assign(needed, '\0');
    if (!needed || !EnumPrinterDriversA(NULL, (LPSTR)SetupState.Environment, 3, (LPBYTE)&block[0],
                                        needed, &needed, &count))
        return NULL;
    const DRIVER_INFO_3A *drivers = (const DRIVER_INFO_3A *)block.data();
    for (DWORD i = 0; i < count; i++)
        if (strcmp(drivers[i].pName, name) == 0)
            return &drivers[i];
    return NULL;
}

static std::string BareNames(const char *list)
{
    std::string names;
    while (list && *list) {
        const char *slash = strrchr(list, '\\');
        names += slash ? slash + 1 : list;
        names += '\0';
        list += strlen(list) + 1;
    }
    return names + '\0';
}

TEST_CASE("every model of the sample package installs")
{
    std::string package = CopyPackage();
    REQUIRE(SetCurrentDirectoryA(package.c_str()));
    lstrcpynA(SetupState.InfPath, (package + "KV_R52x.INF").c_str(), TEXT_SIZE);

    static const struct {
        const char *model, *type, *hardwareId;
        const char *files[8];
    } models[] = {
        { "Kest KV-R521", "RAW", " KESTVELOTICKV-R521B7E2",
          { "KV_R52x.GPD", "KV_R52x.DLL", "UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP" } },
        { "Kest KV-R524 Duplex", "RAW", " KESTVELOTICKV-R5244C19",
          { "KV_R52x.GPD", "KV_R52x.DLL", "KV_DUPLX.GPD", "KV_R52x.INI", "UNIDRV.DLL",
            "UNIDRVUI.DLL", "UNIDRV.HLP" } },
        { "Kest KV-R528 Color", "NT EMF 1.008", " KESTVELOTICKV-R528D03A",
          { "KV_R52x.GPD", "KV_R52x.DLL", "KV_COLOR.ICM", "UNIDRV.DLL", "UNIDRVUI.DLL",
            "UNIDRV.HLP" } },
    };
    const int modelCount = (int)(sizeof models / sizeof models[0]);
    REQUIRE(CountModels() == modelCount);

    /* The model page lists the names GetModelName gives. */
    const char *none[] = { NULL };
    HWND page = MakeModelPage(none, -1);
    HWND list = GetDlgItem(page, IDC_MODEL_LIST);
    for (WORD i = 0; i < modelCount; i++) {
        char name[TEXT_SIZE] = "";
        GetModelName(i, name);
        CHECK(std::string(name) == models[i].model);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)name);
    }

    std::string gpd = ReadWholeFile(SampleSource() + "src\\KV_R52x.GPD");
    for (int i = 0; i < modelCount; i++) {
        CAPTURE(models[i].model);
        SendMessageA(list, LB_SETCURSEL, (WPARAM)i, 0);
        REQUIRE(LoadModelData(page) == 1);
        CHECK(std::string(SetupState.ModelName) == models[i].model);
        CHECK(ReadMultiString(SetupState.FileList) == MultiString(models[i].files));
        CHECK(std::string(SetupState.DefaultDataType) == models[i].type);
        REQUIRE(SetupState.DriverDirectory[0]);

        const char *file = SetupState.FileList;
        for (int n = 0; n < SetupState.FileCount; n++, file += strlen(file) + 1) {
            CAPTURE(file);
            CHECK(ExpandIntoDriverDirectory(file));
        }
        CHECK(ReadWholeFile(std::string(SetupState.DriverDirectory) + "KV_R52x.GPD") == gpd);

        lstrcpyA(SetupState.PortName, "LPT1:");
        RemovePreviousInstall();
        REQUIRE(RegisterDriverAndPrinter() == 1);
        const char *hardwareId = GetHardwareId(models[i].model);
        REQUIRE(hardwareId);
        CHECK(std::string(hardwareId) == models[i].hardwareId);

        std::string block;
        const DRIVER_INFO_3A *driver = FindDriver(block, models[i].model);
        REQUIRE(driver);
        CHECK(BareNames(driver->pDependentFiles) == MultiString(models[i].files));
        CHECK(std::string(driver->pDefaultDataType) == models[i].type);
        CHECK(ReadWholeFile(driver->pDataFile) == gpd);
        CHECK(RemovePreviousInstall() == 1);
    }
    DestroyWindow(page);
}
