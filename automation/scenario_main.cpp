/*
 * The entry of walk.exe, e2e.exe and bench.exe: runs one scenario by name.
 * Usage: PROGRAM SCENARIO [--setup=PATH] [--sample=DIR] [--shots=DIR | --failure-shots=DIR]
 *        PROGRAM --list
 * --shots keeps a screenshot of every step, --failure-shots only that of a
 * failure. Paths may be Unix paths (they are taken as Wine's Z: drive).
 * Exit code 0 when the scenario passed, 77 when it was skipped.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "session.h"


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
        printf("usage: SCENARIO [--setup=PATH] [--sample=DIR] [--shots=DIR | --failure-shots=DIR] | --list\n");
        return 2;
    }
    if (strcmp(argv[1], "--list") == 0) {
        for (int i = 0; i < ScenarioCount; i++)
            printf("%s\n", Scenarios[i].Name);
        return 0;
    }

    Session.Scenario = argv[1];
    for (int i = 2; i < argc; i++) {
        int everyStep = TakeOption(argv[i], "--shots", Session.ShotsDir, sizeof Session.ShotsDir);
        if (everyStep)
            Session.ShotEveryStep = 1;
        else if (!TakeOption(argv[i], "--setup", Session.SetupExe, sizeof Session.SetupExe) &&
                 !TakeOption(argv[i], "--sample", Session.SampleDir, sizeof Session.SampleDir) &&
                 !TakeOption(argv[i], "--failure-shots", Session.ShotsDir, sizeof Session.ShotsDir)) {
            printf("unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    if (Session.ShotsDir[0])
        CreateDirectoryA(Session.ShotsDir, NULL);

    ScenarioFunction run = FindScenario(Session.Scenario);
    if (!run) {
        printf("no scenario named %s (see --list)\n", Session.Scenario);
        return 2;
    }

    EndStraySetups();
    printf("scenario %s\n", Session.Scenario);
    int result = run();
    /* Whatever the outcome, nothing of this run may reach the next one. */
    EndSetup();
    SetWineVersion(NULL);
    SetSetupDllOrder(NULL, NULL);
    if (result == SCENARIO_SKIPPED) {
        printf("%s skipped\n", Session.Scenario);
        return SCENARIO_SKIPPED;
    }
    printf("%s %s\n", Session.Scenario, result ? "passed" : "FAILED");
    return result ? 0 : 1;
}
