/*
 * Stepping through 8-bit text of the system's ANSI code page. On Japanese
 * and Chinese Windows (code pages 932, 936, 950) and Korean Windows (949) a
 * character may take two bytes, a lead byte and a trail byte, and in 932,
 * 936 and 950 the trail byte may be 0x5C, the backslash: "\x95\x5C" is one
 * character, not a character and a path separator. A search for '\', '/' or
 * ':' must therefore go character by character.
 *
 * Which bytes lead is the code page's business, so the rule is a parameter:
 * the program passes the platform's (IsAnsiLeadByte, shell/ansi_text.h), the
 * tests and the fuzz targets rules of their own. Text only: no windows.h,
 * so the native fuzz build compiles it as well.
 */
#ifndef SETUP_ANSI_TEXT_LOGIC_H
#define SETUP_ANSI_TEXT_LOGIC_H

#include <stddef.h>

/* 1 when `byte` is the lead byte of a double-byte character. */
typedef int (*LeadByteRule)(unsigned char byte);

/* The rule of a single-byte code page such as 1252: no byte leads. */
int NoLeadBytes(unsigned char byte);

/* The character after the one `text` points at (not the NUL): two bytes on
   for a lead byte, one for any other byte and for a lead byte that the NUL
   follows, so that a name cut after its lead byte is never read past its
   end. */
const char *NextCharacter(const char *text, LeadByteRule isLeadByte);

/* The first, or the last, character of `text` that is one of the
   single-byte `characters`; NULL when there is none. A trail byte is never
   taken for one. */
const char *FindFirstOf(const char *text, const char *characters, LeadByteRule isLeadByte);
const char *FindLastOf(const char *text, const char *characters, LeadByteRule isLeadByte);

/* The length of `text` without the run of `characters` at its end (the
   trailing backslashes of a path, say); a trail byte ends no such run. */
size_t LengthWithoutTrailing(const char *text, const char *characters, LeadByteRule isLeadByte);

#endif
