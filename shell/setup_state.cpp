#include "setup_state.h"

SetupStateRecord SetupState;

/* Every supported version reads the same INF and models section. */
const OsRow OsTable[OS_TABLE_ROWS] = {
    { 5, 0, "KV_R52x.INF", "KestVelotic" }, /* Windows 2000 */
    { 5, 1, "KV_R52x.INF", "KestVelotic" }, /* Windows XP */
    { 6, 0, "KV_R52x.INF", "KestVelotic" }, /* Windows Vista */
    { 6, 1, "KV_R52x.INF", "KestVelotic" }, /* Windows 7 */
};

const char SetupClassName[] = "KV_R52X_Driver_Setup";
const char SetupWindowTitle[] = "Printer Driver Setup";
const char SetupEnvironment[] = "Windows NT x86";
