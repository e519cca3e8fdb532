/* Small helpers shared by the unit tests. */
#ifndef TEST_SUPPORT_H
#define TEST_SUPPORT_H

#include <windows.h>

/* Writes `text` to `path` as it stands (no line-end conversion). 1 on success. */
int WriteTextFile(const char *path, const char *text);

/* The directory of the running test program, with a trailing backslash. */
const char *TestProgramDirectory(void);

/* Saves the screen as screenshots\<name>.bmp beside the test program, for
   a person to look at. */
void SaveTestScreenshot(const char *name);

#endif
