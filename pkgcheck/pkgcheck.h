/*
 * pkgcheck: checks a driver package folder the way the setup wizard will
 * read it, through the same catalogue code and the same platform calls, and
 * prints what each model installs and every problem found.
 */
#ifndef PKGCHECK_H
#define PKGCHECK_H

#include <windows.h>

/* report.cpp */

/* Sets the text that prefixes the following problem and note lines
   ("model 2 (Kest KV-R524 Duplex)"); empty or NULL for findings of the
   package. */
void SetProblemContext(const char *context);

/* Prints "PROBLEM: <context>: <text>" and counts it: something that makes
   the wizard fail, install a broken driver or lose information. */
void ReportProblem(const char *format, ...) __attribute__((format(printf, 1, 2)));

/* Prints "NOTE: <context>: <text>" and counts it: advice about a package
   that installs all the same. Notes leave the exit status 0. */
void ReportNote(const char *format, ...) __attribute__((format(printf, 1, 2)));

int ProblemCount(void);
int NoteCount(void);

/* Copies text for display into out (size bytes): control characters become
   '?', and a text too long for one line is cut between two characters and
   ends in "...". */
void DisplayText(const char *text, char *out, size_t size);

/* file_check.cpp */

/* Finds and opens one file of a model's list in the package folder as the
   copy does (OpenSourceFile, which also finds NAME with its last character
   replaced by '_'), reads it through as the copy expands it, and applies the
   copy's rule for a damaged compressed file (IsWholeExpansion). Prints one
   line for the file and a problem for anything the copy would stumble
   over. */
void CheckPackageFile(const char *folder, const char *name, const char *driverDirectory);

/* Checks KV_R52x.DLL in the package folder, opened as the registration
   opens it to read the driver's date: prints that date, reports a problem
   when the file cannot be opened (the date would be zero) and a note when it
   is stored compressed. */
void CheckDriverDateFile(const char *folder);

/* inf_text_check.cpp */

/* Prints how the INF at `path` is written and the ANSI code page it is
   read in, and reports text that this code page would garble: UTF-8, a
   UTF-8 byte-order mark, or UTF-16 characters the code page lacks. */
void CheckInfText(const char *path);

/* model_check.cpp */

/* Checks the model at `index` of the model list, whose key in the INF is
   `key`: what the list shows, and what the wizard reads and installs for it,
   read through the wizard's own LoadModelByName. */
void CheckModel(WORD index, const char *key, const char *folder);

/* package_check.cpp */

/* Checks the package folder: its INF, KV_R52x.DLL, its models section and
   every model the list shows. Returns the number of problems found, or -1
   when the models section cannot be read for want of memory. */
int CheckPackage(const char *folder);

#endif
