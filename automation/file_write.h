/* Files for the scenarios' packages and the unit tests' INF files and
   stand-ins: writing a whole file, and every entry a search pattern finds. */
#ifndef AUTOMATION_FILE_WRITE_H
#define AUTOMATION_FILE_WRITE_H

#include <windows.h>
#include <string.h>
#include <string>

/* Writes `size` bytes (NULs included) to `path`, created or emptied, even
   when it was read-only. 1 on success. */
int WriteWholeFile(const char *path, const void *data, DWORD size);

/* Calls visit(path, entry) for every file and folder that `pattern` (a
   path whose last part, in ASCII, may hold wildcards) finds, but "." and
   "..". `path` is the entry's full path. */
template <typename Visit> void ForEachFound(const std::string &pattern, Visit visit)
{
    std::string directory = pattern.substr(0, pattern.find_last_of('\\') + 1);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
            visit(directory + entry.cFileName, entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

#endif
