/*
 * The sample driver package (sample/) through the catalogue and the spooler
 * calls: its models are listed with their files, data types and hardware
 * ids, every file copies (expanded) into the driver directory, and each
 * model registers with Wine's spooler.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include <winspool.h>
#include "install/install.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"
#include "spooler/spooler.h"
#include "dialog_watch.h"

/* The source tree's sample directory as Wine sees it. */
static std::string SampleSource(void)
{
    std::string path = std::string("Z:") + SAMPLE_SOURCE_DIR;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path + "\\";
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

    for (int i = 0; i < modelCount; i++) {
        CAPTURE(models[i].model);
        SendMessageA(list, LB_SETCURSEL, (WPARAM)i, 0);
        REQUIRE(LoadModelData(page) == 1);
        CHECK(std::string(SetupState.ModelName) == models[i].model);
        CHECK(ReadMultiString(SetupState.FileList) == MultiString(models[i].files));
        CHECK(std::string(SetupState.DefaultDataType) == models[i].type);
        REQUIRE(SetupState.DriverDirectory[0]);
        /* Every file, compressed or not, copies without a message. */
        StartWatch(NULL, NULL);
        for (int n = 0; n < SetupState.FileCount; n++)
            CHECK(CopyOneFile(NULL, n) == 1);
        StopWatch();
        CHECK(SeenCount == 0);
        lstrcpyA(SetupState.PortName, "LPT1:");
        RemovePreviousInstall();
        REQUIRE(StageOwnEnvironmentDriver(models[i].model));
        REQUIRE(RegisterDriverAndPrinter() == 1);
        const char *hardwareId = GetHardwareId(models[i].model);
        REQUIRE(hardwareId);
        CHECK(std::string(hardwareId) == models[i].hardwareId);

        const DRIVER_INFO_3A *driver = (const DRIVER_INFO_3A *)ReadDriverRecord(models[i].model, 3);
        REQUIRE(driver);
        CHECK(BareNames(driver->pDependentFiles) == MultiString(models[i].files));
        CHECK(std::string(driver->pDefaultDataType) == models[i].type);
        CHECK(RemovePreviousInstall() == 1);
        RemoveOwnEnvironmentDriver(models[i].model);
    }
    DestroyWindow(page);
}
