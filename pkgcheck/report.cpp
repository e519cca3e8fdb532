#include "pkgcheck.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static char ProblemContext[160];
static int Problems;

void SetProblemContext(const char *context)
{
    lstrcpynA(ProblemContext, context ? context : "", sizeof ProblemContext);
}

void ReportProblem(const char *format, ...)
{
    char text[2048];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (ProblemContext[0])
        printf("PROBLEM: %s: %s\n", ProblemContext, text);
    else
        printf("PROBLEM: %s\n", text);
    Problems++;
}

int ProblemCount(void)
{
    return Problems;
}

void DisplayText(const char *text, char *out, size_t size)
{
    if (size < 4) {
        if (size)
            out[0] = '\0';
        return;
    }
    size_t length = strlen(text);
    size_t shown = length < size ? length : size - 4;
    for (size_t i = 0; i < shown; i++) {
        unsigned char c = (unsigned char)text[i];
        out[i] = (c < 0x20 || c == 0x7F) ? '?' : (char)c;
    }
    if (shown < length) {
        memcpy(out + shown, "...", 3);
        shown += 3;
    }
    out[shown] = '\0';
}
