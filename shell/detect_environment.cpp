#include "setup_state.h"
#include "startup.h"

/* Only the platform id and the major and minor version count: build,
   service pack, product type and processor architecture do not. A failed
   version query counts as an unsupported system. */
int DetectEnvironment(void)
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;   /* 148 */
    if (!GetVersionExA(&version))
        return 0;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;

    SetupState.DriverVersion = 3;
    for (short row = 0; row < OS_TABLE_ROWS; row++) {
        if (OsTable[row].Major == version.dwMajorVersion &&
            OsTable[row].Minor == version.dwMinorVersion) {
            SetupState.OsIndex = row;
            return 1;
        }
    }
    return 0;
}
