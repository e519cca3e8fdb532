/*
 * The catalogue on hostile INFs, generated here at run time: thousands of
 * models, keys of 2,000 characters, binary garbage, a 10 MB file, no file at
 * all. Whatever the INF holds, the model list stays within its bounds, every
 * name fits its buffer, and each listed model loads with a FileList and a
 * FileCount that agree.
 */
#include <doctest/doctest.h>
#include <string>
#include "catalogue_support.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"

/* Writes `content` (NULs included) as the INF `name` beside the program and
   makes it the INF that is read. */
static void UseBinaryInf(const char *name, const std::string &content)
{
    std::string path = BesideProgram(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    BOOL ok = WriteFile(file, content.data(), (DWORD)content.size(), &written, NULL);
    CloseHandle(file);
    REQUIRE(ok);
    REQUIRE(written == content.size());
    lstrcpynA(SetupState.InfPath, path.c_str(), TEXT_SIZE);
}

/* A fixed pseudo-random sequence, so a failing INF is the same on every run. */
static unsigned NextRandom(unsigned *state)
{
    *state = *state * 1103515245u + 12345u;
    return *state >> 8;
}

static std::string ManyModels(int count)
{
    std::string text = "[KestVelotic]\r\n";
    for (int i = 0; i < count; i++) {
        char line[96];
        snprintf(line, sizeof line, "\"Hardening Model %04d\" = HardInstall, HARDHW%04d\r\n", i, i);
        text += line;
    }
    return text + "[HardInstall]\r\nCopyFiles=@KV_R52x.GPD,@KV_R52x.DLL\r\nDataSection=HardData\r\n"
                  "[HardData]\r\nDefaultDataType=NT EMF 1.008\r\n";
}

static std::string LongKeys(void)
{
    std::string text = "[KestVelotic]\r\n";
    for (int i = 0; i < 3; i++)
        text += "\"" + std::string(2000, (char)('A' + i)) + "\" = HardInstall, LONGHW\r\n";
    return text + "\"Short Model\" = HardInstall, SHORTHW\r\n"
                  "[HardInstall]\r\nCopyFiles=@" + std::string(2000, 'F') + "\r\n";
}

/* Random bytes, NULs, brackets, quotation marks and line ends included,
   with the models section's header scattered through them. */
static std::string BinaryGarbage(void)
{
    unsigned state = 20261206u;
    std::string text;
    while (text.size() < 256 * 1024) {
        if (NextRandom(&state) % 50 == 0)
            text += "\r\n[KestVelotic]\r\n\"";
        text += (char)(NextRandom(&state) & 0xFF);
    }
    return text;
}

/* 10 MB: a models section whose first value is 4 MB long, a filler section
   of short keys, and the install and data sections at the very end. */
static std::string TenMegabytes(void)
{
    std::string text = "[KestVelotic]\r\n\"Huge Line\" = HugeInstall," + std::string(4 << 20, 'H') + "\r\n"
                       "\"Plain Model\" = HugeInstall, PLAINHW\r\n[Filler]\r\n";
    char line[64];
    for (int i = 0; text.size() < (10u << 20) - 200; i++) {
        snprintf(line, sizeof line, "Key%07d=%s\r\n", i, "filler filler filler filler");
        text += line;
    }
    return text + "[HugeInstall]\r\nCopyFiles=@KV_R52x.GPD,@" + std::string(3000, 'N') + "\r\nDataSection=HugeData\r\n"
                  "[HugeData]\r\nDefaultDataType=" + std::string(5000, 'D') + "\r\n";
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

static int CountFileListNames(const char *list, size_t size)
{
    int count = 0;
    size_t at = 0;
    while (at < size && list[at]) {
        const char *end = (const char *)memchr(list + at, '\0', size - at);
        if (!end)
            return -1;
        count++;
        at = (size_t)(end - list) + 1;
    }
    return at < size ? count : -1;
}

/* Lists the models as the model page does and loads some of them: every
   name fits and leaves the bytes after its buffer alone, every load agrees
   with itself. Returns the number of listed models. */
static int CheckCatalogueHolds(void)
{
    WORD count = CountModels();
    /* Each counted key takes at least two bytes of the 1024-byte list. */
    CHECK(count <= 512);
    for (WORD index = 0; index < count; index++) {
        char name[TEXT_SIZE + 16];
        memset(name, 'Z', sizeof name);
        name[0] = '\0';
        GetModelName(index, name);
        for (size_t i = TEXT_SIZE; i < sizeof name; i++)
            REQUIRE(name[i] == 'Z');
        REQUIRE(memchr(name, '\0', TEXT_SIZE) != NULL);
        /* The page lists every model; loading a few of them is enough. */
        if (index >= 8 && index + 1 != count)
            continue;
        CAPTURE(index);
        CHECK(LoadModel(name) == 1);
        CHECK(SetupState.FileCount >= 0);
        CHECK(CountFileListNames(SetupState.FileList, sizeof SetupState.FileList) == SetupState.FileCount);
        CHECK(memchr(SetupState.DefaultDataType, '\0', TEXT_SIZE) != NULL);
        CHECK(SetupState.DefaultDataType[0] != '\0');
        const char *hardwareId = GetHardwareId(name);
        if (hardwareId)
            CHECK((hardwareId >= SetupState.ModelLine && hardwareId < SetupState.ModelLine + TEXT_SIZE));
    }
    return count;
}

TEST_CASE("5,000 models: the list shows those within the first 1024 bytes, each loads")
{
    UseBinaryInf("hardening_many.inf", ManyModels(5000));
    /* Each key, "Hardening Model 0000" in quotation marks, takes 23 bytes. */
    CHECK(CheckCatalogueHolds() == 45);
    CHECK(LoadModel("Hardening Model 0044") == 1);
    CHECK(SetupState.FileCount == 2);
    CHECK(std::string(SetupState.DefaultDataType) == "NT EMF 1.008");
}

TEST_CASE("keys of 2,000 characters give no names and no overflow")
{
    UseBinaryInf("hardening_longkeys.inf", LongKeys());
    CHECK(CheckCatalogueHolds() == 1);
    char name[TEXT_SIZE];
    lstrcpyA(name, "<untouched>");
    GetModelName(0, name);
    CHECK(std::string(name) == "<untouched>");
    /* A CopyFiles value cut to 1023 characters: one name without its at sign. */
    CHECK(LoadModel("Short Model") == 1);
    CHECK(SetupState.FileCount == 1);
    CHECK(strlen(SetupState.FileList) == TEXT_SIZE - 2);
}

TEST_CASE("binary garbage as INF gives a bounded list and consistent loads")
{
    UseBinaryInf("hardening_garbage.inf", BinaryGarbage());
    CheckCatalogueHolds();
}

TEST_CASE("a 10 MB INF is read within the buffers")
{
    UseBinaryInf("hardening_huge.inf", TenMegabytes());
    CHECK(CheckCatalogueHolds() == 2);
    CHECK(LoadModel("Plain Model") == 1);
    CHECK(SetupState.FileCount == 2);
    CHECK(strlen(SetupState.DefaultDataType) == TEXT_SIZE - 1);
    /* The 4 MB line is cut to 1023 characters: "HugeInstall," and the rest. */
    const char *hardwareId = GetHardwareId("Huge Line");
    REQUIRE(hardwareId);
    CHECK(strlen(hardwareId) == TEXT_SIZE - 1 - strlen("HugeInstall,"));
}

TEST_CASE("no INF at all: no models, and a chosen name still loads as no files and RAW")
{
    lstrcpynA(SetupState.InfPath, BesideProgram("hardening_absent.inf").c_str(), TEXT_SIZE);
    CHECK(CheckCatalogueHolds() == 0);
    CHECK(LoadModel("Anything") == 1);
    CHECK(SetupState.FileCount == 0);
    CHECK(std::string(SetupState.DefaultDataType) == "RAW");
    CHECK(GetHardwareId("Anything") == NULL);
}
