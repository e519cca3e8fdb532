/*
 * The copy's path logic on any bytes: FileListName stays inside its buffer
 * and returns a NUL-ended, non-empty name; BuildDestinationPath either fits
 * the buffer exactly as assembled or leaves it empty; IsBareFileName and
 * IsUsableDriverDirectory read only up to the NUL.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "install/dest_path_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    int index = data[0] % 8 - 1;
    size_t capacity = data[1];
    int subdirectory = data[2] % 5 - 1;
    data += 3;
    size -= 3;

    /* The list: the bytes as they are, in a buffer of exactly their size. */
    char *list = (char *)malloc(size ? size : 1);
    memcpy(list, data, size);
    const char *name = FileListName(list, size, index);
    if (name) {
        size_t at = (size_t)(name - list);
        if (at >= size || !memchr(name, '\0', size - at) || !name[0])
            abort();
    }

    /* Directory and name: the bytes split at their first NUL. */
    char *text = (char *)malloc(size + 2);
    memcpy(text, data, size);
    text[size] = '\0';
    text[size + 1] = '\0';
    const char *directory = text;
    const char *file = text + strlen(text) + 1;
    IsBareFileName(file);
    IsUsableDriverDirectory(directory);

    char *out = (char *)malloc(capacity ? capacity : 1);
    if (BuildDestinationPath(out, capacity, directory, subdirectory, file, "~new")) {
        size_t length = strlen(out);
        if (length >= capacity)
            abort();
        if (strncmp(out, directory, strlen(directory)) != 0)
            abort();
        if (length < 4 || strcmp(out + length - 4, "~new") != 0)
            abort();
    } else if (capacity && out[0]) {
        abort();
    }
    free(out);
    free(text);
    free(list);
    return 0;
}
