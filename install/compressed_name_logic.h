/*
 * The name under which the LZ library looks for a file that is missing
 * under its own name: the name its compressed copy gets from the
 * platform's COMPRESS tool. No window or file system needed.
 */
#ifndef SETUP_COMPRESSED_NAME_LOGIC_H
#define SETUP_COMPRESSED_NAME_LOGIC_H

#include <stddef.h>

/* Writes the compressed copy's name of the bare name `name` into out (size
   bytes): the last character replaced by '_' ("UNIDRV.DLL" gives
   "UNIDRV.DL_"); '_' appended when fewer than three characters follow the
   name's first dot ("KV.HL" gives "KV.HL_"), "._" appended to a name
   without a dot. 1 when it and its NUL fit; 0 leaves out empty. */
int CompressedFileName(const char *name, char *out, size_t size);

#endif
