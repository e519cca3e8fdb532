/* Calls the runtime functions the wizard's code is likely to use, so that
   the import check proves the allowlist covers what the static runtime
   pulls in with them (snprintf brings MinGW's own printf and its needs). */
#include <windows.h>
#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int Format(char *out, size_t size, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(out, size, format, arguments);
    va_end(arguments);
    return length;
}

static int CompareBytes(const void *a, const void *b)
{
    return *(const char *)a - *(const char *)b;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char text[64], copy[64];
    snprintf(text, sizeof text, "%s %d %u %lu %x %5.2f", commandLine, 1, 2u, 3ul, 4u, 1.5);
    strncpy(copy, text, sizeof copy - 1);
    copy[sizeof copy - 1] = '\0';
    memcpy(text, copy, 4);
    memmove(text + 1, text, 3);
    memset(copy, 0, 2);
    Format(copy, sizeof copy, "%s", text);
    qsort(text, 3, 1, CompareBytes);
    int value = atoi(text) + (int)strtol(text, NULL, 10) + (int)strtoul(copy, NULL, 16) +
                toupper((unsigned char)text[0]) + tolower((unsigned char)text[1]) +
                isspace((unsigned char)text[2]) + isdigit((unsigned char)text[3]) +
                strcmp(text, copy) + strncmp(text, copy, 2) + _stricmp(text, copy) +
                (strchr(text, 'a') != NULL) + (strrchr(text, 'b') != NULL) +
                (strstr(text, "c") != NULL) + (int)strlen(copy);
    char *block = (char *)malloc(16);
    free(block);
    return value & 1;
}
