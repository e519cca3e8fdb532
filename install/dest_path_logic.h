/*
 * The paths of one driver file copy: the file's name in FileList, the check
 * of the driver directory's text, and the destination and temporary file
 * names. No window or file system needed.
 */
#ifndef SETUP_DEST_PATH_LOGIC_H
#define SETUP_DEST_PATH_LOGIC_H

#include <stddef.h>
#include "shell/ansi_text_logic.h"

/* Name `index` of a multi-string list (names each NUL-ended, then an empty
   name) held in `size` bytes. NULL when the list ends before that name or a
   name runs past the buffer. */
const char *FileListName(const char *list, size_t size, int index);

/* The texts are in the ANSI code page whose lead bytes `isLeadByte` tells:
   a double-byte character is never taken for '\', '/' or ':'. */

/* 1 when `name` is a bare file name that stays inside the directory it is
   copied to: not empty, no '\', '/' or ':' character, and not "." or "..". */
int IsBareFileName(const char *name, LeadByteRule isLeadByte);

/* 1 when `directory` can name a driver directory: not empty and not a bare
   root ("\", "C:\", "\\server\share\"). Whether it exists is the caller's
   test. */
int IsUsableDriverDirectory(const char *directory, LeadByteRule isLeadByte);

/* Writes directory, a backslash unless it already ends with one, then
   "<subdirectory>\" when subdirectory is 0 or more, then name and suffix
   into out (size bytes). 1 when the whole path and its NUL fit; 0 leaves
   out empty. */
int BuildDestinationPath(char *out, size_t size, const char *directory, int subdirectory,
                         const char *name, const char *suffix, LeadByteRule isLeadByte);

#endif
