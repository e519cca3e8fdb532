#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>
#include <windows.h>
#include <stdio.h>
#include "shell/setup_state.h"

/* Built without exceptions, doctest goes on after a failed REQUIRE, into
   code that relies on what was required (a record the spooler did not
   give, read through a NULL pointer). A failed REQUIRE ends the test program
   here instead, naming the assertion and its test case. */
struct RequireEndsProgram : doctest::IReporter {
    explicit RequireEndsProgram(const doctest::ContextOptions &) {}
    void log_assert(const doctest::AssertData &assertion) override
    {
        if (!assertion.m_failed || !(assertion.m_at & doctest::assertType::is_require))
            return;
        printf("%s:%d: FATAL: REQUIRE(%s) failed in \"%s\"; the test program stops here\n",
               assertion.m_file, assertion.m_line, assertion.m_expr, assertion.m_test_case->m_name);
        fflush(stdout);
        ExitProcess(1);
    }
    void report_query(const doctest::QueryData &) override {}
    void test_run_start() override {}
    void test_run_end(const doctest::TestRunStats &) override {}
    void test_case_start(const doctest::TestCaseData &) override {}
    void test_case_reenter(const doctest::TestCaseData &) override {}
    void test_case_end(const doctest::CurrentTestCaseStats &) override {}
    void test_case_exception(const doctest::TestCaseException &) override {}
    void subcase_start(const doctest::SubcaseSignature &) override {}
    void subcase_end() override {}
    void log_message(const doctest::MessageData &) override {}
    void test_case_skipped(const doctest::TestCaseData &) override {}
};
/* Listeners run before the console reporter, which therefore never prints
   the failed REQUIRE: the line above does. */
DOCTEST_REGISTER_LISTENER("require_ends_program", 1, RequireEndsProgram);

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
