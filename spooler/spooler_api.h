/*
 * Every call the program makes on the print spooler goes through this table.
 * BindSpoolerApi points it at the functions of WINSPOOL.DRV in the system
 * folder (loaded by its full path: the program imports nothing from it at
 * load time, so a WINSPOOL.DRV beside the program never loads). Tests
 * replace one entry to make a call fail and call ResetSpoolerApi afterwards.
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

/* Loads WINSPOOL.DRV from the system folder and binds every entry. 1 on
   success; 0 with LibraryFailure (shell/system_library.h) filled in. */
int BindSpoolerApi(void);

/* Points every entry back at the function BindSpoolerApi bound. */
void ResetSpoolerApi(void);

#endif
