/* Small helpers shared by the unit tests. */
#ifndef TEST_SUPPORT_H
#define TEST_SUPPORT_H

#include <windows.h>
#include <string>

/* Writes `text` to `path` as it stands (no line-end conversion). 1 on success. */
int WriteTextFile(const char *path, const char *text);

/* The directory of the running test program, with a trailing backslash. */
const char *TestProgramDirectory(void);

/* A text that may be NULL, as a string ("(null)"): a missing field then
   fails a check instead of crashing the test program. */
std::string Text(const char *text);

/* The names of a multi-string, each followed by '|' ("(null)" for none). */
std::string Names(const char *list);

#endif
