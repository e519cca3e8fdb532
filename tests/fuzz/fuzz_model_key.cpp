/*
 * StripModelKey and FormModelKey on keys of any length and buffers of any
 * size: nothing is written past the buffer, a stripped name quotes back to
 * the key's inner part, and a refused name leaves the output untouched.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "setupinfo/model_key_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t capacity = data[0] * 9;
    data++;
    size--;
    char *key = (char *)malloc(size + 1);
    memcpy(key, data, size);
    key[size] = '\0';
    size_t keyLength = strlen(key);

    char *name = (char *)malloc(capacity ? capacity : 1);
    if (capacity)
        name[0] = 'x';
    if (StripModelKey(key, name, capacity)) {
        if (keyLength < 2 || keyLength + 1 > capacity)
            abort();
        if (strlen(name) != keyLength - 2 || memcmp(name, key + 1, keyLength - 2) != 0)
            abort();
        char *quoted = (char *)malloc(capacity);
        if (!FormModelKey(name, quoted, capacity) || strlen(quoted) != keyLength)
            abort();
        free(quoted);
    } else if (capacity && name[0] != 'x') {
        abort();
    }

    char *formed = (char *)malloc(capacity ? capacity : 1);
    if (FormModelKey(key, formed, capacity)) {
        if (strlen(formed) != keyLength + 2 || formed[0] != '"' || formed[keyLength + 1] != '"')
            abort();
    } else if (capacity && formed[0] != '\0') {
        abort();
    }
    free(formed);
    free(name);
    free(key);
    return 0;
}
