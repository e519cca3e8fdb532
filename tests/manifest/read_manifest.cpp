/* Prints what the platform reads from a program's manifest (resource 1): the
   run level and UI access asked for and the dpiAware setting. Exit code 1
   when it cannot be read. Usage: read_manifest PROGRAM.exe */
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  /* the calls that read a manifest: Vista and later */
#include <windows.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    ACTCTXA request = { sizeof request, ACTCTX_FLAG_RESOURCE_NAME_VALID, argc > 1 ? argv[1] : "", 0, 0,
                        NULL, MAKEINTRESOURCEA(1), NULL, NULL };
    HANDLE context = CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE)
        return printf("the manifest cannot be read: error %lu\n", GetLastError()), 1;
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    WCHAR dpiAware[16] = L"(none)";
    SIZE_T size;
    QueryActCtxW(0, context, NULL, RunlevelInformationInActivationContext, &level, sizeof level, &size);
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware",
                         dpiAware, 16, &size);
    printf("run level %d, UI access %lu, dpiAware %ls\n", (int)level.RunLevel, level.UiAccess, dpiAware);
    return 0;
}
