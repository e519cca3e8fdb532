/*
 * Whole installations on Windows in other languages. Each scenario runs,
 * with the setup.exe it starts, under the locale its name ends with
 * (tests.cmake sets LC_ALL), as every program of such a Windows runs in its
 * ANSI code page. The Japanese package's model names, folder and one file
 * name hold characters whose second byte in code page 932 is 0x5C, the
 * backslash (ソ 83 5C, 表 95 5C, 能 94 5C); the German one has accented
 * names in code page 1252. The texts are written here in UTF-8 and turned
 * into the code page named, not this process's, and what the spooler keeps
 * is read back in UTF-16 and compared with them.
 */
#include <stdio.h>
#include <string>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "wide_text.h"

struct LocalePackage {
    UINT codePage;
    const char *folder;     /* the package folder, in C:\e2e\<scenario>\ */
    const char *models[2];  /* the INF's models; the second is installed */
    const char *file;       /* a file of the models beside the sample's */
};

static const char SampleFiles[] = "KV_R52x.GPD,KV_R52x.DLL,UNIDRV.DLL,UNIDRVUI.DLL,UNIDRV.HLP";

/* Both models install the sample's files and the package's own. */
static std::string InfText(const LocalePackage &p)
{
    return std::string("[KestVelotic]\r\n\"") + p.models[0] + "\" = LocaleInstall, KESTLOCALE1\r\n\"" +
           p.models[1] + "\" = LocaleInstall, KESTLOCALE2\r\n[LocaleInstall]\r\n"
           "CopyFiles=@KV_R52x.GPD,@KV_R52x.DLL,@UNIDRV.DLL,@UNIDRVUI.DLL,@UNIDRV.HLP,@" + p.file + "\r\n"
           "DataSection=LocaleData\r\n[LocaleData]\r\nDefaultDataType=RAW\r\n";
}

static int InstallInCodePage(const LocalePackage &p)
{
    WALK_REQUIRE(GetACP() == p.codePage, "this process runs in code page %u, not %u: is its locale generated "
                 "(tools/ensure-packages.sh)?", GetACP(), p.codePage);
    const std::string folder = InCodePage(p.folder, p.codePage), model = InCodePage(p.models[1], p.codePage),
                      file = InCodePage(p.file, p.codePage);
    WALK_REQUIRE(PreparePackage(Session.SampleDir, folder.c_str()), "package folder %s not prepared", p.folder);
    WALK_REQUIRE(WritePackageFile("KV_R52x.INF", InCodePage(InfText(p).c_str(), p.codePage).c_str()),
                 "INF not written");
    WALK_REQUIRE(WritePackageFile(file.c_str(), (std::string(p.file) + " of the package\r\n").c_str()),
                 "%s not written", p.file);
    RemoveInstalled(model.c_str());

    InstallPlan plan = PlanInstall("win7", model.c_str(), "LPT1:");
    plan.SetDefault = 1;
    InstallRecord record;
    int passed = RunWholeInstall(&plan, &record);
    if (passed && record.ModelCount != 2)
        passed = WalkFail(__FILE__, __LINE__, "%d models listed", record.ModelCount);
    passed = passed && CheckInstalled(p.models[1], "LPT1:", (std::string(SampleFiles) + "," + p.file).c_str(), 1);
    if (passed)
        printf("installed %s from %s in code page %u\n", p.models[1], p.folder, p.codePage);
    RemoveInstalled(model.c_str());
    char directory[MAX_PATH];
    if (ReadX86DriverDirectory(directory, sizeof directory)) {
        DeleteFileA((std::string(directory) + "\\" + file).c_str());
        DeleteFileA((std::string(directory) + "\\3\\" + file).c_str());
    }
    return passed;
}

DEFINE_SCENARIO(install_ja_JP)
{
    return InstallInCodePage({ 932, "表示ソフト", { "ケスト 高機能 KV-R521", "ケスト 表示ソフト KV-R524" }, "表示.dat" });
}

DEFINE_SCENARIO(install_de_DE)
{
    return InstallInCodePage({ 1252, "Treiber für Kest", { "Kest Größe 200", "Kest Drücker 100" }, "größe.dat" });
}
