/*
 * Texts that the test sources write in UTF-8, converted by the platform into
 * UTF-16 (to compare with what the spooler keeps) and into a code page (what
 * a program of that code page reads through the "A" functions), and back
 * into UTF-8 for the logs.
 */
#ifndef AUTOMATION_WIDE_TEXT_H
#define AUTOMATION_WIDE_TEXT_H

#include <windows.h>
#include <string>

std::wstring Utf16(const char *utf8);

/* NULL gives an empty text. */
std::string Utf8(const wchar_t *wide);

/* `utf8` in code page `codePage` (CP_ACP: this process's own); a character
   the code page lacks becomes its default character. */
std::string InCodePage(const char *utf8, UINT codePage);

#endif
