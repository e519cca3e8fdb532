/*
 * Printers and drivers that tests make in Wine's real spooler, and what
 * they read back from it, for unit tests and end-to-end scenarios alike.
 * Wine takes a driver whose bare file names are missing from the driver
 * directory, so no files are needed. Environment: "Windows NT x86".
 */
#ifndef SPOOLER_FIXTURES_H
#define SPOOLER_FIXTURES_H

#include <windows.h>
#include <winspool.h>

/* Adds a driver named `driver` (UNIDRV files, `dependentFiles` may be NULL)
   and, when `printer` is not NULL, a printer of that name on it. */
int AddFixturePrinter(const char *printer, const char *driver, const char *port,
                      const char *dependentFiles = NULL);

/* Deletes the printer, when there is one, then the driver. */
void RemoveFixturePrinter(const char *printer, const char *driver);

/* The level-2 record of the printer, or NULL. It points into a block kept
   until the next call. */
const PRINTER_INFO_2A *ReadPrinterRecord(const char *name);

/* The record (level 1, 3 or 6) of the registered driver of exactly that
   name, or NULL. It points into a block kept until the next call. */
const void *ReadDriverRecord(const char *name, DWORD level);

int PrinterExists(const char *name);
int DriverRegistered(const char *name);

#endif
