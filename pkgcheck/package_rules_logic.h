/*
 * What the wizard expects of a driver package, as rules on text: model keys,
 * file lists and path lengths. Text only: no windows.h, so the native fuzz
 * build compiles it as well.
 */
#ifndef PKGCHECK_PACKAGE_RULES_LOGIC_H
#define PKGCHECK_PACKAGE_RULES_LOGIC_H

#include <stddef.h>

/* The longest path that the platform's file calls take (MAX_PATH with the
   NUL), counted in bytes. */
#define FILE_PATH_MAX 259

/* 1 when a model key is enclosed in double quotation marks: the model list
   shows a key without its first and last character, and the wizard finds
   the model's line again by the quoted name. */
int IsQuotedModelKey(const char *key);

/* 1 when the multi-string `list` (names each NUL-ended, then an empty name,
   within `size` bytes) holds `name`, letter case ignored as the file system
   ignores it. */
int ListHasFileName(const char *list, size_t size, const char *name);

/* How an INF's bytes are written. The profile reader takes a file that
   begins with the UTF-16 little-endian byte-order mark as UTF-16, and any
   other as 8-bit text in the ANSI code page: on Windows a UTF-8 mark too,
   whose bytes then belong to the first line. */
enum InfTextKind {
    INF_TEXT_ASCII = 0,         /* no byte above 0x7F: the same in every code page */
    INF_TEXT_8BIT = 1,          /* other 8-bit text, not UTF-8 */
    INF_TEXT_UTF8 = 2,          /* UTF-8 with characters beyond ASCII, no mark */
    INF_TEXT_UTF8_MARKED = 3,   /* begins with the UTF-8 byte-order mark */
    INF_TEXT_UTF16 = 4          /* begins with the UTF-16 little-endian byte-order mark */
};

/* Tells how the `size` bytes of an INF are written. */
int ClassifyInfText(const unsigned char *bytes, size_t size);

#endif
