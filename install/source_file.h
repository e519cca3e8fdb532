/*
 * Finding and opening a driver file for the copy, by its bare name.
 */
#ifndef SETUP_SOURCE_FILE_H
#define SETUP_SOURCE_FILE_H

#include <windows.h>

/* Opens the driver file `name` (a bare name) for reading, as the LZ
   library's LZOpenFileA with OF_PROMPT | OF_CANCEL | OF_READ does: the
   platform's search for bare names, its retry-or-cancel prompt for a
   missing file and, failing the name, the name of its compressed copy
   (CompressedFileName). That call takes full paths of at most 127 bytes; a
   file whose full path is longer is found in the same order and opened by
   that path. A plain file handle, or a negative value. */
INT OpenSourceFile(const char *name);

/* Opens the file at `path` for reading, shared for reading and writing as
   the platform's old file-open call opens it, up to the platform's own
   limit of path length. A plain file handle, or HFILE_ERROR. */
INT OpenFileForReading(const char *path);

#endif
