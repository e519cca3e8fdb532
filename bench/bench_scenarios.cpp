/*
 * Measurements of whole installations for bench/run-bench.sh, as
 * scenarios of bench.exe. Each prints "BENCH <name> <value>" lines; the
 * script turns them into ratios. Nothing here passes or fails on a time.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include "file_write.h"
#include "shell/ansi_text.h"
#include <winspool.h>
#define PSAPI_VERSION 1
#include <psapi.h>

/* The wizard's own waits on the road to the exit page, in ms: the start-up
   timer and the "Reading setup information..." second; the copy dialog's
   start and its second after the last file; the registration's start and
   its two two-second steps. */
#define WAITS_BEFORE_WELCOME (100 + 1000)
#define WAITS_OF_COPY (100 + 1000)
#define WAITS_AFTER_COPY (100 + 2000 + 2000)
#define FIXED_WAITS (WAITS_BEFORE_WELCOME + WAITS_OF_COPY + WAITS_AFTER_COPY)

#define PORTS_KEY "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports"
#define BENCH_PORT_COUNT 992

static int RunsRequested(void)
{
    const char *text = getenv("BENCH_RUNS");
    int runs = text ? atoi(text) : 3;
    return runs > 0 && runs < 50 ? runs : 3;
}

/* One installation of the first model of the package (the sample, or the
   package given with --sample) on LPT1:, undone afterwards; or only the
   walk up to the port page, where setup.exe is then ended. */
static int InstallOnce(InstallRecord *record, int stopOnPortPage = 0)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    InstallPlan plan = PlanInstall("win7", NULL, "LPT1:");
    plan.SlowStepTimeout = 600000;
    plan.StopOnPortPage = stopOnPortPage;
    int passed = RunWholeInstall(&plan, record);
    if (stopOnPortPage)
        EndSetup();
    RemoveInstalled(record->Model);
    return passed;
}

/* The time the wizard spent on a page waiting for this driver's click:
   reading the lists, choosing, staging the x64 driver. A user's time, not
   the program's. */
static DWORD DriverTime(const InstallRecord *record)
{
    return (record->WelcomeNextClicked - record->WelcomeShown) + (record->ModelNextClicked - record->ModelShown) +
           (record->PortNextClicked - record->PortShown);
}

static void PrintRecord(int run, const InstallRecord *record)
{
    printf("BENCH run %d exit_page_ms %lu driver_ms %lu copy_ms %lu port_page_ms %lu peak_working_set %lu "
           "peak_pagefile %lu\n",
           run, record->ExitShown, DriverTime(record), record->CopyGone - record->CopyShown,
           record->PortShown - record->ModelNextClicked, (unsigned long)record->PeakWorkingSet,
           (unsigned long)record->PeakPagefile);
}

/* Start to exit page against the fixed waits: what the program adds. */
DEFINE_SCENARIO(bench_install)
{
    printf("BENCH fixed_waits_ms %d copy_waits_ms %d\n", FIXED_WAITS, WAITS_OF_COPY);
    for (int run = 1; run <= RunsRequested(); run++) {
        InstallRecord record;
        if (!InstallOnce(&record))
            return 0;
        PrintRecord(run, &record);
    }
    return 1;
}

/* Adds (or with count 0 removes) the ports BENCH000: ... to the spooler's
   port list. */
static int SetBenchPorts(int count)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, PORTS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return 0;
    for (int i = 0; i < BENCH_PORT_COUNT; i++) {
        char name[32];
        snprintf(name, sizeof name, "BENCH%03d:", i);
        if (count)
            RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)"", 1);
        else
            RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
    return 1;
}

static int CountPorts(void)
{
    DWORD needed = 0, returned = 0;
    EnumPortsA(NULL, 1, NULL, 0, &needed, &returned);
    BYTE *buffer = (BYTE *)malloc(needed ? needed : 1);
    if (!EnumPortsA(NULL, 1, buffer, needed, &needed, &returned))
        returned = 0;
    free(buffer);
    return (int)returned;
}

/* The port page with the prefix's own ports and with 992 more, each time
   from Next on the model page until the port page shows. */
DEFINE_SCENARIO(bench_ports)
{
    SetBenchPorts(0);
    for (int many = 0; many <= 1; many++) {
        WALK_REQUIRE(SetBenchPorts(many), "ports not changed");
        int ports = CountPorts();
        for (int run = 1; run <= RunsRequested(); run++) {
            InstallRecord record;
            int passed = InstallOnce(&record, 1);
            if (!passed) {
                SetBenchPorts(0);
                return 0;
            }
            printf("BENCH ports %d run %d port_page_ms %lu\n", ports, run,
                   record.PortShown - record.ModelNextClicked);
        }
    }
    SetBenchPorts(0);
    return 1;
}

/* Deletes the package's files from the driver directory and its "3"
   subdirectory, so that 100 MB of benchmark files do not stay behind. */
static void RemoveCopiedFiles(void)
{
    char directory[MAX_PATH];
    if (!ReadX86DriverDirectory(directory, sizeof directory))
        return;
    ForEachFound(std::string(Session.PackageDir) + "B???", [&directory](const std::string &, const WIN32_FIND_DATAA &entry) {
        for (const char *sub : { "", "3\\" })
            DeleteFileA((std::string(directory) + "\\" + sub + entry.cFileName).c_str());
    });
}

/* The copy of a large package (given with --sample): the copy dialog's
   time without its own waits. */
DEFINE_SCENARIO(bench_copy)
{
    printf("BENCH copy_waits_ms %d\n", WAITS_OF_COPY);
    for (int run = 1; run <= RunsRequested(); run++) {
        InstallRecord record;
        int passed = InstallOnce(&record);
        RemoveCopiedFiles();
        if (!passed)
            return 0;
        PrintRecord(run, &record);
    }
    return 1;
}

/* The empty Win32 program beside bench.exe (bench/empty): the time from its
   start until its window is seen, polled as the wizard's pages are, and its
   memory once the window has been up for a second. */
static int MeasureEmpty(const char *name)
{
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, program, sizeof program);
    char *slash = (char *)FindLastOf(program, "\\", IsAnsiLeadByte);
    WALK_REQUIRE(length > 0 && length < sizeof program && slash, "bench.exe's own path unknown");
    snprintf(slash + 1, sizeof program - (slash + 1 - program), "%s.exe", name);
    for (int run = 1; run <= RunsRequested(); run++) {
        STARTUPINFOA startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        WALK_REQUIRE(CreateProcessA(program, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process),
                    "%s not started", program);
        DWORD start = GetTickCount();
        HWND window = WaitForWindow(process.dwProcessId, "EmptyProgram", NULL, WINDOW_TIMEOUT);
        DWORD shown = GetTickCount() - start;
        PumpFor(1000);
        PROCESS_MEMORY_COUNTERS memory;
        ZeroMemory(&memory, sizeof memory);
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        if (window)
            PostMessageA(window, WM_CLOSE, 0, 0);
        int ended = WaitForSingleObject(process.hProcess, EXIT_TIMEOUT) == WAIT_OBJECT_0;
        if (!ended)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        WALK_REQUIRE(window && ended, "the empty program's window did not show or it did not end");
        printf("BENCH %s run %d start_ms %lu peak_working_set %lu peak_pagefile %lu\n", name, run, shown,
               (unsigned long)memory.PeakWorkingSetSize, (unsigned long)memory.PeakPagefileUsage);
    }
    return 1;
}

DEFINE_SCENARIO(bench_empty) { return MeasureEmpty("empty") && MeasureEmpty("empty_imports"); }
