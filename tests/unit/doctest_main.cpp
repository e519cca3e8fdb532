#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>
#include <windows.h>
#include <stdio.h>
#include "shell/setup_state.h"
#include "shell/system_library.h"

/* Built without exceptions, doctest goes on after a failed REQUIRE, into
   code that relies on what was required (a record the spooler did not
   give, read through a NULL pointer). The console reporter of this build
   ends the test program there instead, naming the assertion. */
struct RequireEndsProgram : doctest::ConsoleReporter {
    using ConsoleReporter::ConsoleReporter;
    void log_assert(const doctest::AssertData &assertion) override
    {
        ConsoleReporter::log_assert(assertion);
        if (!assertion.m_failed || !(assertion.m_at & doctest::assertType::is_require))
            return;
        printf("%s:%d: FATAL: REQUIRE(%s) failed in \"%s\"; the test program stops here\n",
               assertion.m_file, assertion.m_line, assertion.m_expr, assertion.m_test_case->m_name);
        fflush(stdout);
        ExitProcess(1);
    }
};
DOCTEST_REGISTER_REPORTER("require_ends_program", 0, RequireEndsProgram);

int main(int argc, char **argv)
{
    /* Resources, templates and strings come from the test program itself,
       which links the same resource object as setup.exe. */
    SetupState.Instance = GetModuleHandleA(NULL);
    SetupState.Environment = SetupEnvironment;
    SetupState.DriverVersion = 3;
    /* The spooler and LZ tables, bound as setup.exe binds them. */
    if (!BindSystemLibraries()) {
        printf("%s: cannot bind %s\n", argv[0], LibraryFailure.Path);
        return 1;
    }
    doctest::Context context(argc, argv);
    context.setOption("reporters", "require_ends_program");
    return context.run();
}
