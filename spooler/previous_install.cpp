#include "spooler.h"
#include "spooler_api.h"
#include "setupinfo/selected_model.h"
#include "shell/setup_state.h"

#include <string.h>

/* Looks for a driver named exactly (case included) like the model selected
   on the page among the drivers of Environment. Writes ModelName when a
   model is selected; 0 when none is, or the list cannot be read. */
int DriverExists(HWND page)
{
    if (!ReadSelectedModel(page, SetupState.ModelName, TEXT_SIZE))
        return 0;
    LPSTR environment = (LPSTR)SetupState.Environment;
    DWORD needed = 0, count = 0;
    Spooler.EnumPrinterDriversA(NULL, environment, 1, NULL, 0, &needed, &count);
    if (needed == 0)
        return 0;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, needed);
    if (!block)
        return 0;
    int found = 0;
    DWORD size = needed;
    count = 0;
    if (Spooler.EnumPrinterDriversA(NULL, environment, 1, (LPBYTE)block, size, &needed, &count)) {
        const DRIVER_INFO_1A *drivers = (const DRIVER_INFO_1A *)block;
        for (DWORD i = 0; i < count && !found; i++)
            found = drivers[i].pName && strcmp(drivers[i].pName, SetupState.ModelName) == 0;
    }
    GlobalFree(block);
    return found;
}

/* Deletes the printer named like the selected model, when it opens with the
   default access. The outcome is not reported. */
void DeleteStalePrinter(HWND page)
{
    if (!ReadSelectedModel(page, SetupState.ModelName, TEXT_SIZE))
        return;
    HANDLE printer = NULL;
    if (!Spooler.OpenPrinterA(SetupState.ModelName, &printer, NULL) || !printer)
        return;
    Spooler.DeletePrinter(printer);
    Spooler.ClosePrinter(printer);
}

/* Deletes the printer named ModelName (opened with full access) and then the
   driver of that name, the driver also when the printer's deletion failed.
   A printer that cannot be opened means nothing to remove: 1, and the driver
   is left alone. Otherwise 1 only when both deletions succeeded. */
int RemovePreviousInstall(void)
{
    PRINTER_DEFAULTSA defaults = { NULL, NULL, PRINTER_ALL_ACCESS };
    HANDLE printer = NULL;
    if (!Spooler.OpenPrinterA(SetupState.ModelName, &printer, &defaults) || !printer)
        return 1;
    int result = 1;
    if (!Spooler.DeletePrinter(printer))
        result = 0;
    Spooler.ClosePrinter(printer);
    if (!Spooler.DeletePrinterDriverA(NULL, (LPSTR)SetupState.Environment, SetupState.ModelName))
        result = 0;
    return result;
}
