#include "spooler_api.h"
#include "shell/system_library.h"

SpoolerApi Spooler;
static SpoolerApi Bound;

int BindSpoolerApi(void)
{
    HMODULE library = LoadSystemLibrary("WINSPOOL.DRV");
    if (!library)
        return 0;
    if (!(BIND_SYSTEM_FUNCTION(Bound, library, OpenPrinterA)
          && BIND_SYSTEM_FUNCTION(Bound, library, ClosePrinter)
          && BIND_SYSTEM_FUNCTION(Bound, library, DeletePrinter)
          && BIND_SYSTEM_FUNCTION(Bound, library, DeletePrinterDriverA)
          && BIND_SYSTEM_FUNCTION(Bound, library, EnumPrinterDriversA)
          && BIND_SYSTEM_FUNCTION(Bound, library, EnumPortsA)
          && BIND_SYSTEM_FUNCTION(Bound, library, GetPrinterDriverDirectoryA)
          && BIND_SYSTEM_FUNCTION(Bound, library, AddPrinterDriverA)
          && BIND_SYSTEM_FUNCTION(Bound, library, AddPrinterA)
          && BIND_SYSTEM_FUNCTION(Bound, library, GetPrinterA)))
        return 0;
    Spooler = Bound;
    return 1;
}

void ResetSpoolerApi(void)
{
    Spooler = Bound;
}
