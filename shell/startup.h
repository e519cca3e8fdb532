#ifndef SETUP_STARTUP_H
#define SETUP_STARTUP_H

/* Checks the running Windows version. Returns 1 on Windows NT 5.0, 5.1, 6.0
   or 6.1 (then OsIndex and DriverVersion are set), 0 on anything else. */
int DetectEnvironment(void);

#endif
