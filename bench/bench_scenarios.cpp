/*
 * Measurements of whole installations for bench/run-bench.sh, as e2e
 * scenarios of bench.exe. Each prints "BENCH <name> <value>" lines; the
 * script turns them into ratios. Nothing here passes or fails on a time.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "session.h"
#include "install_walk.h"
#include "spooler_readback.h"
#include <winspool.h>

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
   package given with --sample) on LPT1:, undone afterwards. */
static int InstallOnce(InstallRecord *record)
{
    WALK_REQUIRE(PreparePackage(Session.SampleDir), "package folder not prepared");
    InstallPlan plan = { "win7", NULL, "LPT1:", 0, 600000, 0, NULL };
    int passed = RunWholeInstall(&plan, record);
    RemoveInstalled(record->Model);
    return passed;
}

static void PrintRecord(int run, const InstallRecord *record)
{
    printf("BENCH run %d exit_page_ms %lu copy_ms %lu port_page_ms %lu peak_working_set %lu peak_pagefile %lu\n",
           run, record->ExitShown, record->CopyGone - record->CopyShown,
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

/* The port page with the prefix's own ports and with 992 more; the long
   list is measured once, as it takes minutes. */
DEFINE_SCENARIO(bench_ports)
{
    SetBenchPorts(0);
    for (int many = 0; many <= 1; many++) {
        WALK_REQUIRE(SetBenchPorts(many), "ports not changed");
        int ports = CountPorts();
        for (int run = 1; run <= (many ? 1 : RunsRequested()); run++) {
            InstallRecord record;
            int passed = InstallOnce(&record);
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
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%sB???", Session.PackageDir);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%s", directory, entry.cFileName);
        DeleteFileA(path);
        snprintf(path, sizeof path, "%s\\3\\%s", directory, entry.cFileName);
        DeleteFileA(path);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
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
