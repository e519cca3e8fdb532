/*
 * The first steps of start-up, before anything else runs: the program is
 * started with administrator rights from whatever folder the user unpacked
 * it into, often a downloads folder, so no DLL lying there may run inside
 * it. Windows looks in the program's own folder first for every DLL that is
 * not one of its known DLLs, whether the program imports it at load time or
 * something loads it later by a bare name.
 */
#include "shell/startup.h"
#include "shell/ansi_text.h"
#include "shell/system_library.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

static FARPROC WINAPI KernelFunction(HMODULE kernel, LPCSTR name)
{
    return GetProcAddress(kernel, name);
}

FARPROC (WINAPI *FindSearchFunction)(HMODULE kernel, LPCSTR name) = KernelFunction;

/* Libraries that Windows 2000 to 7 (or Wine) load into a program like this
   one after its start by a bare name. Loaded here from the system folder,
   they are found loaded when that load comes. One missing on a version is
   skipped. Not listed: shell and COM libraries (propsys, clbcatq), which
   nothing in this program loads; Wine's in-process print provider
   (localspl, spoolss), which runs in the spooler service on Windows. */
static const char *const PreloadedLibraries[] = {
    "uxtheme.dll",      /* themes: user32 loads it to draw windows and controls (XP and later, Wine) */
    "dwmapi.dll",       /* desktop composition: the theme library loads it (Vista, 7) */
    "comctl32.dll",     /* common controls: compstui imports it; a known DLL on no version */
    "compstui.dll",     /* property sheets: imported by drivers' user-interface DLLs, which the spooler
                           client loads for a new printer (Wine's spooler client imports it) */
    "msimg32.dll",      /* blending and transparent drawing: the theme library loads it on first use */
    "version.dll",      /* file versions: the spooler client and the shim engine; not a known DLL on 7 */
    "setupapi.dll",     /* driver installation functions; not a known DLL on 2000 and XP */
    "userenv.dll",      /* user profiles: system libraries load it on Vista and 7 */
    "profapi.dll",      /* userenv's profile helper (Windows 7) */
    "cryptbase.dll",    /* advapi32's cryptography, loaded on its first use (Windows 7) */
    "apphelp.dll",      /* the compatibility shim engine, applied to programs named like installers */
};

/* Takes the current directory out of the search for DLLs (Windows XP SP1
   and later) and, where the system has the call (Windows 8; Vista and 7
   with update KB2533623), limits the search for every later load by a bare
   name to the system folder. Both calls are looked up: Windows 2000 has
   neither. */
static void HardenDllSearch(void)
{
    typedef BOOL (WINAPI *SetDefaultDllDirectoriesCall)(DWORD flags);
    typedef BOOL (WINAPI *SetDllDirectoryCall)(LPCSTR folder);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    if (!kernel)
        return;
    SetDefaultDllDirectoriesCall setDefault =
        (SetDefaultDllDirectoriesCall)(void (*)(void))FindSearchFunction(kernel, "SetDefaultDllDirectories");
    SetDllDirectoryCall setDirectory =
        (SetDllDirectoryCall)(void (*)(void))FindSearchFunction(kernel, "SetDllDirectoryA");
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (setDirectory)
        setDirectory("");
}

/* The program's full path into `path` (size bytes) and where its file name
   starts. 0 when the path does not fit. */
static int ProgramPath(char *path, DWORD size, const char **name)
{
    DWORD length = GetModuleFileNameA(NULL, path, size);
    if (length == 0 || length >= size)
        return 0;
    const char *slash = FindLastOf(path, "\\", IsAnsiLeadByte);
    *name = slash ? slash + 1 : path;
    return 1;
}

int StartSafely(void (*tell)(const char *text))
{
    HardenDllSearch();

    char path[MAX_PATH];
    const char *program = "This program";
    char text[1024];
    /* On Windows 2000 a file or folder named like the program plus ".local"
       makes the loader take DLLs from the program's folder even for a load
       by full path. */
    if (ProgramPath(path, sizeof path, &program)) {
        char redirection[MAX_PATH + 8];
        lstrcpyA(redirection, path);
        lstrcatA(redirection, ".local");
        if (GetFileAttributesA(redirection) != INVALID_FILE_ATTRIBUTES) {
            wsprintfA(text, "%.100s cannot run from this folder: it holds \"%.100s.local\", which makes Windows "
                      "load system files from this folder instead of from Windows itself.\n\n"
                      "Copy the package into a new, empty folder and start %.100s from there.",
                      program, program, program);
            tell(text);
            return 0;
        }
    }

    /* A library that is there but cannot be loaded shows the loader's own
       message box unless critical errors fail quietly. */
    UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    for (const char *library : PreloadedLibraries)
        LoadSystemLibrary(library);
    int bound = BindSystemLibraries();
    SetErrorMode(errorMode);
    if (bound)
        return 1;
    if (LibraryFailure.Function)
        wsprintfA(text, "%.100s cannot use the system file %.300s: it has no function %.100s.", program,
                  LibraryFailure.Path, LibraryFailure.Function);
    else
        wsprintfA(text, "%.100s cannot load the system file %.300s (system error code %lu).", program,
                  LibraryFailure.Path, LibraryFailure.Error);
    tell(text);
    return 0;
}
