/*
 * Printers and drivers made in Wine's real spooler by the tests, the
 * questions the tests ask it, and a recording seam: each spooler call the
 * program makes is counted and passed on to Wine unless a refusal is set.
 * Wine takes a driver whose bare file names are missing from the driver
 * directory, so no files are needed.
 */
#ifndef SPOOLER_FAKES_H
#define SPOOLER_FAKES_H

#include <windows.h>
#include <winspool.h>

/* Adds a driver named `driver` (UNIDRV files, `dependentFiles` may be NULL)
   and, when `printer` is not NULL, a printer of that name on it. */
int AddFixturePrinter(const char *printer, const char *driver, const char *port,
                      const char *dependentFiles = NULL);

/* Deletes the printer, when there is one, then the driver. */
void RemoveFixturePrinter(const char *printer, const char *driver);

int PrinterExists(const char *name);

/* 1 when a driver of exactly that name is registered for the environment. */
int DriverRegistered(const char *name);

/* The spooler calls seen since RecordSpoolerCalls, and the refusals asked
   for: a non-zero refuse* makes that call fail with it as the last error
   (enumeration fails on its second call, the one with a buffer). */
struct SpoolerCalls {
    int opens, closes, printerDeletes, driverDeletes, enumerations, driverAdds, printerAdds;
    int hadDefaults;      /* of the last open */
    ACCESS_MASK access;   /* asked for by the last open with defaults */
    DWORD refuseOpen, refusePrinterDelete, refuseDriverDelete, refuseEnumeration;
    DWORD refuseDriverAdd, refusePrinterAdd;
};
extern SpoolerCalls Calls;

/* Clears Calls and routes those spooler calls through the recorder;
   ResetSpoolerApi ends it. */
void RecordSpoolerCalls(void);

#endif
