/* Writing a whole file, for the scenarios' packages and the unit tests'
   INF files and stand-ins alike. */
#ifndef AUTOMATION_FILE_WRITE_H
#define AUTOMATION_FILE_WRITE_H

#include <windows.h>

/* Writes `size` bytes (NULs included) to `path`, created or emptied, even
   when it was read-only. 1 on success. */
int WriteWholeFile(const char *path, const void *data, DWORD size);

#endif
