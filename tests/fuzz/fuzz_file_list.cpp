/*
 * BuildFileList on any CopyFiles value the profile reader can give (up to
 * 1023 characters, no NUL) and on smaller buffers: the list stays inside
 * its buffer, holds exactly the returned number of names, ends with the
 * empty name, and a full-size buffer loses no name.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "setupinfo/file_list_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t capacity = data[0] % 2 ? 1025 : data[0] / 2;
    data++;
    size--;
    size_t length = size > 1023 ? 1023 : size;
    char *value = (char *)malloc(length + 1);
    memcpy(value, data, length);
    value[length] = '\0';
    length = strlen(value);

    char *list = (char *)malloc(capacity ? capacity : 1);
    int count = BuildFileList(value, list, capacity);
    if (capacity == 0) {
        if (count != 0)
            abort();
    } else {
        size_t at = 0;
        int names = 0;
        while (list[at]) {
            at += strlen(list + at) + 1;
            names++;
            if (at >= capacity)
                abort();
        }
        if (names != count)
            abort();
        size_t needed = FileListBytesNeeded(value);
        if (needed > length + 2)
            abort();
        if (capacity >= needed && at + 1 != needed)
            abort();
    }
    free(list);
    free(value);
    return 0;
}
