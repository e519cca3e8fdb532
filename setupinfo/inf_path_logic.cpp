#include "setupinfo/inf_path_logic.h"

#include <string.h>

/* Appends `text` to `out` from `used` on, as much as fits with the NUL. */
static size_t AppendCut(char *out, size_t size, size_t used, const char *text, size_t length)
{
    if (length > size - 1 - used)
        length = size - 1 - used;
    memcpy(out + used, text, length);
    out[used + length] = '\0';
    return used + length;
}

void BuildInfPath(const char *modulePath, const char *infName, char *out, size_t size, LeadByteRule isLeadByte)
{
    const char *slash = FindLastOf(modulePath, "\\", isLeadByte);
    out[0] = '\0';
    size_t used = slash ? AppendCut(out, size, 0, modulePath, (size_t)(slash + 1 - modulePath))
                        : AppendCut(out, size, 0, ".\\", 2);
    AppendCut(out, size, used, infName, strlen(infName));
}
