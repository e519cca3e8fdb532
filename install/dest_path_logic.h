/*
 * The paths of one driver file copy: the file's name in FileList, the check
 * of the driver directory's text, and the destination and temporary file
 * names. No window or file system needed.
 */
#ifndef SETUP_DEST_PATH_LOGIC_H
#define SETUP_DEST_PATH_LOGIC_H

#include <stddef.h>

/* Name `index` of a multi-string list (names each NUL-ended, then an empty
   name) held in `size` bytes. NULL when the list ends before that name or a
   name runs past the buffer. */
const char *FileListName(const char *list, size_t size, int index);

/* 1 when `name` is a bare file name that stays inside the directory it is
   copied to: not empty, no '\', '/' or ':', and not "." or "..". */
int IsBareFileName(const char *name);

/* 1 when `directory` can name a driver directory: not empty and not a bare
   root ("\", "C:\", "\\server\share\"). Whether it exists is the caller's
   test. */
int IsUsableDriverDirectory(const char *directory);

/* Writes directory, a backslash unless it already ends with one, then
   "<subdirectory>\" when subdirectory is 0 or more, then name and suffix
   into out (size bytes). 1 when the whole path and its NUL fit; 0 leaves
   out empty. */
int BuildDestinationPath(char *out, size_t size, const char *directory, int subdirectory,
                         const char *name, const char *suffix);

#endif
