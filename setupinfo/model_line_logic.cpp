#include "model_line_logic.h"

char *TakeField(char **cursor)
{
    char *p = *cursor;
    while (*p == ',')
        p++;
    if (!*p) {
        *cursor = p;
        return NULL;
    }
    char *field = p;
    while (*p && *p != ',')
        p++;
    if (*p == ',')
        *p++ = '\0';
    *cursor = p;
    return field;
}

unsigned CountListNames(const char *list, size_t size)
{
    unsigned count = 0;
    size_t i = 0;
    while (i < size && list[i]) {
        count++;
        while (i < size && list[i])
            i++;
        i++;
    }
    return count;
}

const char *ListNameAt(const char *list, size_t size, unsigned index)
{
    size_t i = 0;
    for (;;) {
        if (i >= size || !list[i])
            return NULL;
        size_t start = i;
        while (i < size && list[i])
            i++;
        if (i >= size)
            return NULL;
        if (index == 0)
            return list + start;
        index--;
        i++;
    }
}
