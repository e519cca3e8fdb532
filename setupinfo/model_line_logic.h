/*
 * Fields of a model line (the value of a model's key: install section,
 * hardware id, ...) and the key lists the profile reader returns. Text only:
 * no windows.h, so the native fuzz build compiles it as well.
 */
#ifndef SETUP_MODEL_LINE_LOGIC_H
#define SETUP_MODEL_LINE_LOGIC_H

#include <stddef.h>

/* Takes the next comma-separated field of a writable line, strtok-style:
   commas before it are skipped (a run of commas is one separator), the comma
   that ends it is overwritten with a NUL, and *cursor moves past it. Returns
   the field (not trimmed), or NULL when only commas or nothing remain. */
char *TakeField(char **cursor);

/* Number of names in a key list (names each NUL-ended, an empty name at the
   end) held in `size` bytes. Never reads past `size`; a name cut short by
   the end of the buffer still counts. */
unsigned CountListNames(const char *list, size_t size);

/* The name at `index` of such a list, or NULL when the list has fewer names
   or that name is not NUL-ended within `size` bytes. */
const char *ListNameAt(const char *list, size_t size, unsigned index);

#endif
