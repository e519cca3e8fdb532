/*
 * The INF's text and code page. The wizard reads the INF through the "A"
 * profile functions, so every name reaches it in the system's ANSI code
 * page: an 8-bit INF must be written in that code page, and a UTF-16 one may
 * hold only characters that the code page has.
 */
#include "pkgcheck.h"
#include "package_rules_logic.h"
#include "shell/setup_state.h"

#include <stdio.h>
#include <stdlib.h>

static const char *const KindNames[] = {
    "ASCII", "8-bit", "UTF-8", "UTF-8 with a byte-order mark", "UTF-16",
};

/* Reads a whole file into a block it allocates (free it); NULL when it
   cannot be read. */
static unsigned char *ReadWholeFile(const char *path, DWORD *size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    *size = GetFileSize(file, NULL);
    unsigned char *bytes = *size != INVALID_FILE_SIZE ? (unsigned char *)malloc(*size + 1) : NULL;
    DWORD got = 0;
    if (bytes && (!ReadFile(file, bytes, *size, &got, NULL) || got != *size)) {
        free(bytes);
        bytes = NULL;
    }
    CloseHandle(file);
    return bytes;
}

/* The line (from 1) of the first character of a UTF-16 text that does not
   come back the same through the ANSI code page; 0 when every one does. */
static unsigned FirstLostCharacterLine(const wchar_t *text, int length)
{
    int narrowLength = WideCharToMultiByte(CP_ACP, 0, text, length, NULL, 0, NULL, NULL);
    char *narrow = (char *)malloc(narrowLength + 1);
    wchar_t *back = (wchar_t *)malloc((narrowLength + 1) * sizeof(wchar_t));
    int backLength = 0;
    if (narrow && back) {
        WideCharToMultiByte(CP_ACP, 0, text, length, narrow, narrowLength, NULL, NULL);
        backLength = MultiByteToWideChar(CP_ACP, 0, narrow, narrowLength, back, narrowLength + 1);
    }
    unsigned line = 1, lost = 0;
    for (int i = 0; i < length && !lost; i++) {
        if (i >= backLength || back[i] != text[i])
            lost = line;
        line += text[i] == L'\n';
    }
    free(narrow);
    free(back);
    return lost;
}

void CheckInfText(const char *path)
{
    const char *infName = OsTable[SetupState.OsIndex].InfFileName;
    unsigned codePage = GetACP();
    DWORD size = 0;
    unsigned char *bytes = ReadWholeFile(path, &size);
    if (!bytes) {
        printf("INF text: cannot be read; the system's ANSI code page is %u\n", codePage);
        return;
    }
    int kind = ClassifyInfText(bytes, size);
    printf("INF text: %s, read in code page %u (the system's ANSI code page)\n", KindNames[kind], codePage);
    if (kind == INF_TEXT_UTF8 && codePage != CP_UTF8) {
        ReportProblem("%s is written in UTF-8; the wizard reads it as 8-bit text in code page %u, where its "
                      "characters beyond ASCII become others: save it in code page %u", infName, codePage, codePage);
    } else if (kind == INF_TEXT_UTF8_MARKED) {
        ReportProblem("%s begins with a UTF-8 byte-order mark: Windows reads it as 8-bit text in code page %u, the "
                      "mark as part of its first line (Wine honours the mark): save it in code page %u without it",
                      infName, codePage, codePage);
    } else if (kind == INF_TEXT_UTF16) {
        unsigned line = FirstLostCharacterLine((const wchar_t *)(bytes + 2), (int)((size - 2) / 2));
        if (line)
            ReportProblem("%s is UTF-16, and its line %u holds characters that code page %u lacks: the wizard "
                          "reads them as '?' or as look-alikes", infName, line, codePage);
    }
    free(bytes);
}
