#include "file_list_logic.h"

#include <string.h>

/* Finds the next name of the value: `*cursor` at the start of a token.
   Sets *start and *length and moves the cursor past the name and its comma.
   Returns 0 when no further name follows. */
static int NextName(const char **cursor, const char **start, size_t *length)
{
    const char *p = *cursor;
    if (!*p)
        return 0;
    if (*p == '@') {
        p++;
        if (!*p)
            return 0;
    }
    /* The first character belongs to the name whatever it is, a comma too. */
    const char *end = p + 1;
    while (*end && *end != ',')
        end++;
    *start = p;
    *length = (size_t)(end - p);
    if (*end == ',')
        end++;
    *cursor = end;
    return 1;
}

int BuildFileList(const char *value, char *list, size_t capacity)
{
    if (capacity == 0)
        return 0;
    size_t used = 0;
    int count = 0;
    const char *cursor = value;
    const char *start;
    size_t length;
    while (NextName(&cursor, &start, &length)) {
        /* The name, its NUL and the list's final NUL must all fit. */
        if (length + 2 > capacity - used)
            break;
        memcpy(list + used, start, length);
        used += length;
        list[used++] = '\0';
        count++;
    }
    list[used] = '\0';
    return count;
}

size_t FileListBytesNeeded(const char *value)
{
    size_t needed = 1;
    const char *cursor = value;
    const char *start;
    size_t length;
    while (NextName(&cursor, &start, &length))
        needed += length + 1;
    return needed;
}
