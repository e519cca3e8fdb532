#include "ui/icon_rule_logic.h"
#include "ui/resources/resource.h"

/* Compares one character at a time and stops at the first difference, so a
   text shorter than the prefix is never read past its NUL. */
static int StartsWith(const char *text, const char *prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (*text != *prefix)
            return 0;
    return 1;
}

static int EqualsIgnoringCase(const char *text, const char *other)
{
    for (;; ++text, ++other) {
        char a = *text, b = *other;
        if (a >= 'a' && a <= 'z')
            a = (char)(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = (char)(b - 'a' + 'A');
        if (a != b)
            return 0;
        if (!a)
            return 1;
    }
}

const char *PortIconName(const char *text)
{
    if (EqualsIgnoringCase(text, "FILE:"))
        return IDI_SETUP;
    if (StartsWith(text, "LPT") || StartsWith(text, "COM"))
        return IDI_PORT;
    return IDI_NETWORK;
}

const char *ModelIconName(const char *)
{
    return IDI_PRINTER;
}
