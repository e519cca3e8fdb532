#include "install/dest_path_logic.h"
#include <string.h>

/* The path separators of Windows: a trailing run of them is one ending. */
static const char Separators[] = "\\/";

const char *FileListName(const char *list, size_t size, int index)
{
    if (index < 0)
        return NULL;
    size_t at = 0;
    for (int skipped = 0; at < size; ++skipped) {
        const char *end = (const char *)memchr(list + at, '\0', size - at);
        if (!end)
            return NULL;        /* no NUL inside the buffer */
        size_t length = (size_t)(end - (list + at));
        if (length == 0)
            return NULL;        /* the empty name ends the list */
        if (skipped == index)
            return list + at;
        at += length + 1;
    }
    return NULL;
}

int IsBareFileName(const char *name, LeadByteRule isLeadByte)
{
    if (!name[0] || strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return 0;
    return FindFirstOf(name, "\\/:", isLeadByte) == NULL;
}

static int IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

int IsUsableDriverDirectory(const char *directory, LeadByteRule isLeadByte)
{
    size_t length = LengthWithoutTrailing(directory, Separators, isLeadByte);
    if (length == 0)
        return 0;               /* "", "\" or "\\" */
    if (length == 2 && directory[1] == ':')
        return 0;               /* "C:" or "C:\" */
    if (length > 2 && IsSeparator(directory[0]) && IsSeparator(directory[1])) {
        /* "\\server\share" is the root of a share. */
        size_t separators = 0;
        for (const char *p = directory + 2; p < directory + length; p = NextCharacter(p, isLeadByte))
            if (IsSeparator(*p))
                ++separators;
        if (separators < 2)
            return 0;
    }
    return 1;
}

/* Appends text at *at; 0 when it and a NUL would not fit. */
static int Append(char *out, size_t size, size_t *at, const char *text)
{
    size_t length = strlen(text);
    if (length >= size - *at)
        return 0;
    memcpy(out + *at, text, length + 1);
    *at += length;
    return 1;
}

int BuildDestinationPath(char *out, size_t size, const char *directory, int subdirectory,
                         const char *name, const char *suffix, LeadByteRule isLeadByte)
{
    if (size == 0)
        return 0;
    out[0] = '\0';
    size_t at = 0;
    int fits = Append(out, size, &at, directory);
    /* A directory that ends in a character whose trail byte is 0x5C does not
       end with a backslash. */
    if (fits && (at == 0 || LengthWithoutTrailing(out, Separators, isLeadByte) == at))
        fits = Append(out, size, &at, "\\");
    if (fits && subdirectory >= 0) {
        char number[16];
        int digits = 0;
        char reversed[16];
        unsigned value = (unsigned)subdirectory;
        do {
            reversed[digits++] = (char)('0' + value % 10);
            value /= 10;
        } while (value);
        for (int i = 0; i < digits; ++i)
            number[i] = reversed[digits - 1 - i];
        number[digits] = '\\';
        number[digits + 1] = '\0';
        fits = Append(out, size, &at, number);
    }
    if (fits)
        fits = Append(out, size, &at, name);
    if (fits)
        fits = Append(out, size, &at, suffix);
    if (!fits)
        out[0] = '\0';
    return fits;
}
