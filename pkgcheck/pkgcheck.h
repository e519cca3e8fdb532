/*
 * pkgcheck: checks a driver package folder the way the setup wizard will
 * read it, through the same catalogue code and the same platform calls, and
 * prints what each model installs and every problem found.
 */
#ifndef PKGCHECK_H
#define PKGCHECK_H

#include <windows.h>

/* report.cpp */

/* Sets the text that prefixes the following problem lines ("model 2
   (Kest KV-R524 Duplex)"); empty or NULL for problems of the package. */
void SetProblemContext(const char *context);

/* Prints "PROBLEM: <context>: <text>" and counts it. */
void ReportProblem(const char *format, ...) __attribute__((format(printf, 1, 2)));

int ProblemCount(void);

/* Copies text for display into out (size bytes): control characters become
   '?', and a text too long for one line is cut and ends in "...". */
void DisplayText(const char *text, char *out, size_t size);

/* file_check.cpp */

/* Opens one file of a model's list from the package folder as the copy
   opens it (the LZ library, which also finds NAME with its last character
   replaced by '_'), reads it through, and for a compressed file compares the
   expanded size with the size its header records. Prints one line for the
   file and a problem for anything the copy would stumble over. */
void CheckPackageFile(const char *folder, const char *name, const char *driverDirectory);

/* model_check.cpp */

/* Checks the model at `index` of the model list, whose key in the INF is
   `key`: what the list shows, and what the wizard would read and install for
   it. */
void CheckModel(WORD index, const char *key, const char *folder, const char *driverDirectory);

/* package_check.cpp */

/* Checks the package folder: its INF, its models section and every model the
   list shows. Returns the number of problems found. */
int CheckPackage(const char *folder);

#endif
