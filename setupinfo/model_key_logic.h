/*
 * Model names and the quoted keys of the INF's models section. Text only:
 * no windows.h, so the native fuzz build compiles it as well.
 */
#ifndef SETUP_MODEL_KEY_LOGIC_H
#define SETUP_MODEL_KEY_LOGIC_H

#include <stddef.h>

/* Writes `key` without its first and last character into `name` (the keys
   are written in double quotation marks; the two characters are not
   examined). Returns 1 when written. Returns 0 and leaves `name` untouched
   when the key is shorter than two characters, or when the name could not
   be quoted again in a buffer of `capacity` bytes (name, two quotation marks
   and the NUL): such a model could never be looked up. */
int StripModelKey(const char *key, char *name, size_t capacity);

/* Writes a double quotation mark, `name` and a double quotation mark into
   `key`. Returns 1 when it fits `capacity`; otherwise 0 with `key` empty
   (when capacity allows even that). */
int FormModelKey(const char *name, char *key, size_t capacity);

#endif
