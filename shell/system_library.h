/*
 * DLLs loaded from the system folder by their full path, never by a bare
 * name: a DLL of the same name in the program's folder or the current
 * directory never runs inside the program. The spooler and LZ tables
 * (spooler/spooler_api.h, install/lz_api.h) bind every function through
 * here; start-up (StartSafely) loads the libraries the platform loads later
 * by a bare name.
 */
#ifndef SETUP_SYSTEM_LIBRARY_H
#define SETUP_SYSTEM_LIBRARY_H

#include <windows.h>

/* What the last failed LoadSystemLibrary or SystemFunction could not give:
   the library's full path (or its bare name when the system folder's path
   could not be read), the missing function (NULL when the library itself
   failed) and the platform's error code. */
struct SystemLibraryFailure {
    char Path[MAX_PATH + 16];
    const char *Function;
    DWORD Error;
};
extern SystemLibraryFailure LibraryFailure;

/* Loads `name` (a bare file name) from the system folder by its full path,
   with LOAD_WITH_ALTERED_SEARCH_PATH so that the library's own imports are
   looked for in that folder first. The module, or NULL with LibraryFailure
   filled in. A module loaded once stays loaded. */
HMODULE LoadSystemLibrary(const char *name);

/* The function `function` of a library from LoadSystemLibrary, or NULL with
   LibraryFailure filled in. */
FARPROC SystemFunction(HMODULE library, const char *function);

/* Binds the spooler table (Spooler) and the LZ table (Lz) from WINSPOOL.DRV
   and LZ32.DLL in the system folder. 1 when every function is there;
   otherwise 0 with LibraryFailure filled in. */
int BindSystemLibraries(void);

/* Sets a table entry from SystemFunction; true when the function is there. */
#define BIND_SYSTEM_FUNCTION(table, library, entry) \
    (((table).entry = (decltype((table).entry))(void (*)(void))SystemFunction(library, #entry)) != NULL)

#endif
