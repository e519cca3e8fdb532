/*
 * DetectEnvironment under each Windows version Wine can report. The version
 * is read when a process starts, so the test sets Wine's per-program version
 * for a copy of itself and runs that copy, which prints what it detected.
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "shell/startup.h"
#include "test_support.h"

static int RunCopyWithVersion(const char *version, char *output, DWORD size)
{
    char self[MAX_PATH], copy[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    snprintf(copy, sizeof copy, "%sdetect_%s.exe", TestProgramDirectory(), version);
    CopyFileA(self, copy, FALSE);

    char key[128];
    snprintf(key, sizeof key, "Software\\Wine\\AppDefaults\\detect_%s.exe", version);
    HKEY handle;
    RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_WRITE, NULL, &handle, NULL);
    RegSetValueExA(handle, "Version", 0, REG_SZ, (const BYTE *)version, (DWORD)strlen(version) + 1);
    RegCloseKey(handle);

    SECURITY_ATTRIBUTES inherit = { sizeof inherit, NULL, TRUE };
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process;
    char commandLine[MAX_PATH + 32];
    snprintf(commandLine, sizeof commandLine, "\"%s\" --report-environment", copy);
    if (!CreateProcessA(copy, commandLine, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
        return 0;
    CloseHandle(writeEnd);
    DWORD total = 0, got = 0;
    while (total + 1 < size && ReadFile(readEnd, output + total, size - 1 - total, &got, NULL) && got)
        total += got;
    output[total] = '\0';
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);
    DeleteFileA(copy);
    return 1;
}

/* Called from main when the program runs as the reporting copy. */
struct ReportFirst {
    ReportFirst()
    {
        if (strstr(GetCommandLineA(), "--report-environment")) {
            int supported = DetectEnvironment();
            printf("supported=%d OsIndex=%d DriverVersion=%d\n", supported,
                   SetupState.OsIndex, SetupState.DriverVersion);
            fflush(stdout);
            ExitProcess(0);
        }
    }
} reportFirst;

TEST_CASE("supported versions map to their OsTable rows, others are refused")
{
    static const struct { const char *version; const char *expected; } cases[] = {
        { "win2k", "supported=1 OsIndex=0 DriverVersion=3" },
        { "winxp", "supported=1 OsIndex=1 DriverVersion=3" },
        { "vista", "supported=1 OsIndex=2 DriverVersion=3" },
        { "win7", "supported=1 OsIndex=3 DriverVersion=3" },
        { "win2003", "supported=0" }, { "win8", "supported=0" }, { "win10", "supported=0" },
        { "win98", "supported=0" },
    };
    for (const auto &c : cases) {
        CAPTURE(c.version);
        char output[256];
        REQUIRE(RunCopyWithVersion(c.version, output, sizeof output));
        CHECK(strstr(output, c.expected) != NULL);
    }
}
