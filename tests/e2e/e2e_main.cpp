/*
 * e2e.exe: runs one end-to-end scenario.
 * Usage: e2e.exe SCENARIO [--setup=PATH] [--sample=DIR] [--shots=DIR]
 *        e2e.exe --list
 * Paths may be Unix paths (they are taken as Wine's Z: drive). Without
 * --shots the folder named by the environment variable E2E_SHOTS is used.
 * Exit code 0 when the scenario passed, 77 when it was skipped.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "e2e.h"

E2eContext E2e;

#define MAX_SCENARIOS 256

struct ScenarioEntry {
    const char *Name;
    ScenarioFunction Run;
};

static ScenarioEntry Scenarios[MAX_SCENARIOS];
static int ScenarioCount;

int RegisterScenario(const char *name, ScenarioFunction run)
{
    if (ScenarioCount < MAX_SCENARIOS) {
        Scenarios[ScenarioCount].Name = name;
        Scenarios[ScenarioCount].Run = run;
        ScenarioCount++;
    }
    return 1;
}

static ScenarioFunction FindScenario(const char *name)
{
    for (int i = 0; i < ScenarioCount; i++)
        if (strcmp(Scenarios[i].Name, name) == 0)
            return Scenarios[i].Run;
    return NULL;
}

/* Takes "--name=value" into `out` when `argument` is that option. */
static int TakeOption(const char *argument, const char *name, char *out, size_t size)
{
    size_t length = strlen(name);
    if (strncmp(argument, name, length) != 0 || argument[length] != '=')
        return 0;
    ToWindowsPath(argument + length + 1, out, size);
    return 1;
}

int main(int argc, char **argv)
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc < 2) {
        printf("usage: e2e.exe SCENARIO [--setup=PATH] [--sample=DIR] [--shots=DIR] | --list\n");
        return 2;
    }
    if (strcmp(argv[1], "--list") == 0) {
        for (int i = 0; i < ScenarioCount; i++)
            printf("%s\n", Scenarios[i].Name);
        return 0;
    }

    E2e.Scenario = argv[1];
    const char *shots = getenv("E2E_SHOTS");
    if (shots)
        ToWindowsPath(shots, E2e.ShotsDir, sizeof E2e.ShotsDir);
    for (int i = 2; i < argc; i++) {
        if (!TakeOption(argv[i], "--setup", E2e.SetupExe, sizeof E2e.SetupExe) &&
            !TakeOption(argv[i], "--sample", E2e.SampleDir, sizeof E2e.SampleDir) &&
            !TakeOption(argv[i], "--shots", E2e.ShotsDir, sizeof E2e.ShotsDir)) {
            printf("unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    if (E2e.ShotsDir[0])
        CreateDirectoryA(E2e.ShotsDir, NULL);

    ScenarioFunction run = FindScenario(E2e.Scenario);
    if (!run) {
        printf("no scenario named %s (see --list)\n", E2e.Scenario);
        return 2;
    }

    EndStraySetups();
    printf("scenario %s\n", E2e.Scenario);
    int result = run();
    /* Whatever the outcome, nothing of this run may reach the next one. */
    EndSetup();
    SetWineVersion(NULL);
    if (result == E2E_SKIPPED) {
        printf("%s skipped\n", E2e.Scenario);
        return E2E_SKIPPED;
    }
    printf("%s %s\n", E2e.Scenario, result ? "passed" : "FAILED");
    return result ? 0 : 1;
}
