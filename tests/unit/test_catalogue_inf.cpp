/*
 * The setup information catalogue read from real INF files written by the
 * tests (with CRLF and with LF line ends) through Wine's profile reader.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"
#include "spooler/spooler_api.h"

/* Writes `text` (lines ended by \n) as the INF `name` beside the program,
   with CRLF or LF line ends, and makes it the INF that is read. */
static void UseInf(const char *name, const std::string &text, bool crlf)
{
    std::string content;
    for (char c : text) {
        if (c == '\n' && crlf)
            content += '\r';
        content += c;
    }
    std::string path = BesideProgram(name);
    REQUIRE(WriteTextFile(path.c_str(), content.c_str()));
    lstrcpynA(SetupState.InfPath, path.c_str(), TEXT_SIZE);
}

static std::string ModelName(WORD index)
{
    char name[TEXT_SIZE];
    lstrcpyA(name, "<untouched>");
    GetModelName(index, name);
    return name;
}

/* Selects `model` on a model page stand-in and loads its data. */
static int LoadModel(const char *model)
{
    const char *items[] = { model, NULL };
    HWND page = MakeModelPage(items, 0);
    int result = LoadModelData(page);
    DestroyWindow(page);
    return result;
}

static std::string LoadedFileList(void)
{
    return ReadMultiString(SetupState.FileList);
}

TEST_CASE("GetInfPath names KV_R52x.INF in the program's directory and keeps it")
{
    SetupState.InfPath[0] = '\0';
    std::string expected = BesideProgram("KV_R52x.INF");
    CHECK(std::string(GetInfPath()) == expected);
    CHECK(GetInfPath() == SetupState.InfPath);
    lstrcpyA(SetupState.InfPath, "C:\\elsewhere\\chosen.inf");
    CHECK(std::string(GetInfPath()) == "C:\\elsewhere\\chosen.inf");
}

TEST_CASE("three quoted model keys list three bare names in file order")
{
    for (bool crlf : { true, false }) {
        CAPTURE(crlf);
        UseInf("catalogue_three.inf",
               "[Version]\nSignature=\"$Windows NT$\"\n\n"
               "[KestVelotic]\n"
               "\"Zeta 9\" = Z_Install, HWZ\n"
               "\"Alpha One\" = A_Install, HWA\n"
               "\"mid Model\" = M_Install\n\n"
               "[Other]\n\"Not a model\" = X\n",
               crlf);
        CHECK(CountModels() == 3);
        CHECK(ModelName(0) == "Zeta 9");
        CHECK(ModelName(1) == "Alpha One");
        CHECK(ModelName(2) == "mid Model");
        CHECK(ModelName(3) == "<untouched>");
    }
}

TEST_CASE("a key list longer than 1024 bytes counts only the names within them")
{
    /* 30 keys of 49 characters: each takes 50 bytes of the list, so the
       21st begins at byte 1000 and is cut short by the 1024-byte read. */
    std::string text = "[KestVelotic]\n";
    std::string names[30];
    for (int i = 0; i < 30; i++) {
        char name[64];
        snprintf(name, sizeof name, "Model %02d ", i);
        names[i] = std::string(name) + std::string(47 - strlen(name), 'x');
        text += "\"" + names[i] + "\" = Inst, HW\n";
    }
    UseInf("catalogue_many.inf", text, true);
    CHECK(CountModels() == 21);
    CHECK(ModelName(0) == names[0]);
    CHECK(ModelName(20) == names[20]);
    CHECK(ModelName(29) == names[29]);
    CHECK(ModelName(30) == "<untouched>");
}

TEST_CASE("a missing INF or models section lists no models")
{
    lstrcpynA(SetupState.InfPath, BesideProgram("catalogue_absent.inf").c_str(), TEXT_SIZE);
    CHECK(CountModels() == 0);
    CHECK(ModelName(0) == "<untouched>");
    UseInf("catalogue_nosection.inf", "[Other]\n\"A\" = B\n", false);
    CHECK(CountModels() == 0);
    CHECK(ModelName(0) == "<untouched>");
}

TEST_CASE("model keys too long or too short give no name and no overflow")
{
    std::string longName(1030, 'L');
    UseInf("catalogue_oddkeys.inf", "[KestVelotic]\nX = Inst\n\"" + longName + "\" = Inst\n", true);
    CHECK(CountModels() == 2);
    CHECK(ModelName(0) == "<untouched>");
    CHECK(ModelName(1) == "<untouched>");
    CHECK(GetHardwareId(longName.c_str()) == NULL);

    /* The longest name that still forms its key finds its line. */
    std::string limitName(TEXT_SIZE - 3, 'M');
    UseInf("catalogue_limitkey.inf",
           "[KestVelotic]\n\"" + limitName + "\" = LimitInst,LIMITHW\n"
           "[LimitInst]\nCopyFiles=@LIMIT.DLL\n",
           true);
    CHECK(CountModels() == 1);
    CHECK(ModelName(0) == limitName);
    CHECK(LoadModel(limitName.c_str()) == 1);
    CHECK(SetupState.FileCount == 1);
    const char *hardwareId = GetHardwareId(limitName.c_str());
    REQUIRE(hardwareId);
    CHECK(std::string(hardwareId) == "LIMITHW");
}

TEST_CASE("CopyFiles values become FileList names exactly as written")
{
    static const struct { const char *value; const char *names[4]; } cases[] = {
        { "@KV_R52x.GPD,@UNIDRV.DLL", { "KV_R52x.GPD", "UNIDRV.DLL" } },
        { "@A.DLL, @B.GPD", { "A.DLL", " @B.GPD" } },
        { "@@A.DLL,B@C.DLL", { "@A.DLL", "B@C.DLL" } },
        { "A.DLL,,B.DLL", { "A.DLL", ",B.DLL" } },
        { ",A.DLL", { ",A.DLL" } },
        { "A.DLL,B.DLL,", { "A.DLL", "B.DLL" } },
        { "\"Q.DLL\",lower.gpd,Mixed Case.Hlp", { "\"Q.DLL\"", "lower.gpd", "Mixed Case.Hlp" } },
        { "A\tB.DLL,C", { "A\tB.DLL", "C" } },
        { "A.DLL,@", { "A.DLL" } },
        { "@", { NULL } },
        { "", { NULL } },
    };
    for (bool crlf : { true, false }) {
        std::string text = "[KestVelotic]\n";
        for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++)
            text += "\"Case " + std::to_string(i) + "\" = Inst" + std::to_string(i) + "\n";
        for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++)
            text += "[Inst" + std::to_string(i) + "]\nCopyFiles=" + cases[i].value + "\n";
        UseInf("catalogue_copyfiles.inf", text, crlf);
        for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
            CAPTURE(crlf);
            CAPTURE(cases[i].value);
            std::string model = "Case " + std::to_string(i);
            REQUIRE(LoadModel(model.c_str()) == 1);
            std::string expected = MultiString(cases[i].names);
            int count = 0;
            while (cases[i].names[count])
                count++;
            CHECK(SetupState.FileCount == count);
            CHECK(LoadedFileList() == expected);
            CHECK(std::string(SetupState.ModelName) == model);
        }
    }
}

TEST_CASE("FileList holds a full 1023-character value and the next model replaces it")
{
    std::string longValue(1100, 'F');
    UseInf("catalogue_longlist.inf",
           "[KestVelotic]\n\"Long\" = LongInst\n\"Five\" = FiveInst\n\"Two\" = TwoInst\n"
           "[LongInst]\nCopyFiles=" + longValue + "\n"
           "[FiveInst]\nCopyFiles=@A1.DLL,@B2.DLL,@C3.DLL,@D4.DLL,@E5.DLL\n"
           "[TwoInst]\nCopyFiles=@X.GPD,@Y.DLL\n",
           false);
    REQUIRE(LoadModel("Long") == 1);
    CHECK(SetupState.FileCount == 1);
    CHECK(strlen(SetupState.FileList) == 1023);
    CHECK(SetupState.FileList[1023] == '\0');
    CHECK(SetupState.FileList[1024] == '\0');

    REQUIRE(LoadModel("Five") == 1);
    CHECK(SetupState.FileCount == 5);
    REQUIRE(LoadModel("Two") == 1);
    CHECK(SetupState.FileCount == 2);
    const char *two[] = { "X.GPD", "Y.DLL", NULL };
    CHECK(LoadedFileList() == MultiString(two));
}

TEST_CASE("the data type comes from the model's data section, RAW by default")
{
    UseInf("catalogue_datatype.inf",
           "[KestVelotic]\n"
           "\"Emf\" = EmfInst\n\"NoKey\" = NoKeyInst\n\"NoSection\" = NoSectionInst\n"
           "\"NoDataSection\" = NoDataInst\n\"Quoted\" = QuotedInst\n"
           "[EmfInst]\nCopyFiles=@E.DLL\nDataSection=EmfData\n"
           "[emfdata]\nDefaultDataType = NT EMF 1.008 \n"
           "[NoKeyInst]\nDataSection=EmptyData\n[EmptyData]\nOther=1\n"
           "[NoSectionInst]\nDataSection=AbsentData\n"
           "[NoDataInst]\nCopyFiles=@N.DLL\n"
           "[QuotedInst]\nDataSection=QuotedData\n[QuotedData]\nDefaultDataType=\"TEXT\"\n",
           true);
    static const struct { const char *model; const char *type; } cases[] = {
        { "Emf", "NT EMF 1.008" }, { "NoKey", "RAW" }, { "NoSection", "RAW" },
        { "NoDataSection", "RAW" }, { "Quoted", "TEXT" },
    };
    for (const auto &c : cases) {
        CAPTURE(c.model);
        REQUIRE(LoadModel(c.model) == 1);
        CHECK(std::string(SetupState.DefaultDataType) == c.type);
    }
}

TEST_CASE("a model line without an install section gives no files, RAW and 1")
{
    UseInf("catalogue_nofirst.inf",
           "[KestVelotic]\n\"Commas\" = ,,,\n\"Empty\" =\nPlain = PlainInst\n"
           "[PlainInst]\nCopyFiles=@P.DLL\nDataSection=PlainData\n"
           "[PlainData]\nDefaultDataType=NT EMF 1.008\n"
           "[]\nCopyFiles=@NAMELESS.DLL\nDefaultDataType=NAMELESS\n",
           false);
    /* The unquoted key Plain is listed as "lai", whose line is not found. */
    REQUIRE(CountModels() == 3);
    CHECK(ModelName(2) == "lai");
    for (const char *model : { "Commas", "Empty", "lai", "Not in the INF" }) {
        CAPTURE(model);
        SetupState.FileCount = 7;
        lstrcpyA(SetupState.FileList, "stale");
        REQUIRE(LoadModel(model) == 1);
        CHECK(SetupState.FileCount == 0);
        CHECK(SetupState.FileList[0] == '\0');
        CHECK(std::string(SetupState.DefaultDataType) == "RAW");
    }
}

TEST_CASE("without a selected model LoadModelData changes nothing")
{
    const char *items[] = { "Something", NULL };
    HWND page = MakeModelPage(items, -1);
    lstrcpyA(SetupState.ModelName, "kept");
    lstrcpyA(SetupState.DefaultDataType, "kept type");
    SetupState.FileCount = 3;
    CHECK(LoadModelData(page) == 0);
    CHECK(std::string(SetupState.ModelName) == "kept");
    CHECK(std::string(SetupState.DefaultDataType) == "kept type");
    CHECK(SetupState.FileCount == 3);
    DestroyWindow(page);
}

TEST_CASE("the hardware id is the model line's second field")
{
    for (bool crlf : { true, false }) {
        CAPTURE(crlf);
        UseInf("catalogue_hwid.inf",
               "[KestVelotic]\n"
               "\"Plain\" = Inst,KESTHW01\n"
               "\"Blank\" = Inst, KESTHW02\n"
               "\"Doubled\" = Inst,,KESTHW03\n"
               "\"More\" = Inst,KESTHW04,Compat1,Compat2\n"
               "\"OnlySection\" = Inst\n"
               "\"Trailing\" = Inst,\n"
               "\"Leading\" = ,,Inst,KESTHW05\n",
               crlf);
        static const struct { const char *model; const char *id; } cases[] = {
            { "Plain", "KESTHW01" }, { "Blank", " KESTHW02" }, { "Doubled", "KESTHW03" },
            { "More", "KESTHW04" }, { "OnlySection", NULL }, { "Trailing", NULL },
            { "Leading", "KESTHW05" }, { "Absent", NULL },
        };
        for (const auto &c : cases) {
            CAPTURE(c.model);
            const char *id = GetHardwareId(c.model);
            CHECK(std::string(SetupState.ModelKey) == std::string("\"") + c.model + "\"");
            if (!c.id) {
                CHECK(id == NULL);
                continue;
            }
            REQUIRE(id);
            CHECK(std::string(id) == c.id);
            CHECK(id >= SetupState.ModelLine);
            CHECK(id < SetupState.ModelLine + TEXT_SIZE);
        }
    }
}

/* The spooler refuses; the wizard asks for the x86 directory by name, also
   where its own process would be given another one (a 64-bit build). */
static BOOL WINAPI RefuseDriverDirectory(LPSTR, LPSTR environment, DWORD, LPBYTE buffer, DWORD size,
                                         LPDWORD needed)
{
    CHECK(environment);
    CHECK(std::string(environment ? environment : "") == "Windows NT x86");
    if (buffer && size)
        buffer[0] = '\0';
    *needed = 0;
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_CASE("the driver directory is the spooler's with one backslash, empty when refused")
{
    UseInf("catalogue_dir.inf", "[KestVelotic]\n\"Dir\" = Inst\n", true);
    char expected[TEXT_SIZE];
    REQUIRE(ReadX86DriverDirectory(expected, sizeof expected));
    lstrcatA(expected, "\\");
    REQUIRE(LoadModel("Dir") == 1);
    CHECK(std::string(SetupState.DriverDirectory) == expected);
    REQUIRE(LoadModel("Dir") == 1);
    CHECK(std::string(SetupState.DriverDirectory) == expected);

    Spooler.GetPrinterDriverDirectoryA = RefuseDriverDirectory;
    REQUIRE(LoadModel("Dir") == 1);
    ResetSpoolerApi();
    CHECK(SetupState.DriverDirectory[0] == '\0');
}
