#ifndef SETUP_STARTUP_H
#define SETUP_STARTUP_H

#include <windows.h>

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
