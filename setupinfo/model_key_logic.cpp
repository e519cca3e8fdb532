#include "model_key_logic.h"

#include <string.h>

int StripModelKey(const char *key, char *name, size_t capacity)
{
    size_t keyLength = strlen(key);
    if (keyLength < 2)
        return 0;
    size_t nameLength = keyLength - 2;
    if (capacity < 3 || nameLength > capacity - 3)
        return 0;
    memcpy(name, key + 1, nameLength);
    name[nameLength] = '\0';
    return 1;
}

int FormModelKey(const char *name, char *key, size_t capacity)
{
    size_t nameLength = strlen(name);
    if (capacity < 3 || nameLength > capacity - 3) {
        if (capacity > 0)
            key[0] = '\0';
        return 0;
    }
    key[0] = '"';
    memcpy(key + 1, name, nameLength);
    key[nameLength + 1] = '"';
    key[nameLength + 2] = '\0';
    return 1;
}
