/*
 * Printers and drivers that tests make in Wine's real spooler, and what
 * they read back from it, for unit tests and end-to-end scenarios alike.
 * Wine takes a driver whose bare file names are missing from the driver
 * directory, so no files are needed. Environment: "Windows NT x86", the
 * wizard's own.
 *
 * A 64-bit process (the 64-bit twin of the programs) is a client of
 * "Windows x64": its spooler adds a printer only when a driver of the
 * printer's driver name exists for that environment too. Wherever these
 * fixtures make a printer, they first register such a driver for the
 * process's own environment; a 32-bit process needs none.
 */
#ifndef SPOOLER_FIXTURES_H
#define SPOOLER_FIXTURES_H

#include <windows.h>
#include <winspool.h>

/* Adds a driver named `driver` (UNIDRV files, `dependentFiles` may be NULL)
   and, when `printer` is not NULL, a printer of that name on it. */
int AddFixturePrinter(const char *printer, const char *driver, const char *port,
                      const char *dependentFiles = NULL);

/* Deletes the printer (when one is named and there), then the driver and
   its twin for the process's own environment. */
void RemoveFixturePrinter(const char *printer, const char *driver);

/* 1 in a 32-bit process, a client of "Windows NT x86" itself. */
int OwnEnvironmentIsX86(void);

/* Registers a driver named `driver` for the process's own environment when
   that is not "Windows NT x86", so that a printer on the x86 driver of that
   name can be added; nothing to do (1) in a 32-bit process. */
int StageOwnEnvironmentDriver(const char *driver);

/* Deletes what StageOwnEnvironmentDriver registered. */
void RemoveOwnEnvironmentDriver(const char *driver);

/* The "Windows NT x86" driver directory, where the wizard copies, without a
   trailing backslash. 0 when the spooler gives none. */
int ReadX86DriverDirectory(char *directory, DWORD size);

/* The level-2 record of the printer, or NULL. It points into a block kept
   until the next call. Read in UTF-16, as the spooler keeps it, so that a
   name in any code page comes back as it was registered. */
const PRINTER_INFO_2W *ReadPrinterRecord(const wchar_t *name);

/* The record (level 1, 3 or 6) of the registered driver of exactly that
   name, or NULL. It points into a block kept until the next call. */
const void *ReadDriverRecord(const wchar_t *name, DWORD level);

/* Names in this process's ANSI code page. */
int PrinterExists(const char *name);
int DriverRegistered(const char *name);

#endif
