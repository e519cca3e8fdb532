/*
 * Removal of an earlier installation, registration of driver and printer,
 * and the default printer.
 */
#ifndef SETUP_SPOOLER_H
#define SETUP_SPOOLER_H

#include <windows.h>
#include <winspool.h>

/* winspool.h maps SetDefaultPrinter to the platform's SetDefaultPrinterA;
   the program has its own procedure of that name. winspool.h is included
   first so that no later inclusion brings the mapping back. */
#ifdef SetDefaultPrinter
#undef SetDefaultPrinter
#endif

/* 1 when a driver named exactly like the model selected on the page is
   registered for Environment; writes ModelName when a model is selected. */
int DriverExists(HWND page);

/* Deletes a printer named like the selected model, when one can be opened. */
void DeleteStalePrinter(HWND page);

/* Deletes the printer and the driver named ModelName. 1 when there was no
   printer to open or both deletions succeeded, 0 otherwise. */
int RemovePreviousInstall(void);

/* Registers the level-6 driver record and the level-2 printer record of the
   chosen model. 1 when both were added; shows "Add a printer error " itself
   when the driver or the printer is refused. */
int RegisterDriverAndPrinter(void);

/* Makes the named printer the user's default printer ("device" entry of the
   "windows" section, then a broadcast). 1 on success, 0 with the profile
   unchanged otherwise. */
int SetDefaultPrinter(const char *printerName);

#endif
