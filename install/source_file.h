/*
 * Finding and opening a driver file by its bare name, for the copy and for
 * pkgcheck.
 */
#ifndef SETUP_SOURCE_FILE_H
#define SETUP_SOURCE_FILE_H

#include <windows.h>

/* Opens the driver file `name` (a bare name) for reading, as the LZ
   library's LZOpenFileA with OF_PROMPT | OF_CANCEL | OF_READ does: the
   platform's search for bare names, its retry-or-cancel prompt for a
   missing file and, failing the name, the name of its compressed copy
   (CompressedFileName). Given a folder (pkgcheck's package folder), that
   folder is the only place searched and a missing file fails at once. That
   call takes full paths of at most 127 bytes; a file whose full path is
   longer is found in the same order and opened by that path. The path
   found goes to `path` (TEXT_SIZE bytes), empty for a file missing at
   first. A plain file handle, or a negative value. */
INT OpenSourceFile(const char *folder, const char *name, char *path);

#endif
