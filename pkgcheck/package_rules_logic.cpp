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

/* The length of the UTF-8 sequence at `bytes` (`size` bytes left), or 0
   when none begins there: no overlong forms, surrogates or values above
   U+10FFFF. */
static size_t Utf8SequenceLength(const unsigned char *bytes, size_t size)
{
    unsigned char lead = bytes[0];
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    unsigned char low = 0x80, high = 0xBF;     /* the second byte's range */
    if (lead < 0xC2 || lead > 0xF4 || length > size)
        return 0;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    if (bytes[1] < low || bytes[1] > high)
        return 0;
    for (size_t i = 2; i < length; i++)
        if (bytes[i] < 0x80 || bytes[i] > 0xBF)
            return 0;
    return length;
}

int ClassifyInfText(const unsigned char *bytes, size_t size)
{
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return INF_TEXT_UTF16;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return INF_TEXT_UTF8_MARKED;
    int beyondAscii = 0;
    for (size_t at = 0; at < size; ) {
        if (bytes[at] < 0x80) {
            at++;
            continue;
        }
        size_t length = Utf8SequenceLength(bytes + at, size - at);
        if (!length)
            return INF_TEXT_8BIT;
        beyondAscii = 1;
        at += length;
    }
    return beyondAscii ? INF_TEXT_UTF8 : INF_TEXT_ASCII;
}
