/*
 * Every call the program makes on the print spooler goes through this table,
 * which points at the real winspool functions. Tests replace one entry to
 * make a call fail and call ResetSpoolerApi afterwards.
 */
#ifndef SETUP_SPOOLER_API_H
#define SETUP_SPOOLER_API_H

#include <windows.h>
#include <winspool.h>

struct SpoolerApi {
    BOOL (WINAPI *OpenPrinterA)(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults);
    BOOL (WINAPI *ClosePrinter)(HANDLE printer);
    BOOL (WINAPI *DeletePrinter)(HANDLE printer);
    BOOL (WINAPI *DeletePrinterDriverA)(LPSTR server, LPSTR environment, LPSTR driver);
    BOOL (WINAPI *EnumPrinterDriversA)(LPSTR server, LPSTR environment, DWORD level,
                                       LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD count);
    BOOL (WINAPI *EnumPortsA)(LPSTR server, DWORD level, LPBYTE buffer, DWORD size,
                              LPDWORD needed, LPDWORD count);
    BOOL (WINAPI *GetPrinterDriverDirectoryA)(LPSTR server, LPSTR environment, DWORD level,
                                              LPBYTE buffer, DWORD size, LPDWORD needed);
    BOOL (WINAPI *AddPrinterDriverA)(LPSTR server, DWORD level, LPBYTE info);
    HANDLE (WINAPI *AddPrinterA)(LPSTR server, DWORD level, LPBYTE info);
    BOOL (WINAPI *GetPrinterA)(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                               LPDWORD needed);
};

extern SpoolerApi Spooler;

/* Points every entry back at the real winspool function. */
void ResetSpoolerApi(void);

#endif
