/*
 * DetectEnvironment's version table under each Windows version Wine can
 * report. Wine reads the version when a process starts, so the test sets
 * it for a copy of itself, which reports what it detected. Then the road
 * without administrator rights, which Wine never takes by itself (the
 * end-to-end scenarios take Wine's own road, with the rights).
 */
#include <doctest/doctest.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "shell/setup_state.h"
#include "shell/startup.h"
#include "test_support.h"
#include "dialog_watch.h"
#include <sddl.h>

/* The reporting copy ends before doctest starts, with what it detected as
   its exit code: 0 when refused, else 100 + 10 x the row + the driver version. */
static const int Reported = [] {
    if (strstr(GetCommandLineA(), "--report-environment"))
        ExitProcess(DetectEnvironment() ? 100 + SetupState.OsIndex * 10 + SetupState.DriverVersion : 0);
    return 0;
}();

/* Runs a copy of this program as Wine's `version`; its exit code, or -1. */
static int DetectUnder(const char *version)
{
    char self[MAX_PATH], copy[MAX_PATH], key[128], command[MAX_PATH + 32];
    GetModuleFileNameA(NULL, self, sizeof self);
    snprintf(copy, sizeof copy, "%sdetect_%s.exe", TestProgramDirectory(), version);
    CopyFileA(self, copy, FALSE);
    snprintf(key, sizeof key, "Software\\Wine\\AppDefaults\\detect_%s.exe", version);
    HKEY handle;
    RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_WRITE, NULL, &handle, NULL);
    RegSetValueExA(handle, "Version", 0, REG_SZ, (const BYTE *)version, (DWORD)strlen(version) + 1);
    RegCloseKey(handle);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    snprintf(command, sizeof command, "\"%s\" --report-environment", copy);
    DWORD code = (DWORD)-1;
    if (CreateProcessA(copy, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    DeleteFileA(copy);
    return (int)code;
}

TEST_CASE("Windows 2000, XP, Vista and 7 map to their OsTable rows; others are refused")
{
    static const struct { const char *version; int detected; } cases[] = {
        { "win2k", 103 }, { "winxp", 113 }, { "vista", 123 }, { "win7", 133 },
        { "win2003", 0 }, { "win8", 0 }, { "win10", 0 }, { "win98", 0 },
    };
    for (const auto &c : cases) {
        CAPTURE(std::string(c.version));
        CHECK(DetectUnder(c.version) == c.detected);
    }
}

/* Refuses membership, noting whether it was asked about the Administrators
   group (S-1-5-32-544) in the process's own token. */
static int AskedForAdministrators;
static BOOL WINAPI RefuseMembership(HANDLE token, PSID group, PBOOL member)
{
    PSID administrators = NULL;
    ConvertStringSidToSidA("S-1-5-32-544", &administrators);
    AskedForAdministrators = !token && administrators && EqualSid(group, administrators);
    LocalFree(administrators);
    *member = FALSE;
    return TRUE;
}

static INT_PTR Button;
static INT_PTR PressButton(const SeenMessage *) { return Button; }

TEST_CASE("Without administrator rights a warning says how to get them; OK goes on, Cancel ends")
{
    static const struct { INT_PTR button; int goesOn; } cases[] = { { IDOK, 1 }, { IDCANCEL, 0 } };
    CheckMembership = RefuseMembership;
    for (const auto &c : cases) {
        CAPTURE(c.button);
        Button = c.button;
        AskedForAdministrators = 0;
        StartWatch(PressButton, NULL);
        CHECK(ConfirmAdministratorRights() == c.goesOn);
        StopWatch();
        CHECK(AskedForAdministrators);
        REQUIRE(SeenCount == 1);
        CHECK(strstr(Seen[0].text, "\"Run as administrator\""));
        CHECK(strstr(Seen[0].text, "administrator's account"));
        CHECK(Seen[0].icon == LoadIconA(NULL, IDI_EXCLAMATION));
    }
    CheckMembership = CheckTokenMembership;
}
