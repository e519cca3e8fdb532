/*
 * pkgcheck's rules on any bytes: the LZ header reader classifies every
 * start of a file and gives a recorded size only for a whole header of the
 * known method; the file-list search never reads past its buffer and finds
 * each name the list holds; the model-key rule agrees with its definition.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "pkgcheck/lz_header_logic.h"
#include "pkgcheck/package_rules_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    /* The header: exactly the input's bytes, in a block of their size. */
    unsigned char *bytes = (unsigned char *)malloc(size ? size : 1);
    memcpy(bytes, data, size);
    unsigned long recorded = 1;
    int kind = ReadLzHeader(bytes, size, &recorded);
    if (kind < LZ_PLAIN || kind > LZ_SHORT_HEADER)
        abort();
    if (kind != LZ_COMPRESSED && recorded != 0)
        abort();
    if (kind == LZ_COMPRESSED && (size < LZ_HEADER_SIZE || bytes[8] != 'A'))
        abort();
    if (size >= 4 && memcmp(bytes, "SZDD", 4) != 0 && kind != LZ_PLAIN)
        abort();
    free(bytes);

    /* The list: the input's bytes without a guaranteed end; every name it
       holds whole must be found, in any letter case. */
    char *list = (char *)malloc(size ? size : 1);
    memcpy(list, data, size);
    size_t at = 0;
    while (at < size && list[at]) {
        const char *end = (const char *)memchr(list + at, '\0', size - at);
        if (!end)
            break;
        if (!ListHasFileName(list, size, list + at))
            abort();
        at = (size_t)(end - list) + 1;
    }

    /* The key: the bytes up to the first NUL. */
    char *key = (char *)malloc(size + 1);
    memcpy(key, data, size);
    key[size] = '\0';
    size_t length = strlen(key);
    int quoted = length >= 2 && key[0] == '"' && key[length - 1] == '"';
    if (IsQuotedModelKey(key) != quoted)
        abort();
    free(key);
    free(list);
    return 0;
}
