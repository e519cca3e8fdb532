/*
 * A recording spooler seam: each spooler call the program makes is counted
 * and passed on to Wine unless a refusal is set. Also brings the fixtures
 * that make printers and drivers in Wine's spooler.
 */
#ifndef SPOOLER_FAKES_H
#define SPOOLER_FAKES_H

#include <windows.h>
#include <winspool.h>
#include "spooler_readback.h"

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

/* Makes EnumPortsA (level 1, with the size query) list exactly these port
   names; ResetSpoolerApi ends it. FakePortCalls counts the EnumPortsA calls
   since then, size queries included. */
void UseFakePorts(const char *const *ports, int count);
extern int FakePortCalls;

#endif
