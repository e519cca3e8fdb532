#include "pkgcheck.h"
#include "shell/ansi_text.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static char ProblemContext[160];
static int Problems;
static int Notes;

void SetProblemContext(const char *context)
{
    lstrcpynA(ProblemContext, context ? context : "", sizeof ProblemContext);
}

/* Prints "<label>: <context>: <text>", or "<label>: <text>" outside a model. */
static void PrintFinding(const char *label, const char *format, va_list arguments)
{
    char text[2048];
    vsnprintf(text, sizeof text, format, arguments);
    if (ProblemContext[0])
        printf("%s: %s: %s\n", label, ProblemContext, text);
    else
        printf("%s: %s\n", label, text);
}

void ReportProblem(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    PrintFinding("PROBLEM", format, arguments);
    va_end(arguments);
    Problems++;
}

void ReportNote(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    PrintFinding("NOTE", format, arguments);
    va_end(arguments);
    Notes++;
}

int ProblemCount(void)
{
    return Problems;
}

int NoteCount(void)
{
    return Notes;
}

void DisplayText(const char *text, char *out, size_t size)
{
    if (size < 4) {
        if (size)
            out[0] = '\0';
        return;
    }
    size_t length = strlen(text);
    size_t shown = length;
    /* Cut between two characters, never after a lead byte: the "..." would
       be read as its trail byte. */
    if (length >= size) {
        shown = 0;
        for (const char *next = text; (size_t)(next - text) <= size - 4; next = NextCharacter(next, IsAnsiLeadByte))
            shown = (size_t)(next - text);
    }
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
