/*
 * The setup information catalogue through Wine's profile reader, on INF
 * files written here: the model list, each model's files, data type and
 * hardware id, and the driver directory; and hostile INFs (thousands of
 * models, keys and values longer than a buffer, binary garbage, no file)
 * whose reads must stay within the buffers.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <algorithm>
#include "catalogue_support.h"
#include "setupinfo/model_line_logic.h"
#include "spooler/spooler_api.h"
#include "spooler_fakes.h"

/* The name GetModelName gives: "<untouched>" when it writes nothing,
   "<overrun>" when it writes past the 1024-byte buffer. */
static std::string ModelName(WORD index)
{
    char name[TEXT_SIZE + 16];
    memset(name, 'Z', sizeof name);
    lstrcpyA(name, "<untouched>");
    GetModelName(index, name);
    int inside = memchr(name, '\0', TEXT_SIZE) && std::string(name + TEXT_SIZE, 16) == std::string(16, 'Z');
    return inside ? name : "<overrun>";
}

/* `count` models "Hardening Model NNNN". */
static std::string Keys(int count)
{
    std::string text = "[KestVelotic]\n";
    char line[64];
    for (int i = 0; i < count; i++)
        text += std::string(line, snprintf(line, sizeof line, "\"Hardening Model %04d\" = HardInst, HW\n", i));
    return text;
}

/* Random bytes, NULs and line ends included, with the models section's
   header scattered through them; the same on every run. */
static std::string BinaryGarbage(void)
{
    std::string text;
    for (unsigned state = 20261206u; text.size() < 256 * 1024; state = state * 1103515245u + 12345u)
        text += (state >> 8) % 50 ? std::string(1, (char)(state >> 16)) : "\r\n[KestVelotic]\r\n\"";
    return text;
}

/* A models section whose first value is 4 MB long, and values longer than
   the buffers in the install and data sections. */
static std::string HugeValues(void)
{
    return "[KestVelotic]\n\"Huge Line\" = HugeInst," + std::string(4 << 20, 'H') +
           "\n\"Plain Model\" = HugeInst, PLAINHW\n[HugeInst]\nCopyFiles=@KV_R52x.GPD,@" + std::string(3000, 'N') +
           "\nDataSection=HugeData\n[HugeData]\nDefaultDataType=" + std::string(5000, 'D') + "\n";
}

TEST_CASE("the model list: names in file order within 1024 bytes of keys, each listed model loads within bounds")
{
    const std::string longKey(1030, 'L'), limitKey(TEXT_SIZE - 3, 'M');
    const struct {
        const char *file;
        std::string content;
        int count;  /* -1: any count that fits the list */
        struct { int index; std::string name; } names[3];
    } cases[] = {
        { "list_three.inf", "[KestVelotic]\n\"Zeta 9\" = Z_Install, HWZ\n\"Alpha One\" = A_Install, HWA\n"
                            "\"mid Model\" = M_Install\n[Other]\n\"Not a model\" = X\n",
          3, { { 0, "Zeta 9" }, { 2, "mid Model" }, { 3, "<untouched>" } } },
        { "list_odd_keys.inf", "[KestVelotic]\nX = Inst\n\"" + longKey + "\" = Inst\n",
          2, { { 0, "<untouched>" }, { 1, "<untouched>" } } },
        { "list_limit_key.inf", "[KestVelotic]\n\"" + limitKey + "\" = Inst,HW\n[Inst]\nCopyFiles=@LIMIT.DLL\n",
          1, { { 0, limitKey } } },
        { "list_absent.inf", "", 0, { { 0, "<untouched>" } } },
        /* Each key, "Hardening Model 0000" in quotation marks, takes 23 bytes:
           the 45th is cut short by the 1024-byte read but counts, and the
           2048-byte read of the names gives it whole. */
        { "list_5000.inf", Keys(5000) + "[HardInst]\nCopyFiles=@KV_R52x.GPD,@KV_R52x.DLL\n",
          45, { { 44, "Hardening Model 0044" } } },
        { "list_garbage.inf", BinaryGarbage(), -1, {} },
        { "list_huge.inf", HugeValues(), 2, { { 1, "Plain Model" } } },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.file));
        REQUIRE(UseInf(c.file, c.content));
        int count = CountModels();
        /* Each counted key takes at least two bytes of the 1024-byte list. */
        CHECK(count <= 512);
        if (c.count >= 0)
            CHECK(count == c.count);
        for (const auto &n : c.names)
            if (!n.name.empty())
                CHECK(ModelName((WORD)n.index) == n.name);
        /* The page lists every model; loading the first eight and the last
           is enough: FileList and FileCount agree, the texts end in their
           buffers, a hardware id lies in ModelLine. */
        for (int index = 0; index < count; index++) {
            std::string name = ModelName((WORD)index);
            CHECK(name != "<overrun>");
            if (index >= 8 && index + 1 != count)
                continue;
            CAPTURE(index);
            CHECK(LoadModel(name.c_str()) == 1);
            CHECK(SetupState.FileCount == (int)CountListNames(SetupState.FileList, sizeof SetupState.FileList));
            CHECK(memchr(SetupState.DefaultDataType, '\0', TEXT_SIZE) != NULL);
            const char *id = GetHardwareId(name.c_str());
            CHECK((!id || (id >= SetupState.ModelLine && id < SetupState.ModelLine + TEXT_SIZE)));
        }
    }
}

TEST_CASE("CopyFiles values become FileList names exactly as written, each list replacing the last")
{
    const struct { std::string value, names; } cases[] = {
        { "@KV_R52x.GPD,@UNIDRV.DLL", "KV_R52x.GPD|UNIDRV.DLL|" },
        { "@A.DLL, @B.GPD", "A.DLL| @B.GPD|" },
        { "@@A.DLL,B@C.DLL", "@A.DLL|B@C.DLL|" },
        { "A.DLL,,B.DLL", "A.DLL|,B.DLL|" },
        { ",A.DLL", ",A.DLL|" },
        { "A.DLL,B.DLL,", "A.DLL|B.DLL|" },
        { "\"Q.DLL\",lower.gpd,Mixed Case.Hlp", "\"Q.DLL\"|lower.gpd|Mixed Case.Hlp|" },
        { "A\tB.DLL,C", "A\tB.DLL|C|" },
        { "A.DLL,@", "A.DLL|" },
        { "@", "" },
        { "", "" },
        /* The value read is cut to 1023 characters: a list of 1025 bytes. */
        { std::string(1100, 'F'), std::string(1023, 'F') + "|" },
        { "@X.GPD,@Y.DLL", "X.GPD|Y.DLL|" },
    };
    std::string text = "[KestVelotic]\n", sections;
    for (const auto &c : cases) {
        std::string number = std::to_string(&c - cases);
        text += "\"Case " + number + "\" = Inst" + number + "\n";
        sections += "[Inst" + number + "]\nCopyFiles=" + c.value + "\n";
    }
    REQUIRE(UseInf("catalogue_copyfiles.inf", text + sections));
    for (const auto &c : cases) {
        CAPTURE(c.value);
        std::string model = "Case " + std::to_string(&c - cases);
        REQUIRE(LoadModel(model.c_str()) == 1);
        std::string names = Names(SetupState.FileList);
        CHECK(names == c.names);
        CHECK(SetupState.FileCount == (int)std::count(names.begin(), names.end(), '|'));
        CHECK(std::string(SetupState.ModelName) == model);
    }
}

TEST_CASE("a model's line: files and data type from its install section, RAW by default; its hardware id; the driver directory")
{
    REQUIRE(UseInf("catalogue_model.inf",
                   "[KestVelotic]\n\"Emf\" = EmfInst,KESTHW01\n\"NoKey\" = NoKeyInst, KESTHW02\n"
                   "\"NoSection\" = NoSectionInst,,KESTHW03\n\"NoDataSection\" = NoDataInst,KESTHW04,Compat1\n"
                   "\"Quoted\" = QuotedInst\n\"Empty\" = EmptyInst,\n\"Commas\" = ,,,\n"
                   "\"Leading\" = ,,LeadInst,KESTHW05\n\"Blank\" =\n"
                   "[EmfInst]\nCopyFiles=@E.DLL\nDataSection=EmfData\n[emfdata]\nDefaultDataType = NT EMF 1.008 \n"
                   "[NoKeyInst]\nDataSection=OtherData\n[OtherData]\nOther=1\n"
                   "[NoSectionInst]\nDataSection=AbsentData\n[NoDataInst]\nCopyFiles=@N.DLL\n"
                   "[QuotedInst]\nDataSection=QuotedData\n[QuotedData]\nDefaultDataType=\"TEXT\"\n"
                   "[EmptyInst]\nDataSection=EmptyData\n[EmptyData]\nDefaultDataType=\n"
                   "[]\nCopyFiles=@NAMELESS.DLL\nDefaultDataType=NAMELESS\n"));
    char directory[TEXT_SIZE];
    REQUIRE(ReadX86DriverDirectory(directory, sizeof directory));
    static const struct { const char *model, *type; int files; const char *id; DWORD refuseDirectory; } cases[] = {
        { "Emf", "NT EMF 1.008", 1, "KESTHW01", 0 }, { "NoKey", "RAW", 0, " KESTHW02", 0 },
        { "NoSection", "RAW", 0, "KESTHW03", 0 }, { "NoDataSection", "RAW", 1, "KESTHW04", 0 },
        { "Quoted", "TEXT", 0, NULL, 0 }, { "Empty", "", 0, NULL, 0 },  /* present but empty: empty */
        { "Commas", "RAW", 0, NULL, 0 }, { "Leading", "RAW", 0, "KESTHW05", 0 }, { "Blank", "RAW", 0, NULL, 0 },
        { "Not in the INF", "RAW", 0, NULL, ERROR_ACCESS_DENIED },  /* and no driver directory */
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.model));
        SetupState.FileCount = 7;
        lstrcpyA(SetupState.FileList, "stale");
        lstrcpyA(SetupState.DefaultDataType, "stale");
        RecordSpoolerCalls();
        Calls.refuseDirectory = c.refuseDirectory;
        REQUIRE(LoadModel(c.model) == 1);
        ResetSpoolerApi();
        CHECK(std::string(SetupState.DefaultDataType) == std::string(c.type));
        CHECK(SetupState.FileCount == c.files);
        CHECK((int)CountListNames(SetupState.FileList, sizeof SetupState.FileList) == c.files);
        /* Named, not left to the spooler, which would answer a 64-bit
           process with its own environment's directory. */
        CHECK(Calls.directoryEnvironment == "Windows NT x86");
        CHECK(std::string(SetupState.DriverDirectory) == (c.refuseDirectory ? "" : std::string(directory) + "\\"));
        const char *id = GetHardwareId(c.model);
        CHECK(std::string(SetupState.ModelKey) == std::string("\"") + c.model + "\"");
        CHECK(Text(id) == Text(c.id));
        CHECK((!id || (id >= SetupState.ModelLine && id < SetupState.ModelLine + TEXT_SIZE)));
    }
}
