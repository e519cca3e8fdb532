/*
 * Prints what the platform reads from the manifest of a program (resource
 * 1): the run level and UI access it asks for and its dpiAware setting.
 * Usage: read_manifest PROGRAM.exe; exit code 1 when it cannot be read.
 */
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  /* the calls that read a manifest: Vista and later */
#include <windows.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = argc > 1 ? argv[1] : "";
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE) {
        printf("the manifest of %s cannot be read: error %lu\n", request.lpSource, GetLastError());
        return 1;
    }
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    WCHAR dpiAware[16] = L"(none)";
    SIZE_T size;
    QueryActCtxW(0, context, NULL, RunlevelInformationInActivationContext, &level, sizeof level, &size);
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware",
                         dpiAware, sizeof dpiAware / sizeof dpiAware[0], &size);
    printf("run level %d, UI access %lu, dpiAware %ls\n", (int)level.RunLevel, level.UiAccess, dpiAware);
    ReleaseActCtx(context);
    return 0;
}
