/*
 * TakeField over a model line and CountListNames/ListNameAt over a key list
 * of any bytes: fields never hold a comma and never start past the line's
 * end; list walking never reads past the buffer and agrees with itself.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "setupinfo/model_line_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char *line = (char *)malloc(size + 1);
    memcpy(line, data, size);
    line[size] = '\0';
    size_t lineLength = strlen(line);
    char *cursor = line;
    char *field;
    while ((field = TakeField(&cursor)) != NULL) {
        if (field < line || field >= line + lineLength || !*field || strchr(field, ','))
            abort();
    }
    if (*cursor)
        abort();
    free(line);

    /* The key list exactly as large as the input, without a guaranteed end. */
    char *list = (char *)malloc(size ? size : 1);
    memcpy(list, data, size);
    unsigned count = CountListNames(list, size);
    for (unsigned i = 0; i <= count; i++) {
        const char *name = ListNameAt(list, size, i);
        if (i == count && name)
            abort();
        if (name && (name < list || name >= list + size || !*name))
            abort();
    }
    free(list);
    return 0;
}
