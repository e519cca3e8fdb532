/*
 * PortIconName on any text, in a buffer of exactly its size: it reads no
 * byte past the NUL and names one of the three port icons.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "ui/icon_rule_logic.h"
#include "ui/resources/resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const uint8_t *end = (const uint8_t *)memchr(data, 0, size);
    size_t length = end ? (size_t)(end - data) : size;
    char *text = (char *)malloc(length + 1);
    memcpy(text, data, length);
    text[length] = '\0';
    const char *icon = PortIconName(text);
    if (strcmp(icon, IDI_SETUP) && strcmp(icon, IDI_PORT) && strcmp(icon, IDI_NETWORK))
        abort();
    free(text);
    return 0;
}
