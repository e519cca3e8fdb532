#include "install/lz_header_logic.h"

#include <string.h>

static const unsigned char LzMagic[8] = { 'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33 };

int ReadLzHeader(const unsigned char *bytes, size_t size, unsigned long *expandedSize)
{
    *expandedSize = 0;
    /* A file shorter than the magic, or one that starts otherwise, is plain:
       the library only expands what begins with the whole magic. */
    if (size < sizeof LzMagic || memcmp(bytes, LzMagic, sizeof LzMagic) != 0)
        return LZ_PLAIN;
    if (size < LZ_HEADER_SIZE)
        return LZ_SHORT_HEADER;
    if (bytes[8] != 'A')
        return LZ_UNKNOWN_METHOD;
    *expandedSize = (unsigned long)bytes[10] | ((unsigned long)bytes[11] << 8)
        | ((unsigned long)bytes[12] << 16) | ((unsigned long)bytes[13] << 24);
    return LZ_COMPRESSED;
}

int IsWholeExpansion(const unsigned char *bytes, size_t size, unsigned long written)
{
    unsigned long recorded = 0;
    int kind = ReadLzHeader(bytes, size, &recorded);
    return kind == LZ_COMPRESSED ? written == recorded : kind != LZ_SHORT_HEADER;
}
