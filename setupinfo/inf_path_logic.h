/*
 * The INF's path from the program's own module file name. Text only: no
 * windows.h, so the native fuzz build compiles it as well.
 */
#ifndef SETUP_INF_PATH_LOGIC_H
#define SETUP_INF_PATH_LOGIC_H

#include <stddef.h>
#include "shell/ansi_text_logic.h"

/* Writes into `out` (size bytes, at least 1) the directory of `modulePath`,
   cut just after its last backslash character, followed by `infName`; ".\"
   stands for the directory when the module path holds no backslash. A
   double-byte character whose trail byte is 0x5C (`isLeadByte` tells the
   code page's lead bytes) is no backslash. What does not fit is cut off. */
void BuildInfPath(const char *modulePath, const char *infName, char *out, size_t size, LeadByteRule isLeadByte);

#endif
