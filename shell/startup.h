#ifndef SETUP_STARTUP_H
#define SETUP_STARTUP_H

#include <windows.h>

/* The first step of start-up. Limits the search for DLLs to the system
   folder where the system allows it, refuses to run beside a file or
   folder named like the program plus ".local", loads from the system folder
   the libraries that the platform would load later by a bare name, and
   binds the spooler and LZ tables (BindSystemLibraries). 1 to go on; 0
   after passing `tell` the text that says why the program ends. */
int StartSafely(void (*tell)(const char *text));

/* How StartSafely looks up the search-limiting calls of kernel32
   (GetProcAddress). A test build points it at a look-up that answers NULL
   for them, as Windows 2000 would. */
extern FARPROC (WINAPI *FindSearchFunction)(HMODULE kernel, LPCSTR name);

/* Checks the running Windows version. Returns 1 on Windows NT 5.0, 5.1, 6.0
   or 6.1 (then OsIndex and DriverVersion are set), 0 on anything else. */
int DetectEnvironment(void);

/* Returns 1 when the process has administrator rights, or when the user,
   told in a message box that they are missing, chooses OK to try anyway;
   0 when the user chooses Cancel. */
int ConfirmAdministratorRights(void);

/* The platform's group membership test, which ConfirmAdministratorRights
   calls. Wine runs every program with administrator rights: tests point
   this at a refusal to take the road without them. */
extern BOOL (WINAPI *CheckMembership)(HANDLE token, PSID group, PBOOL member);

#endif
