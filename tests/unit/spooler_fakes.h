/*
 * The spooler seam of the unit tests: recorders that count the program's
 * spooler calls, keep what was passed and hand them on to Wine's spooler
 * unless a refusal is set. AddPrinterA refuses a printer name that exists
 * already, as Windows does (Wine would overwrite the printer).
 */
#ifndef SPOOLER_FAKES_H
#define SPOOLER_FAKES_H

#include <windows.h>
#include <winspool.h>
#include <string>
#include "spooler_readback.h"

/* How GetPrinterA's level-2 record comes back. */
enum RecordFault { RECORD_WHOLE, RECORD_SIZE_ZERO, RECORD_REFUSED, RECORD_NO_DRIVER, RECORD_NO_PORT };

/* The spooler calls seen since RecordSpoolerCalls and the refusals asked
   for: a non-zero refuse* fails that call with it as the last error (the
   enumeration its call with a buffer). Environments and the last records
   handed over are kept as text, "(null)" for a NULL pointer. */
struct SpoolerCalls {
    int opens, closes, printerDeletes, driverDeletes, enumerations, driverAdds, printerAdds;
    int hadDefaults;     /* of the last open */
    ACCESS_MASK access;  /* asked for by the last open with defaults */
    std::string enumEnvironment, deleteEnvironment, directoryEnvironment, driverRecord, printerRecord;
    DWORD refuseOpen, refusePrinterDelete, refuseDriverDelete, refuseEnumeration, refuseDriverAdd,
        refusePrinterAdd, refuseDirectory;
    int openGivesNoHandle;
    RecordFault recordFault;
};
extern SpoolerCalls Calls;

/* Clears Calls and routes the spooler calls through the recorders;
   ResetSpoolerApi ends it. */
void RecordSpoolerCalls(void);

/* Makes EnumPortsA (level 1, with the size query) list exactly these port
   names; ResetSpoolerApi ends it. */
void UseFakePorts(const char *const *ports, int count);

#endif
