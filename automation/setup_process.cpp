#include <stdio.h>
#include <string.h>
#include "session.h"
#include <tlhelp32.h>
/* The psapi.dll names, which Wine has; not the kernel32 K32* aliases. */
#define PSAPI_VERSION 1
#include <psapi.h>

/* Wine's per-program settings: the version it reports to setup.exe. */
#define APP_DEFAULTS_KEY "Software\\Wine\\AppDefaults\\setup.exe"

int SetWineVersion(const char *version)
{
    HKEY key;
    if (!version) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, APP_DEFAULTS_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Version");
            RegCloseKey(key);
        }
        return 1;
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, APP_DEFAULTS_KEY, 0, NULL, 0, KEY_WRITE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return 0;
    LONG status = RegSetValueExA(key, "Version", 0, REG_SZ, (const BYTE *)version,
                                 (DWORD)strlen(version) + 1);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

int SetSetupDllOrder(const char *name, const char *order)
{
    if (!name) {
        LONG status = RegDeleteKeyA(HKEY_CURRENT_USER, APP_DEFAULTS_KEY "\\DllOverrides");
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, APP_DEFAULTS_KEY "\\DllOverrides", 0, NULL, 0, KEY_WRITE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return 0;
    LONG status = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)order, (DWORD)strlen(order) + 1);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

int LaunchSetup(const char *arguments)
{
    char program[MAX_PATH], commandLine[2 * MAX_PATH];
    snprintf(program, sizeof program, "%ssetup.exe", Session.PackageDir);
    snprintf(commandLine, sizeof commandLine, "\"%s\"%s%s", program, arguments ? " " : "",
             arguments ? arguments : "");
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(program, commandLine, NULL, NULL, FALSE, 0, NULL, Session.PackageDir, &startup,
                        &Session.Setup)) {
        printf("could not start %s (error %lu)\n", program, GetLastError());
        ZeroMemory(&Session.Setup, sizeof Session.Setup);
        return 0;
    }
    Session.LaunchedAt = GetTickCount();
    printf("started setup.exe, process %lu\n", Session.Setup.dwProcessId);
    return 1;
}

int WaitForSetupExit(DWORD timeoutMs, DWORD *exitCode)
{
    if (!Session.Setup.hProcess)
        return 0;
    if (WaitForSingleObject(Session.Setup.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return 0;
    return GetExitCodeProcess(Session.Setup.hProcess, exitCode);
}

int CloseSetupWizard(HWND owner)
{
    PostMessageA(owner, WM_CLOSE, 0, 0);
    DWORD start = GetTickCount(), exitCode = 1;
    while (GetTickCount() - start < EXIT_TIMEOUT) {
        if (WaitForSetupExit(0, &exitCode))
            break;
        /* The wizard answers WM_CLOSE with its exit page; Ok ends it. */
        HWND exitPage = WaitForWindow(Session.Setup.dwProcessId, "#32770", "Printer Driver Setup", 0);
        if (exitPage)
            ClickButton(exitPage, IDOK);
        PumpFor(200);
    }
    if (!WaitForSetupExit(0, &exitCode)) {
        printf("setup.exe did not end within %d ms of WM_CLOSE\n", EXIT_TIMEOUT);
        return 0;
    }
    if (exitCode != 0) {
        printf("setup.exe ended with exit code %lu\n", exitCode);
        return 0;
    }
    return 1;
}

void EndSetup(void)
{
    if (!Session.Setup.hProcess)
        return;
    if (WaitForSingleObject(Session.Setup.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(Session.Setup.hProcess, 1);
        WaitForSingleObject(Session.Setup.hProcess, 5000);
    }
    CloseHandle(Session.Setup.hProcess);
    CloseHandle(Session.Setup.hThread);
    ZeroMemory(&Session.Setup, sizeof Session.Setup);
}

void EndStraySetups(void)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, "setup.exe") != 0)
            continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION |
                                     PROCESS_VM_READ | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process)
            continue;
        /* Only a copy started from a package folder of these scenarios: a
           unit test running in parallel may start a setup.exe of its own. */
        char path[MAX_PATH];
        if (!GetModuleFileNameExA(process, NULL, path, sizeof path) ||
            _strnicmp(path, PACKAGE_ROOT "\\", strlen(PACKAGE_ROOT) + 1) != 0) {
            CloseHandle(process);
            continue;
        }
        printf("ending setup.exe (process %lu) left by an earlier run\n", entry.th32ProcessID);
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}
