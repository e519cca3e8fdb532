/*
 * Building the driver file list from an INF CopyFiles value. Text only: no
 * windows.h, so the native fuzz build compiles it as well.
 */
#ifndef SETUP_FILE_LIST_LOGIC_H
#define SETUP_FILE_LIST_LOGIC_H

#include <stddef.h>

/* Writes the names of a CopyFiles value into `list` as a multi-string (each
   name NUL-ended, then one more NUL) and returns how many names it holds.
   Names are split at commas only; one at sign at the start of a token is
   dropped; the first character after it is always taken into the name, even
   a comma; blanks, case and quotation marks are kept; a comma at the end of
   the value ends the list. A token that is a lone at sign at the very end of
   the value gives no name. Names that would not fit `capacity` together with
   the final NUL are left out, so the list and the count always agree. With
   capacity 0 nothing is written and 0 is returned. */
int BuildFileList(const char *value, char *list, size_t capacity);

/* Number of bytes a list built from `value` takes, final NUL included, when
   nothing is left out: at most strlen(value) + 2. */
size_t FileListBytesNeeded(const char *value);

#endif
