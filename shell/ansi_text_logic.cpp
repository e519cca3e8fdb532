#include "shell/ansi_text_logic.h"

#include <string.h>

int NoLeadBytes(unsigned char)
{
    return 0;
}

const char *NextCharacter(const char *text, LeadByteRule isLeadByte)
{
    if (isLeadByte((unsigned char)text[0]) && text[1])
        return text + 2;
    return text + 1;
}

/* 1 when the character at `text` is one byte and one of `characters`. */
static int IsOneOf(const char *text, const char *characters, LeadByteRule isLeadByte)
{
    return !isLeadByte((unsigned char)*text) && strchr(characters, *text) != NULL;
}

const char *FindFirstOf(const char *text, const char *characters, LeadByteRule isLeadByte)
{
    for (; *text; text = NextCharacter(text, isLeadByte))
        if (IsOneOf(text, characters, isLeadByte))
            return text;
    return NULL;
}

const char *FindLastOf(const char *text, const char *characters, LeadByteRule isLeadByte)
{
    const char *found = NULL;
    for (; *text; text = NextCharacter(text, isLeadByte))
        if (IsOneOf(text, characters, isLeadByte))
            found = text;
    return found;
}

size_t LengthWithoutTrailing(const char *text, const char *characters, LeadByteRule isLeadByte)
{
    const char *end = text;     /* just after the last character not in the run */
    for (const char *p = text; *p; ) {
        const char *next = NextCharacter(p, isLeadByte);
        if (!IsOneOf(p, characters, isLeadByte))
            end = next;
        p = next;
    }
    return (size_t)(end - text);
}
