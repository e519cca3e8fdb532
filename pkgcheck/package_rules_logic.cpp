#include "package_rules_logic.h"

#include <string.h>

int IsQuotedModelKey(const char *key)
{
    size_t length = strlen(key);
    return length >= 2 && key[0] == '"' && key[length - 1] == '"';
}

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

static int SameNameIgnoringCase(const char *a, const char *b)
{
    while (*a && LowerAscii(*a) == LowerAscii(*b)) {
        a++;
        b++;
    }
    return *a == '\0' && *b == '\0';
}

int ListHasFileName(const char *list, size_t size, const char *name)
{
    size_t at = 0;
    while (at < size && list[at]) {
        const char *end = (const char *)memchr(list + at, '\0', size - at);
        if (!end)
            return 0;
        if (SameNameIgnoringCase(list + at, name))
            return 1;
        at = (size_t)(end - list) + 1;
    }
    return 0;
}
