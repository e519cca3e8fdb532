/*
 * SupportedSystemText on any environment name, in a buffer of exactly its
 * size: it reads no byte past the NUL, and only the two known names give a
 * text, which then names that environment's editions.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "ui/welcome_text_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const uint8_t *end = (const uint8_t *)memchr(data, 0, size);
    size_t length = end ? (size_t)(end - data) : size;
    char *name = (char *)malloc(length + 1);
    memcpy(name, data, length);
    name[length] = '\0';
    const char *text = SupportedSystemText(name);
    int x86 = strcmp(name, "Windows NT x86") == 0, x64 = strcmp(name, "Windows x64") == 0;
    if ((text != NULL) != (x86 || x64))
        abort();
    if (text && !strstr(text, x86 ? "Ultimate x86\r\n\r\n" : "Ultimate x64\r\n\r\n"))
        abort();
    free(name);
    return 0;
}
