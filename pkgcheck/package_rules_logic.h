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

#endif
