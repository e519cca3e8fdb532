#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>
#include <windows.h>
#include "shell/setup_state.h"

int main(int argc, char **argv)
{
    /* Resources, templates and strings come from the test program itself,
       which links the same resource object as setup.exe. */
    SetupState.Instance = GetModuleHandleA(NULL);
    SetupState.Environment = SetupEnvironment;
    SetupState.DriverVersion = 3;
    doctest::Context context(argc, argv);
    return context.run();
}
