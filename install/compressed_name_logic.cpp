#include "install/compressed_name_logic.h"
#include <string.h>

int CompressedFileName(const char *name, char *out, size_t size)
{
    size_t length = strlen(name);
    if (size == 0)
        return 0;
    out[0] = '\0';
    if (length + 3 > size)
        return 0;               /* room for "._" and the NUL */
    memcpy(out, name, length + 1);
    /* Byte by byte, as the library does: '.' is never the second byte of
       a double-byte character, but the last byte may be. */
    const char *dot = strchr(name, '.');
    if (!dot)
        memcpy(out + length, "._", 3);
    else if (strlen(dot + 1) < 3)
        memcpy(out + length, "_", 2);
    else
        out[length - 1] = '_';
    return 1;
}
